// A library built without its PEAK resource: Initialize fails after the
// background and bar surfaces were made, and nothing after it crashes.
#include <gtest/gtest.h>

#include <memory>

#include "artwork/image_loader.h"
#include "meter/visualization.h"
#include "platform/errors.h"
#include "tools/host/drawing_target.h"

namespace bvm {
namespace {

TEST(WithoutPeak, TheMissingImageIsReportedByName) {
    std::unique_ptr<TACLDib> dib;
    try {
        LoadSurface("peak", dib);
        FAIL() << "no error";
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource peak not found");
    }
}

TEST(WithoutPeak, InitializeFailsAndTheRestCopes) {
    const int32_t before = LiveGraphicsObjects();
    TVisualization* v = TInterfacedObjectEx::Create<TVisualization>();
    v->AddRef();
    EXPECT_EQ(v->Initialize(638, 470), E_FAIL);
    EXPECT_GT(LiveGraphicsObjects(), before);  // background and bar strip were made

    host::TDrawingTarget target(638, 470);
    TAIMPVisualData data{};
    data.Peaks[0] = data.Peaks[1] = 5.0f;
    for (int f = 0; f < 4; ++f) v->Draw(target.Handle(), &data);
    v->Resize(800, 600);
    v->Draw(target.Handle(), &data);
    v->Finalize();
    EXPECT_EQ(LiveGraphicsObjects(), before);
    v->Finalize();
    EXPECT_EQ(v->Release(), 0u);
}

}  // namespace
}  // namespace bvm
