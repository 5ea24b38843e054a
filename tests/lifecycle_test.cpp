// Reliability: many show-and-hide cycles leave nothing behind, and reference
// counts survive many threads at once.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "meter/visualization.h"
#include "tests/support/counting_allocator.h"
#include "tools/host/drawing_target.h"

namespace bvm {
namespace {

TEST(Lifecycle, ThousandCyclesLeaveNoObjectAndNoMemory) {
    host::TDrawingTarget target(640, 480);
    TAIMPVisualData data{};
    TVisualization* v = TInterfacedObjectEx::Create<TVisualization>();
    v->AddRef();
    const auto cycle = [&](int i) {
        ASSERT_EQ(v->Initialize(640, 480), S_OK);
        data.Peaks[0] = static_cast<float>(i % 7);
        data.Peaks[1] = 1.0f;
        for (int f = 0; f < 3; ++f) v->Draw(target.Handle(), &data);
        v->Finalize();
    };
    cycle(0);  // anything made once for the process is made here
    const int32_t objects = LiveGraphicsObjects();
    const long memory = test::LiveAllocations();
    for (int i = 1; i <= 1000; ++i) cycle(i);
    EXPECT_EQ(LiveGraphicsObjects(), objects);
    EXPECT_EQ(test::LiveAllocations(), memory);
    v->Release();
}

TEST(Lifecycle, ReferenceCountsFromManyThreads) {
    const int32_t live = TInterfacedObjectEx::LiveObjects();
    TVisualization* v = TInterfacedObjectEx::Create<TVisualization>();
    v->AddRef();
    constexpr int kThreads = 4, kRounds = 20000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([v] {
            for (int i = 0; i < kRounds; ++i) {
                v->AddRef();
                void* again = nullptr;
                v->QueryInterface(IID_IUnknown, &again);
                static_cast<IUnknown*>(again)->Release();
                v->Release();
            }
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(v->RefCount(), 1);
    EXPECT_EQ(v->Release(), 0u);
    EXPECT_EQ(TInterfacedObjectEx::LiveObjects(), live);
}

}  // namespace
}  // namespace bvm
