#include "meter/visualization.h"

#include "artwork/image_loader.h"
#include "meter/frame_composer.h"
#include "meter/meter_model.h"
#include "plugin/core_reference.h"

namespace bvm {
namespace {

constexpr char16_t kName[] = u"Brisvaldomatics";
constexpr int32_t kNameLength = static_cast<int32_t>(std::size(kName) - 1);

}  // namespace

int32_t BVM_STDCALL TVisualization::GetFlags() noexcept { return 0; }

HRESULT BVM_STDCALL TVisualization::GetMaxDisplaySize(int32_t* Width, int32_t* Height) noexcept {
    if (!Width || !Height) return E_POINTER;
    *Width = kMaxDisplayWidth;
    *Height = kMaxDisplayHeight;
    return E_FAIL;
}

HRESULT BVM_STDCALL TVisualization::GetName(IAIMPString** S) noexcept {
    if (!S) return E_POINTER;
    *S = nullptr;
    return GuardResult([&] {
        TComPtr<IAIMPString> name;
        CreateHostString(name, kName, kNameLength);
        *S = name.Detach();
        return S_OK;
    });
}

HRESULT BVM_STDCALL TVisualization::Initialize(int32_t Width, int32_t Height) noexcept {
    return GuardResult([&] {
        // The host pairs every Initialize with a Finalize; one that did not
        // must not leak what the last one made.
        ReleaseDrawing();
        FCanvas = std::make_unique<TCanvas>();
        LoadSurface("bg", BGDib);
        LoadSurface("vu", VUDib);
        LoadSurface("peak", PeakDib);
        FSprites = std::make_unique<TPreparedSprites>(TArtwork{BGDib.get(), VUDib.get(), PeakDib.get()});
        ResetChannel({VUL, PL, TUL, TDL, TPDL});
        ResetChannel({VUR, PR, TUR, TDR, TPDR});
        Resize(Width, Height);
        return S_OK;
    });
}

void TVisualization::ReleaseDrawing() {
    FCanvas.reset();
    FSprites.reset();
    BGDib.reset();
    VUDib.reset();
    PeakDib.reset();
}

void BVM_STDCALL TVisualization::Finalize() noexcept { ReleaseDrawing(); }

void BVM_STDCALL TVisualization::Click(int32_t, int32_t, int32_t) noexcept {}

void BVM_STDCALL TVisualization::Draw(HDC DC, PAIMPVisualData Data) noexcept {
    // Outside Initialize and Finalize there is no canvas; without a record
    // there are no levels. Either way nothing is drawn and nothing moves.
    if (!FCanvas || !Data) return;
    GuardVoid([&] { DrawFrame(DC, *Data); });
}

void TVisualization::DrawFrame(HDC dc, const TAIMPVisualData& data) {
    TCanvas& canvas = *FCanvas;
    canvas.Bind(dc);
    struct TUnbind {
        TCanvas& Canvas;
        ~TUnbind() { Canvas.Unbind(); }
    } unbind{canvas};

    const int32_t left = QuantizeLevel(data.Peaks[0]);
    const int32_t right = QuantizeLevel(data.Peaks[1]);
    const TPoint origin{OrgX, OrgY};
    PaintBackground(canvas, BGDib.get(), FWidth, FHeight, origin);
    // After an Initialize that failed part-way there are no sprites to draw.
    const auto peak = [&](TChannel channel, int32_t level) {
        if (FSprites) PaintPeakSprite(canvas, *FSprites, origin, channel, level);
    };
    const auto bar = [&](TChannel channel, int32_t level) {
        if (FSprites) PaintBarSprite(canvas, *FSprites, origin, channel, level);
    };
    StepStereo(left, right, {VUL, PL, TUL, TDL, TPDL}, {VUR, PR, TUR, TDR, TPDR}, peak, bar);
}

void BVM_STDCALL TVisualization::Resize(int32_t NewWidth, int32_t NewHeight) noexcept {
    FHeight = NewHeight;
    FWidth = NewWidth;
    const TPoint origin = ArtworkOrigin(NewWidth, NewHeight, BGDib.get());
    OrgX = origin.X;
    OrgY = origin.Y;
}

}  // namespace bvm
