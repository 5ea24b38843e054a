#include "platform/imaging.h"

#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
// The GDI+ headers use min and max unqualified.
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <cstring>
#include <mutex>

#include "platform/com_ptr.h"
#include "platform/errors.h"
#include "platform/graphics.h"
#include "platform/win32/gdi.h"
#include "platform/win32/system_library.h"

namespace bvm {
namespace {

namespace gp = Gdiplus::DllExports;
using Gdiplus::GpBitmap;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpStatus;

// The flat GDI+ functions the loader uses. gdiplus.dll is loaded on first
// use, so that it is not among the library's imports.
struct TGdiPlus {
    decltype(&gp::GdipLoadImageFromStreamICM) LoadImageFromStreamICM = nullptr;
    decltype(&gp::GdipCreateBitmapFromStream) CreateBitmapFromStream = nullptr;
    decltype(&gp::GdipDisposeImage) DisposeImage = nullptr;
    decltype(&gp::GdipGetImageWidth) GetImageWidth = nullptr;
    decltype(&gp::GdipGetImageHeight) GetImageHeight = nullptr;
    decltype(&gp::GdipGetImagePixelFormat) GetImagePixelFormat = nullptr;
    decltype(&gp::GdipCloneBitmapAreaI) CloneBitmapAreaI = nullptr;
    decltype(&gp::GdipBitmapLockBits) BitmapLockBits = nullptr;
    decltype(&gp::GdipBitmapUnlockBits) BitmapUnlockBits = nullptr;
    decltype(&gp::GdipCreateFromHDC) CreateFromHDC = nullptr;
    decltype(&gp::GdipDeleteGraphics) DeleteGraphics = nullptr;
    decltype(&gp::GdipSetInterpolationMode) SetInterpolationMode = nullptr;
    decltype(&gp::GdipSetPixelOffsetMode) SetPixelOffsetMode = nullptr;
    decltype(&gp::GdipSetCompositingMode) SetCompositingMode = nullptr;
    decltype(&gp::GdipDrawImageRectI) DrawImageRectI = nullptr;
    decltype(&Gdiplus::GdiplusStartup) Startup = nullptr;

    bool Complete() const {
        return LoadImageFromStreamICM && CreateBitmapFromStream && DisposeImage && GetImageWidth &&
               GetImageHeight && GetImagePixelFormat && CloneBitmapAreaI && BitmapLockBits && BitmapUnlockBits &&
               CreateFromHDC && DeleteGraphics && SetInterpolationMode && SetPixelOffsetMode && SetCompositingMode &&
               DrawImageRectI && Startup;
    }
};

template <class F>
void Bind(HMODULE module, F& function, const char* name) {
    function = win32::ProcAddress<F>(module, name);
}

const TGdiPlus& LoadedGdiPlus() {
    static const TGdiPlus api = [] {
        TGdiPlus a;
        if (HMODULE m = win32::LoadSystemLibrary(L"gdiplus.dll")) {
            Bind(m, a.LoadImageFromStreamICM, "GdipLoadImageFromStreamICM");
            Bind(m, a.CreateBitmapFromStream, "GdipCreateBitmapFromStream");
            Bind(m, a.DisposeImage, "GdipDisposeImage");
            Bind(m, a.GetImageWidth, "GdipGetImageWidth");
            Bind(m, a.GetImageHeight, "GdipGetImageHeight");
            Bind(m, a.GetImagePixelFormat, "GdipGetImagePixelFormat");
            Bind(m, a.CloneBitmapAreaI, "GdipCloneBitmapAreaI");
            Bind(m, a.BitmapLockBits, "GdipBitmapLockBits");
            Bind(m, a.BitmapUnlockBits, "GdipBitmapUnlockBits");
            Bind(m, a.CreateFromHDC, "GdipCreateFromHDC");
            Bind(m, a.DeleteGraphics, "GdipDeleteGraphics");
            Bind(m, a.SetInterpolationMode, "GdipSetInterpolationMode");
            Bind(m, a.SetPixelOffsetMode, "GdipSetPixelOffsetMode");
            Bind(m, a.SetCompositingMode, "GdipSetCompositingMode");
            Bind(m, a.DrawImageRectI, "GdipDrawImageRectI");
            Bind(m, a.Startup, "GdiplusStartup");
        }
        return a;
    }();
    return api;
}

const TGdiPlus& GdiPlus() {
    const TGdiPlus& api = LoadedGdiPlus();
    if (!api.Complete()) throw EGdipException(Gdiplus::Win32Error);
    return api;
}

// The player starts GDI+ before it loads plug-ins. A host that has not gets it
// started here, once, outside DllMain, and kept for the life of the process.
void StartGdiPlus(const TGdiPlus& api) {
    static std::once_flag once;
    std::call_once(once, [&] {
        ULONG_PTR token = 0;
        const Gdiplus::GdiplusStartupInput input;
        api.Startup(&token, &input, nullptr);
    });
}

// Runs a decoding call, starting GDI+ and retrying when it was not running.
template <class Call>
GpStatus WithGdiPlusStarted(const TGdiPlus& api, Call call) {
    GpStatus status = call();
    if (status == Gdiplus::GdiplusNotInitialized) {
        StartGdiPlus(api);
        status = call();
    }
    return status;
}

struct TImageDeleter {
    void operator()(GpImage* image) const { LoadedGdiPlus().DisposeImage(image); }
};
using TUniqueImage = std::unique_ptr<GpImage, TImageDeleter>;

struct TGraphicsDeleter {
    void operator()(GpGraphics* graphics) const { LoadedGdiPlus().DeleteGraphics(graphics); }
};
using TUniqueGraphics = std::unique_ptr<GpGraphics, TGraphicsDeleter>;

GpBitmap* AsBitmap(GpImage* image) { return static_cast<GpBitmap*>(image); }

TPixelFormat FormatOf(Gdiplus::PixelFormat format) {
    switch (format) {
        case PixelFormat32bppARGB: return TPixelFormat::ARGB32;
        case PixelFormat32bppPARGB: return TPixelFormat::PARGB32;
        case PixelFormat32bppRGB: return TPixelFormat::RGB32;
        default: return TPixelFormat::Other;
    }
}

}  // namespace

struct TDecodedImage::TImpl {
    TComPtr<IStream> Stream;  // GDI+ may read from it for as long as the image lives
    TUniqueImage Image;
    int32_t Width = 0;
    int32_t Height = 0;
    Gdiplus::PixelFormat Format = 0;
};

TDecodedImage::TDecodedImage(std::span<const uint8_t> data, bool isPng) : FImpl(std::make_unique<TImpl>()) {
    const TGdiPlus& api = GdiPlus();
    FImpl->Stream = TComPtr<IStream>::Adopt(SHCreateMemStream(data.data(), static_cast<UINT>(data.size())));
    if (!FImpl->Stream) throw EGdipException(Gdiplus::OutOfMemory);
    IStream* stream = FImpl->Stream.Get();

    GpImage* image = nullptr;
    GpStatus status = WithGdiPlusStarted(api, [&] { return api.LoadImageFromStreamICM(stream, &image); });
    if (status != Gdiplus::Ok) {
        const LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        GpBitmap* bitmap = nullptr;
        status = WithGdiPlusStarted(api, [&] { return api.CreateBitmapFromStream(stream, &bitmap); });
        image = bitmap;
    }
    if (status != Gdiplus::Ok || !image) throw EGdipException(status);
    FImpl->Image.reset(image);

    UINT width = 0, height = 0;
    api.GetImageWidth(image, &width);
    api.GetImageHeight(image, &height);
    FImpl->Width = static_cast<int32_t>(width);
    FImpl->Height = static_cast<int32_t>(height);

    if (!isPng) {
        GpBitmap* converted = nullptr;
        status = api.CloneBitmapAreaI(0, 0, FImpl->Width, FImpl->Height, PixelFormat32bppPARGB, AsBitmap(image),
                                      &converted);
        if (status != Gdiplus::Ok) throw EGdipException(status);
        FImpl->Image.reset(converted);
    }
    api.GetImagePixelFormat(FImpl->Image.get(), &FImpl->Format);
}

TDecodedImage::~TDecodedImage() = default;

int32_t TDecodedImage::Width() const { return FImpl->Width; }
int32_t TDecodedImage::Height() const { return FImpl->Height; }
TPixelFormat TDecodedImage::Format() const { return FormatOf(FImpl->Format); }

bool TDecodedImage::CopyPixelsTo(TACLDib& surface) const {
    if (surface.Width() != FImpl->Width || surface.Height() != FImpl->Height || surface.Empty()) return false;
    const TGdiPlus& api = GdiPlus();
    const Gdiplus::GpRect all(0, 0, FImpl->Width, FImpl->Height);
    Gdiplus::BitmapData locked{};
    if (api.BitmapLockBits(AsBitmap(FImpl->Image.get()), &all, Gdiplus::ImageLockModeRead, FImpl->Format, &locked) !=
        Gdiplus::Ok)
        return false;
    const auto* source = static_cast<const uint8_t*>(locked.Scan0);
    for (int32_t y = 0; y < surface.Height(); ++y)
        std::memcpy(surface.Bits() + ptrdiff_t{y} * surface.Stride(), source + ptrdiff_t{y} * locked.Stride,
                    static_cast<size_t>(surface.Stride()));
    api.BitmapUnlockBits(AsBitmap(FImpl->Image.get()), &locked);
    return true;
}

void TDecodedImage::DrawTo(TACLDib& surface) const {
    const TACLDib::TBitmap* bitmap = surface.Bitmap();
    if (!bitmap) return;
    const TGdiPlus& api = GdiPlus();
    GpGraphics* created = nullptr;
    if (api.CreateFromHDC(bitmap->DC.Get(), &created) != Gdiplus::Ok) return;
    const TUniqueGraphics graphics(created);
    // The artwork says 72 dpi: drawn without an explicit size, GDI+ would scale it.
    api.SetInterpolationMode(created, Gdiplus::InterpolationModeNearestNeighbor);
    api.SetPixelOffsetMode(created, Gdiplus::PixelOffsetModeNone);
    api.SetCompositingMode(created, Gdiplus::CompositingModeSourceCopy);
    api.DrawImageRectI(created, FImpl->Image.get(), 0, 0, FImpl->Width, FImpl->Height);
}

}  // namespace bvm
