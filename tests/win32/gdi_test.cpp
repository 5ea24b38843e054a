// The canvas as the host's device context sees it.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/graphics.h"
#include "tools/host/drawing_target.h"

namespace bvm {
namespace {

TEST(CanvasWindows, UnbindingLeavesTheStockObjectsSelected) {
    host::TDrawingTarget target(16, 16);
    HDC dc = target.Handle();
    HBRUSH hostBrush = CreateSolidBrush(RGB(1, 2, 3));
    HPEN hostPen = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
    SelectObject(dc, hostBrush);
    SelectObject(dc, hostPen);
    SetBkMode(dc, TRANSPARENT);
    {
        TCanvas canvas;
        canvas.Bind(dc);
        canvas.SetBrushColor(kBlack);
        canvas.FillRect({0, 0, 16, 16});
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
        EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
        canvas.Unbind();
        EXPECT_EQ(canvas.Handle(), nullptr);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(HOLLOW_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_TRUE(DeleteObject(hostBrush));
    EXPECT_TRUE(DeleteObject(hostPen));
}

TEST(CanvasWindows, BlackFillWritesAllFourBytesZero) {
    host::TDrawingTarget target(8, 8);
    std::memset(target.Pixels(), 0xFF, 8 * 8 * 4);
    TCanvas canvas;
    canvas.Bind(target.Handle());
    canvas.SetBrushColor(kBlack);
    canvas.FillRect({2, 2, 6, 6});
    canvas.Unbind();
    const uint8_t* inside = target.Pixel(3, 3);
    const uint8_t* outside = target.Pixel(1, 1);
    EXPECT_EQ(inside[0] | inside[1] | inside[2] | inside[3], 0);
    EXPECT_EQ(outside[0] & outside[1] & outside[2] & outside[3], 0xFF);
}

TEST(CanvasWindows, TheBrushIsMadeOnceForTheCanvas) {
    host::TDrawingTarget target(8, 8);
    TCanvas canvas;
    canvas.Bind(target.Handle());
    canvas.SetBrushColor(kBlack);
    canvas.FillRect({0, 0, 8, 8});
    const int32_t afterFirst = LiveGraphicsObjects();
    for (int i = 0; i < 10; ++i) canvas.FillRect({0, 0, 8, 8});
    EXPECT_EQ(LiveGraphicsObjects(), afterFirst);
    canvas.Unbind();
}

}  // namespace
}  // namespace bvm
