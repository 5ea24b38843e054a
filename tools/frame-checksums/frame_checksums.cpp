// Renders one fixed programme of peak pairs through a plug-in library, as the
// player drives it, and prints a checksum of every frame. The native and the
// Windows build must print the same lines.
//
//   brisvaldomatics-frame-checksums PLUGIN-LIBRARY
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "tools/host/meter_host.h"

namespace {

struct TPeaks {
    float Left, Right;
};

// Silence, full scale, release, ramps in both directions, and values the
// quantiser must treat specially.
std::vector<TPeaks> Programme() {
    std::vector<TPeaks> frames;
    const auto repeat = [&](TPeaks p, int count) { frames.insert(frames.end(), count, p); };
    repeat({0, 0}, 10);
    repeat({5.3f, 5.3f}, 20);
    repeat({0, 0}, 70);
    for (int i = 0; i <= 60; ++i) {
        const float up = 6.0f * static_cast<float>(i) / 60.0f;
        frames.push_back({up, 6.0f - up});
    }
    for (int i = 0; i <= 80; ++i)  // level in decibels, -30 to +16
        frames.push_back({std::pow(10.0f, (-30.0f + 0.575f * static_cast<float>(i)) / 20.0f), 1.0f});
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    for (float special : {-0.0f, 0x1p-149f, FLT_MIN, FLT_MAX, inf, -inf, nan, -nan, -1.0f, 4.2169647216796875f,
                          0.749894201755523681640625f, 0x1.53c41ap+2f, 0x1.53c41cp+2f, 0x1.0f2b42p+0f})
        repeat({special, -special}, 3);
    repeat({0, 0}, 40);
    return frames;
}

uint64_t Checksum(const bvm::host::TDrawingTarget& target) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    const uint8_t* p = target.Pixels();
    for (size_t i = 0, n = static_cast<size_t>(target.Stride()) * target.Height(); i < n; ++i)
        hash = (hash ^ p[i]) * 1099511628211ull;
    return hash;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PLUGIN-LIBRARY\n", argv[0]);
        return 2;
    }
    try {
        // A large area first, then one smaller than the artwork.
        bvm::host::TMeterHost meter(argv[1], 900, 620);
        const std::vector<TPeaks> programme = Programme();
        for (size_t frame = 0; frame < programme.size(); ++frame) {
            if (frame == programme.size() / 2) meter.Resize(500, 300);
            meter.Draw(programme[frame].Left, programme[frame].Right);
            std::printf("%zu %016" PRIx64 "\n", frame, Checksum(meter.Target()));
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "frame checksums: %s\n", e.what());
        return 1;
    }
}
