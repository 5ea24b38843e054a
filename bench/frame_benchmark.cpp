// What one frame and one image load cost, beside what they could cost at
// best: the same drawing done by direct pixman calls, a frame's floor (each
// area pixel written once, the background read once) and a bare PNG decode.
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <spng.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "artwork/geometry.h"
#include "artwork/image_loader.h"
#include "meter/frame_composer.h"
#include "tests/support/test_support.h"
#include "tools/host/drawing_target.h"

namespace bvm {
namespace {

const test::TLoadedArtwork& Surfaces() {
    static const test::TLoadedArtwork surfaces;
    return surfaces;
}

// A programme of levels that moves all the time and reaches full scale on
// both channels: two slow sweeps with a beat between them.
struct TProgramme {
    TStereoMeter Meter;
    int Frame = 0;
    TLevels Next() {
        const double t = Frame++ / 30.0;
        const auto peak = [](double phase) { return static_cast<float>(5.3 * std::pow(0.5 + 0.5 * std::sin(phase), 2)); };
        Meter.Step(peak(t * 1.7), peak(t * 2.3 + 1.0));
        return {Meter.VUL, Meter.VUR, Meter.PL, Meter.PR};
    }
};

void Area(benchmark::internal::Benchmark* b) {
    b->Args({800, 600})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}

void BM_ComposedFrame(benchmark::State& state) {
    const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
    host::TDrawingTarget target(w, h);
    TCanvas canvas;
    const test::TLoadedArtwork& art = Surfaces();
    const TPoint origin = ArtworkOrigin(w, h, art.BGDib.get());
    TProgramme programme;
    for (auto _ : state) {
        const TLevels levels = programme.Next();
        canvas.Bind(target.Handle());
        PaintFrame(canvas, art.BGDib.get(), *art.Sprites, w, h, origin, levels);
        canvas.Unbind();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposedFrame)->Apply(Area);

pixman_image_t* Wrap(const TACLDib& dib) {
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, dib.Width(), dib.Height(),
                                    reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(dib.Bits())), dib.Stride());
}

// The same fill, copy and four blends, each a direct pixman call.
void BM_DirectPixman(benchmark::State& state) {
    const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
    host::TDrawingTarget target(w, h);
    pixman_image_t* dst =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, reinterpret_cast<uint32_t*>(target.Pixels()), target.Stride());
    pixman_image_t* bg = Wrap(*Surfaces().BGDib);
    pixman_image_t* bar = Wrap(*Surfaces().VUDib);
    pixman_image_t* peak = Wrap(*Surfaces().PeakDib);
    const TPoint o = ArtworkOrigin(w, h, Surfaces().BGDib.get());
    const pixman_color_t black{0, 0, 0, 0};
    const pixman_rectangle16_t area{0, 0, static_cast<uint16_t>(w), static_cast<uint16_t>(h)};
    TProgramme programme;
    auto sprite = [&](pixman_image_t* strip, const TStripGeometry& g, int32_t face, int32_t frame) {
        if (frame < 0) return;
        const TRect d = g.Destination(face).Offset(o.X, o.Y);
        pixman_image_composite32(PIXMAN_OP_OVER, strip, nullptr, dst, 0, g.FrameHeight * frame, 0, 0, d.Left, d.Top,
                                 g.FrameWidth, g.FrameHeight);
    };
    for (auto _ : state) {
        const TLevels l = programme.Next();
        pixman_image_fill_rectangles(PIXMAN_OP_SRC, dst, &black, 1, &area);
        pixman_image_composite32(PIXMAN_OP_SRC, bg, nullptr, dst, 0, 0, 0, 0, o.X, o.Y, kBackgroundWidth,
                                 kBackgroundHeight);
        sprite(peak, kPeakStrip, 0, PeakFrame(l.PL));
        sprite(peak, kPeakStrip, 1, PeakFrame(l.PR));
        sprite(bar, kBarStrip, 0, BarFrame(l.VUL));
        sprite(bar, kBarStrip, 1, BarFrame(l.VUR));
        benchmark::ClobberMemory();
    }
    for (pixman_image_t* image : {dst, bg, bar, peak}) pixman_image_unref(image);
}
BENCHMARK(BM_DirectPixman)->Apply(Area);

// The least a frame can do: write each area pixel once, read the background once.
void BM_FrameFloor(benchmark::State& state) {
    const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
    host::TDrawingTarget target(w, h);
    const TACLDib& bg = *Surfaces().BGDib;
    const TPoint o = ArtworkOrigin(w, h, &bg);
    const size_t stride = static_cast<size_t>(target.Stride());
    for (auto _ : state) {
        uint8_t* p = target.Pixels();
        std::memset(p, 0, stride * o.Y);
        for (int32_t y = 0; y < kBackgroundHeight; ++y) {
            uint8_t* row = p + stride * (o.Y + y);
            std::memset(row, 0, o.X * 4);
            std::memcpy(row + o.X * 4, bg.Bits() + y * bg.Stride(), bg.Stride());
            std::memset(row + (o.X + kBackgroundWidth) * 4, 0, (w - o.X - kBackgroundWidth) * 4);
        }
        std::memset(p + stride * (o.Y + kBackgroundHeight), 0, stride * (h - o.Y - kBackgroundHeight));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameFloor)->Apply(Area);

// Decoding and premultiplying the three images into surfaces.
void BM_LoadImages(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<TACLDib> bg, vu, peak;
        LoadSurface("bg", bg);
        LoadSurface("vu", vu);
        LoadSurface("peak", peak);
        benchmark::DoNotOptimize(peak->Bits());
    }
}
BENCHMARK(BM_LoadImages)->Unit(benchmark::kMillisecond);

// libspng alone decoding the same files to 8-bit RGBA.
void BM_BareDecode(benchmark::State& state) {
    const std::vector<uint8_t> files[] = {test::ReadSourceFile("artwork/bg.png"), test::ReadSourceFile("artwork/vu.png"),
                                          test::ReadSourceFile("artwork/peak.png")};
    for (auto _ : state) {
        for (const std::vector<uint8_t>& png : files) {
            spng_ctx* context = spng_ctx_new(0);
            spng_set_png_buffer(context, png.data(), png.size());
            size_t size = 0;
            spng_decoded_image_size(context, SPNG_FMT_RGBA8, &size);
            std::vector<uint8_t> pixels(size);
            spng_decode_image(context, pixels.data(), size, SPNG_FMT_RGBA8, 0);
            benchmark::DoNotOptimize(pixels.data());
            spng_ctx_free(context);
        }
    }
}
BENCHMARK(BM_BareDecode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bvm

BENCHMARK_MAIN();
