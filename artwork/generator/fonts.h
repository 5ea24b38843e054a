#pragma once
// The typefaces of the artwork, loaded from their files: a missing file stops
// the generator instead of letting a substitute change the look.

#include <cairo.h>

#include <memory>

namespace bvm {

using TFontFace = std::unique_ptr<cairo_font_face_t, decltype(&cairo_font_face_destroy)>;

struct TFonts {
    TFonts();

    TFontFace Technical;  // captions and lettering
    TFontFace TechnicalBold;  // numerals and the smallest capitals
    TFontFace Title;  // light and rounded
    TFontFace Script;  // the logotype
};

}  // namespace bvm
