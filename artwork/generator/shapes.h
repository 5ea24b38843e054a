#pragma once
// Drawing helpers shared by the background and the strips.

#include <cairo.h>

#include <numbers>

namespace bvm {

constexpr double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

// A bar with rounded corners centred on the origin, its length along y: the
// shape of a segment's slot and of its lit bar, before it is turned.
inline void RoundedBar(cairo_t* cr, double width, double length, double radius) {
    constexpr double kPi = std::numbers::pi;
    const double w = width / 2;
    const double l = length / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, w - radius, -l + radius, radius, -kPi / 2, 0);
    cairo_arc(cr, w - radius, l - radius, radius, 0, kPi / 2);
    cairo_arc(cr, -w + radius, l - radius, radius, kPi / 2, kPi);
    cairo_arc(cr, -w + radius, -l + radius, radius, kPi, 1.5 * kPi);
    cairo_close_path(cr);
}

}  // namespace bvm
