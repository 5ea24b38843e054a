// Loading through GDI+ as the player runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "artwork/image_loader.h"
#include "platform/win32/gdi.h"
#include "tests/support/test_support.h"

#include <objidl.h>
#include <shlwapi.h>
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

namespace bvm {
namespace {

// The PNG's pixels as GDI+ itself locks them in 24-bit RGB: the reference for
// the draw path, which must neither scale nor shift them.
std::vector<uint8_t> LockAsRgb24(const std::vector<uint8_t>& png, int32_t& width, int32_t& height) {
    using namespace Gdiplus;
    IStream* stream = SHCreateMemStream(png.data(), static_cast<UINT>(png.size()));
    GpBitmap* bitmap = nullptr;
    EXPECT_EQ(DllExports::GdipCreateBitmapFromStream(stream, &bitmap), Ok);
    UINT w = 0, h = 0;
    DllExports::GdipGetImageWidth(bitmap, &w);
    DllExports::GdipGetImageHeight(bitmap, &h);
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
    const GpRect all(0, 0, width, height);
    BitmapData data{};
    EXPECT_EQ(DllExports::GdipBitmapLockBits(bitmap, &all, ImageLockModeRead, PixelFormat24bppRGB, &data), Ok);
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(&rgb[static_cast<size_t>(y) * width * 3], static_cast<uint8_t*>(data.Scan0) + y * data.Stride,
                    static_cast<size_t>(width) * 3);
    DllExports::GdipBitmapUnlockBits(bitmap, &data);
    DllExports::GdipDisposeImage(bitmap);
    stream->Release();
    return rgb;
}

TEST(ArtworkSurfacesWindows, BackgroundHoldsTheFileColoursThroughTheDrawPath) {
    const test::TLoadedArtwork art;
    int32_t width = 0, height = 0;
    const std::vector<uint8_t> bgr = LockAsRgb24(test::ReadSourceFile("artwork/bg.png"), width, height);
    ASSERT_EQ(width, art.BGDib->Width());
    ASSERT_EQ(height, art.BGDib->Height());
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* want = &bgr[(static_cast<size_t>(y) * width + x) * 3];
            ASSERT_EQ(test::PixelAt(*art.BGDib, x, y), (test::TPixel{want[0], want[1], want[2], 255}))
                << x << "," << y;
        }
}

// A BMP is converted to premultiplied ARGB when decoded and copied as it is.
TEST(ImageLoadingWindows, BitmapFilesArriveOpaqueThroughPremultipliedArgb) {
    std::unique_ptr<TACLDib> dib;
    LoadSurface("bmp24", dib);
    ASSERT_EQ(dib->Width(), 2);
    ASSERT_EQ(dib->Height(), 2);
    EXPECT_EQ(test::PixelAt(*dib, 0, 0), (test::TPixel{56, 34, 12, 255}));
    EXPECT_EQ(test::PixelAt(*dib, 1, 0), (test::TPixel{100, 150, 200, 255}));
    EXPECT_EQ(test::PixelAt(*dib, 0, 1), (test::TPixel{3, 2, 1, 255}));
    EXPECT_EQ(test::PixelAt(*dib, 1, 1), (test::TPixel{0, 128, 255, 255}));
}

TEST(SurfaceWindows, DibSectionIsTopDownWith32BitsAPixel) {
    TACLDib dib;
    dib.Resize(7, 5);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(dib.Bitmap()->Bitmap.Get(), sizeof section, &section), static_cast<int>(sizeof section));
    const BITMAPINFOHEADER& h = section.dsBmih;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 7);
    EXPECT_EQ(std::abs(h.biHeight), 5);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 7u * 5 * 4);
    EXPECT_EQ(GetCurrentObject(dib.Bitmap()->DC.Get(), OBJ_BITMAP), dib.Bitmap()->Bitmap.Get());
    // The first bytes are the top-left pixel as GDI sees it.
    const uint8_t topLeft[4] = {1, 2, 3, 0};
    std::memcpy(dib.Bits(), topLeft, 4);
    EXPECT_EQ(GetPixel(dib.Bitmap()->DC.Get(), 0, 0), RGB(3, 2, 1));
    EXPECT_EQ(GetPixel(dib.Bitmap()->DC.Get(), 0, 4), RGB(0, 0, 0));
}

}  // namespace
}  // namespace bvm
