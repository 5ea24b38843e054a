// The visualization object through its interface, with its fields in view.
#include "meter/visualization.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "plugin/core_reference.h"
#include "tests/support/test_support.h"
#include "tools/host/drawing_target.h"
#include "tools/host/host_objects.h"

namespace bvm {

struct TVisualizationProbe {
    static std::array<int32_t, 10> Meter(const TVisualization& v) {
        return {v.VUL, v.VUR, v.PL, v.PR, v.TUL, v.TUR, v.TDL, v.TDR, v.TPDL, v.TPDR};
    }
    static TPoint Origin(const TVisualization& v) { return {v.OrgX, v.OrgY}; }
    static TPoint Size(const TVisualization& v) { return {v.FWidth, v.FHeight}; }
    static bool Bound(const TVisualization& v) { return v.FCanvas && v.FCanvas->Handle(); }
};

namespace {

using Probe = TVisualizationProbe;
constexpr std::array<int32_t, 10> kReset{};

// A visualization as the host holds it.
struct Visualization {
    TVisualization* object = TInterfacedObjectEx::Create<TVisualization>();
    Visualization() { object->AddRef(); }
    ~Visualization() { object->Release(); }
    TVisualization* operator->() const { return object; }
    const TVisualization& operator*() const { return *object; }
};

TAIMPVisualData Peaks(float left, float right) {
    TAIMPVisualData data{};
    data.Peaks[0] = left;
    data.Peaks[1] = right;
    return data;
}

std::vector<uint8_t> Snapshot(const host::TDrawingTarget& t) {
    return {t.Pixels(), t.Pixels() + static_cast<size_t>(t.Stride()) * t.Height()};
}

TEST(Visualization, FlagsAndMaxDisplaySize) {
    Visualization v;
    EXPECT_EQ(v->GetFlags(), 0);
    for (int i = 0; i < 2; ++i) {
        int32_t w = 0, h = 0;
        EXPECT_EQ(v->GetMaxDisplaySize(&w, &h), E_FAIL);
        EXPECT_EQ(w, 530);
        EXPECT_EQ(h, 320);
    }
    int32_t w = 7;
    EXPECT_EQ(v->GetMaxDisplaySize(&w, nullptr), E_POINTER);
    EXPECT_EQ(w, 7);
}

TEST(Visualization, NameIsAFreshHostStringEachTime) {
    host::THostCore* core = new host::THostCore();
    TAIMPAPIWrappers::Initialize(core);
    Visualization v;
    IAIMPString* first = reinterpret_cast<IAIMPString*>(1);
    IAIMPString* second = nullptr;
    EXPECT_EQ(v->GetName(&first), S_OK);
    EXPECT_EQ(v->GetName(&second), S_OK);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    for (IAIMPString* s : {first, second}) {
        EXPECT_EQ(static_cast<host::THostString*>(s)->Text(), u"Brisvaldomatics");
        EXPECT_EQ(s->Release(), 0u);
    }
    core->AssignResult = E_FAIL;
    IAIMPString* refused = reinterpret_cast<IAIMPString*>(1);
    EXPECT_EQ(v->GetName(&refused), E_FAIL);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(host::THostString::Live(), 0);
    EXPECT_EQ(v->GetName(nullptr), E_POINTER);
    TAIMPAPIWrappers::Finalize();
    EXPECT_EQ(v->GetName(&refused), E_FAIL);  // no core
    core->Release();
}

TEST(Visualization, InitializeResetsAndCentres) {
    Visualization v;
    EXPECT_EQ(v->Initialize(800, 600), S_OK);
    EXPECT_EQ(Probe::Origin(*v), (TPoint{81, 65}));
    EXPECT_EQ(Probe::Meter(*v), kReset);
    v->Finalize();
}

TEST(Visualization, ResizeCentresTheArtwork) {
    Visualization v;
    ASSERT_EQ(v->Initialize(638, 470), S_OK);
    const struct {
        int32_t w, h;
        TPoint origin;
    } cases[] = {
        {638, 470, {0, 0}}, {639, 471, {0, 0}}, {637, 469, {0, 0}}, {640, 472, {1, 1}},
        {100, 100, {0, 0}}, {0, 0, {0, 0}},     {1000, 600, {181, 65}},
    };
    for (const auto& c : cases) {
        v->Resize(c.w, c.h);
        EXPECT_EQ(Probe::Origin(*v), c.origin) << c.w << "x" << c.h;
        EXPECT_EQ(Probe::Size(*v), (TPoint{c.w, c.h}));
    }
    v->Finalize();
}

TEST(Visualization, MeterMovesOnlyInDraw) {
    Visualization v;
    ASSERT_EQ(v->Initialize(638, 470), S_OK);
    host::TDrawingTarget target(700, 500);
    TAIMPVisualData loud = Peaks(5.0f, 2.0f);
    TStereoMeter reference;
    for (int f = 0; f < 6; ++f) {
        v->Draw(target.Handle(), &loud);
        reference.Step(5.0f, 2.0f);
    }
    const auto expected = std::array<int32_t, 10>{reference.VUL, reference.VUR, reference.PL,  reference.PR,
                                                  reference.TUL, reference.TUR, reference.TDL, reference.TDR,
                                                  reference.TPDL, reference.TPDR};
    EXPECT_EQ(Probe::Meter(*v), expected);

    v->Resize(700, 500);
    v->Click(10, 10, 1);
    EXPECT_EQ(Probe::Meter(*v), expected);

    v->Draw(nullptr, &loud);  // no device context: the clear fails first
    EXPECT_EQ(Probe::Meter(*v), expected);
    EXPECT_FALSE(Probe::Bound(*v));

    const std::vector<uint8_t> before = Snapshot(target);
    v->Draw(target.Handle(), nullptr);  // no record
    EXPECT_EQ(Probe::Meter(*v), expected);
    EXPECT_EQ(Snapshot(target), before);
    v->Finalize();
}

TEST(Visualization, ClickChangesNothingInTheNextFrame) {
    const auto frames = [](bool click) {
        Visualization v;
        EXPECT_EQ(v->Initialize(700, 500), S_OK);
        host::TDrawingTarget target(700, 500);
        TAIMPVisualData data = Peaks(1.5f, 0.3f);
        for (int f = 0; f < 5; ++f) {
            if (click) v->Click(f * 10, f, f % 3);
            v->Draw(target.Handle(), &data);
        }
        v->Finalize();
        return Snapshot(target);
    };
    EXPECT_EQ(frames(true), frames(false));
}

TEST(Visualization, InitializeAgainStartsOver) {
    Visualization v;
    host::TDrawingTarget target(638, 470);
    TAIMPVisualData silence = Peaks(0, 0), loud = Peaks(5, 5);
    ASSERT_EQ(v->Initialize(638, 470), S_OK);
    v->Draw(target.Handle(), &silence);
    const auto firstFrame = Probe::Meter(*v);
    const std::vector<uint8_t> firstPicture = Snapshot(target);
    for (int f = 0; f < 9; ++f) v->Draw(target.Handle(), &loud);
    v->Finalize();

    ASSERT_EQ(v->Initialize(638, 470), S_OK);
    EXPECT_EQ(Probe::Meter(*v), kReset);
    v->Draw(target.Handle(), &silence);
    EXPECT_EQ(Probe::Meter(*v), firstFrame);
    EXPECT_EQ(Snapshot(target), firstPicture);
    v->Finalize();
}

TEST(Visualization, OperationsOutsideTheHostsOrderDoNothing) {
    Visualization v;
    host::TDrawingTarget target(64, 64);
    std::memset(target.Pixels(), 0x5A, 64 * 64 * 4);
    const std::vector<uint8_t> before = Snapshot(target);
    TAIMPVisualData data = Peaks(5, 5);
    v->Draw(target.Handle(), &data);  // before Initialize
    v->Resize(300, 200);
    v->Finalize();
    v->Draw(target.Handle(), &data);  // after Finalize
    EXPECT_EQ(Snapshot(target), before);
    EXPECT_EQ(Probe::Meter(*v), kReset);
}

TEST(Visualization, DrawingObjectsLiveFromInitializeToFinalize) {
    const int32_t before = LiveGraphicsObjects();
    {
        Visualization v;
        ASSERT_EQ(v->Initialize(638, 470), S_OK);
        const int32_t initialised = LiveGraphicsObjects();
        EXPECT_GT(initialised, before);
        ASSERT_EQ(v->Initialize(800, 600), S_OK);  // without Finalize: the first set is released
        EXPECT_EQ(LiveGraphicsObjects(), initialised);
        v->Finalize();
        EXPECT_EQ(LiveGraphicsObjects(), before);
        ASSERT_EQ(v->Initialize(638, 470), S_OK);
    }  // destroyed while initialised
    EXPECT_EQ(LiveGraphicsObjects(), before);
}

}  // namespace
}  // namespace bvm
