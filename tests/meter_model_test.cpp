#include "meter/meter_model.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <vector>

#include "platform/float_traps.h"

namespace bvm {
namespace {

struct QuantiserCase {
    float peak;
    int32_t index;
};

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kQuietNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kSignalingNan = std::numeric_limits<float>::signaling_NaN();

// The published table of peak values and indexes.
const QuantiserCase kTable[] = {
    {0.0f, 0},  {0.01f, 0},  {0.05f, 0},  {0.0531f, 1}, {0.1f, 6},  {0.5f, 20},  {0.9f, 25},
    {1.0f, 26}, {1.06f, 27}, {1.189f, 28}, {2.0f, 32},  {5.0f, 40}, {5.7f, 41},
};

// Inputs without a finite level, and the extremes of the single range.
const QuantiserCase kSpecial[] = {
    {0.0f, 0},
    {-0.0f, 0},
    {0x1p-149f, 0},  // smallest subnormal
    {0x1.fffffcp-127f, 0},  // largest subnormal
    {FLT_MIN, 0},
    {0.000000001f, 0},  // -180 dB
    {FLT_MAX, 41},  // about +771 dB
    {-1.0f, 0},
    {-FLT_MAX, 0},
    {-0x1p-149f, 0},
    {kInf, 0},
    {-kInf, 0},
    {kQuietNan, 0},
    {-kQuietNan, 0},
    {kSignalingNan, 0},
};

// Levels exactly half-way between two decibel steps go to the even one.
const QuantiserCase kTies[] = {
    {4.2169647216796875f, 38},  // log10 exactly 0.625: 12.5 dB becomes 12 dB
    {0.749894201755523681640625f, 24},  // log10 exactly -0.125: -2.5 dB becomes -2 dB
};

struct Boundary {
    float lastBelow;
    float firstAt;
    int32_t index;
};

// For each index n, the last single below its boundary and the first at or
// above it, computed with exact arithmetic by tests/quantiser_boundaries.py.
const Boundary kBoundaries[] = {
    {0x1.b2e688p-5f, 0x1.b2e68ap-5f, 1},  // 0.0530884452
    {0x1.e7f76cp-5f, 0x1.e7f76ep-5f, 2},  // 0.0595662259
    {0x1.11c0fp-4f, 0x1.11c0f2p-4f, 3},  // 0.0668343976
    {0x1.332818p-4f, 0x1.33281ap-4f, 4},  // 0.0749894157
    {0x1.58a2aep-4f, 0x1.58a2bp-4f, 5},  // 0.0841395259
    {0x1.82aff4p-4f, 0x1.82aff6p-4f, 6},  // 0.0944060907
    {0x1.b1decep-4f, 0x1.b1dedp-4f, 7},  // 0.105925381
    {0x1.e6cf8p-4f, 0x1.e6cf82p-4f, 8},  // 0.118850239
    {0x1.111aeep-3f, 0x1.111afp-3f, 9},  // 0.13335216
    {0x1.326dd6p-3f, 0x1.326dd8p-3f, 10},  // 0.149623573
    {0x1.57d1aep-3f, 0x1.57d1bp-3f, 11},  // 0.167880416
    {0x1.81c576p-3f, 0x1.81c578p-3f, 12},  // 0.188364923
    {0x1.b0d7b2p-3f, 0x1.b0d7b4p-3f, 13},  // 0.211348921
    {0x1.e5a844p-3f, 0x1.e5a846p-3f, 14},  // 0.237137362
    {0x1.10754ep-2f, 0x1.10755p-2f, 15},  // 0.266072512
    {0x1.31b402p-2f, 0x1.31b404p-2f, 16},  // 0.298538268
    {0x1.57012ep-2f, 0x1.57013p-2f, 17},  // 0.334965467
    {0x1.80db84p-2f, 0x1.80db86p-2f, 18},  // 0.375837415
    {0x1.afd136p-2f, 0x1.afd138p-2f, 19},  // 0.421696544
    {0x1.e481c2p-2f, 0x1.e481c4p-2f, 20},  // 0.473151267
    {0x1.0fd016p-1f, 0x1.0fd018p-1f, 21},  // 0.530884504
    {0x1.30faap-1f, 0x1.30faa2p-1f, 22},  // 0.595662177
    {0x1.56312cp-1f, 0x1.56312ep-1f, 23},  // 0.668343961
    {0x1.7ff22p-1f, 0x1.7ff222p-1f, 24},  // 0.749894202
    {0x1.aecb58p-1f, 0x1.aecb5ap-1f, 25},  // 0.841395199
    {0x1.e35bf2p-1f, 0x1.e35bf4p-1f, 26},  // 0.944060922
    {0x1.0f2b4p+0f, 0x1.0f2b42p+0f, 27},  // 1.05925381
    {0x1.3041aep+0f, 0x1.3041bp+0f, 28},  // 1.18850231
    {0x1.5561a8p+0f, 0x1.5561aap+0f, 29},  // 1.33352149
    {0x1.7f094cp+0f, 0x1.7f094ep+0f, 30},  // 1.49623573
    {0x1.adc618p+0f, 0x1.adc61ap+0f, 31},  // 1.67880404
    {0x1.e236d2p+0f, 0x1.e236d4p+0f, 32},  // 1.88364911
    {0x1.0e86cep+1f, 0x1.0e86dp+1f, 33},  // 2.11348915
    {0x1.2f892ap+1f, 0x1.2f892cp+1f, 34},  // 2.37137365
    {0x1.5492a2p+1f, 0x1.5492a4p+1f, 35},  // 2.66072512
    {0x1.7e2104p+1f, 0x1.7e2106p+1f, 36},  // 2.9853828
    {0x1.acc178p+1f, 0x1.acc17ap+1f, 37},  // 3.34965444
    {0x1.e11266p+1f, 0x1.e11268p+1f, 38},  // 3.75837421
    {0x1.0de2cp+2f, 0x1.0de2c2p+2f, 39},  // 4.2169652
    {0x1.2ed118p+2f, 0x1.2ed11ap+2f, 40},  // 4.73151255
    {0x1.53c41ap+2f, 0x1.53c41cp+2f, 41},  // 5.30884457
};

TEST(LevelQuantiser, PublishedTable) {
    for (const auto& c : kTable) EXPECT_EQ(QuantizeLevel(c.peak), c.index) << c.peak;
}

TEST(LevelQuantiser, SpecialValues) {
    for (const auto& c : kSpecial) EXPECT_EQ(QuantizeLevel(c.peak), c.index) << c.peak;
}

TEST(LevelQuantiser, TiesGoToTheEvenLevel) {
    for (const auto& c : kTies) EXPECT_EQ(QuantizeLevel(c.peak), c.index) << c.peak;
}

TEST(LevelQuantiser, EveryIndexBoundary) {
    ASSERT_EQ(std::size(kBoundaries), 41u);
    for (const auto& b : kBoundaries) {
        EXPECT_EQ(QuantizeLevel(b.lastBelow), b.index - 1) << std::hexfloat << b.lastBelow;
        EXPECT_EQ(QuantizeLevel(b.firstAt), b.index) << std::hexfloat << b.firstAt;
    }
}

// Hosts built with Delphi unmask these traps; the quantiser must not set one off.
TEST(LevelQuantiser, NoTrapWithExceptionsUnmasked) {
    std::vector<QuantiserCase> cases(std::begin(kSpecial), std::end(kSpecial));
    cases.insert(cases.end(), std::begin(kTable), std::end(kTable));
    for (const auto& b : kBoundaries) cases.push_back({b.firstAt, b.index});
    std::vector<int32_t> results;
    {
        TUnmaskedFloatTraps traps;
        for (const auto& c : cases) results.push_back(QuantizeLevel(c.peak));
    }
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(results[i], cases[i].index) << cases[i].peak;
}

// Shows that the scope above really unmasks the traps, so that the test
// before it cannot pass by accident.
TEST(LevelQuantiserDeathTest, TrapScopeTrapsOnInvalidOperation) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    volatile float zero = 0.0f;
    EXPECT_DEATH(
        {
            TUnmaskedFloatTraps traps;
            volatile float nan = zero / zero;
            (void)nan;
        },
        "");
}

// The values of one channel after a frame.
struct FrameRow {
    int frame;
    int32_t index;
    int32_t PL, TPDL, TUL, VUL, TDL;
};

// Feeds each row's index to both channels from reset and checks both after
// every frame against the row.
void ExpectFrames(const std::vector<int32_t>& indexes, const std::vector<FrameRow>& rows) {
    TStereoMeter m;
    size_t next = 0;
    for (size_t f = 1; f <= indexes.size(); ++f) {
        const auto ignore = [](TChannel, int32_t) {};
        StepStereo(indexes[f - 1], indexes[f - 1], m.Left(), m.Right(), ignore, ignore);
        if (next < rows.size() && rows[next].frame == static_cast<int>(f)) {
            const FrameRow& r = rows[next++];
            ASSERT_EQ(indexes[f - 1], r.index) << "row of frame " << f;
            const FrameRow left{r.frame, r.index, m.PL, m.TPDL, m.TUL, m.VUL, m.TDL};
            const FrameRow right{r.frame, r.index, m.PR, m.TPDR, m.TUR, m.VUR, m.TDR};
            for (const FrameRow& got : {left, right}) {
                EXPECT_EQ(got.PL, r.PL) << "frame " << f;
                EXPECT_EQ(got.TPDL, r.TPDL) << "frame " << f;
                EXPECT_EQ(got.TUL, r.TUL) << "frame " << f;
                EXPECT_EQ(got.VUL, r.VUL) << "frame " << f;
                EXPECT_EQ(got.TDL, r.TDL) << "frame " << f;
            }
        }
    }
    EXPECT_EQ(next, rows.size()) << "rows left unchecked";
}

std::vector<int32_t> Repeat(int32_t index, int frames) { return std::vector<int32_t>(frames, index); }

std::vector<int32_t> Then(std::vector<int32_t> first, const std::vector<int32_t>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Steady index n from reset: the peak-hold level dips to n - 1 in a
// three-frame cycle; the bar attacks on three frames of four.
std::vector<FrameRow> SteadyRows(int32_t n) {
    const int32_t bar[] = {0, 14, 21, 24, 24, 26, 27, 27, 27};
    const int32_t attack[] = {3, 2, 1, 0, 3, 2, 1, 0, 3};
    const int32_t peakDecay[] = {0, 1, 1, 0, 1, 1, 0, 1, 1};
    const bool dip[] = {false, true, false, false, true, false, false, true, false};
    std::vector<FrameRow> rows;
    for (int f = 1; f <= 9; ++f) {
        rows.push_back({f, n, dip[f - 1] ? n - 1 : n, peakDecay[f - 1], attack[f - 1], bar[f - 1],
                        f % 2});
    }
    return rows;
}

TEST(MeterFrames, SilenceFromReset) {
    ExpectFrames(Repeat(0, 4), {
                                   {1, 0, 27, 1, 3, 0, 1},
                                   {2, 0, 27, 0, 2, 0, 0},
                                   {3, 0, 27, 1, 1, 0, 1},
                                   {4, 0, 27, 0, 0, 0, 0},
                               });
}

TEST(MeterFrames, SteadyIndex) {
    for (int32_t n : {40, 33}) {
        SCOPED_TRACE(n);
        ExpectFrames(Repeat(n, 9), SteadyRows(n));
    }
}

TEST(MeterFrames, SteadyIndex27HoldsPeakAt27) {
    std::vector<FrameRow> rows = SteadyRows(27);
    for (FrameRow& r : rows) {
        r.PL = 27;
        r.TPDL = (r.frame + 1) % 2;  // the hold branch runs every frame after the first
    }
    ExpectFrames(Repeat(27, 9), rows);
}

TEST(MeterFrames, IndexAbove40IsCappedBeforeBothSteps) {
    std::vector<FrameRow> rows = SteadyRows(40);
    for (FrameRow& r : rows) r.index = 41;
    ExpectFrames(Repeat(41, 9), rows);
}

TEST(MeterFrames, ReleaseAfterTwelveFramesAtFullScale) {
    const auto indexes = Then(Repeat(40, 12), Repeat(0, 60));
    ExpectFrames(indexes, {
                              {12, 40, 40, 1, 0, 27, 0},
                              {13, 0, 40, 0, 3, 26, 1},
                              {14, 0, 39, 1, 2, 26, 0},
                              {15, 0, 39, 0, 1, 25, 1},
                              {16, 0, 38, 1, 0, 25, 0},
                              {17, 0, 38, 0, 3, 24, 1},
                              {37, 0, 28, 0, 3, 14, 1},
                              {38, 0, 27, 1, 2, 14, 0},
                              {64, 0, 27, 1, 0, 1, 0},
                              {65, 0, 27, 0, 3, 0, 1},
                              {72, 0, 27, 1, 0, 0, 0},
                          });
}

TEST(MeterFrames, RisingIndexFromReset) {
    ExpectFrames({5, 10, 15, 20, 20, 20}, {
                                              {1, 5, 5, 0, 3, 0, 1},
                                              {2, 10, 10, 0, 2, 5, 0},
                                              {3, 15, 15, 0, 1, 10, 1},
                                              {4, 20, 20, 0, 0, 15, 0},
                                              {5, 20, 27, 1, 3, 15, 1},
                                              {6, 20, 27, 0, 2, 18, 0},
                                          });
}

TEST(MeterFrames, DropFromSettledBar) {
    TStereoMeter m;
    const auto ignore = [](TChannel, int32_t) {};
    for (int f = 1; f <= 10; ++f) StepStereo(27, 27, m.Left(), m.Right(), ignore, ignore);
    EXPECT_EQ(m.VUL, 27);
    EXPECT_EQ(m.TUL, 2);
    EXPECT_EQ(m.TDL, 0);
    EXPECT_EQ(m.PL, 27);
    EXPECT_EQ(m.TPDL, 1);

    const int32_t expected[] = {26, 26, 25, 25, 24, 24, 23, 23, 22, 22, 21, 21, 20};
    for (int f = 11; f <= 40; ++f) {
        StepStereo(20, 20, m.Left(), m.Right(), ignore, ignore);
        EXPECT_EQ(m.VUL, f <= 23 ? expected[f - 11] : 20) << "frame " << f;
        EXPECT_EQ(m.PL, 27) << "frame " << f;
    }
}

TEST(StereoMeter, ChannelsAreIndependentAndQuantisedFromPeaks) {
    TStereoMeter m;
    const int32_t loudBar[] = {0, 14, 21, 24, 24};
    for (int f = 1; f <= 5; ++f) {
        m.Step(5.0f, 0.0f);  // index 40 left, silence right
        EXPECT_EQ(m.VUL, loudBar[f - 1]) << "frame " << f;
        EXPECT_EQ(m.VUR, 0) << "frame " << f;
        EXPECT_EQ(m.PR, 27) << "frame " << f;
    }
    EXPECT_EQ(m.PL, 39);
}

TEST(StereoMeter, ResetClearsAllTenValues) {
    TStereoMeter m;
    for (int f = 0; f < 7; ++f) m.Step(5.0f, 2.0f);
    m.Reset();
    for (int32_t v : {m.VUL, m.VUR, m.PL, m.PR, m.TUL, m.TUR, m.TDL, m.TDR, m.TPDL, m.TPDR}) EXPECT_EQ(v, 0);
}

TEST(SpriteFrames, FollowTheLevels) {
    EXPECT_EQ(BarFrame(0), 0);
    EXPECT_EQ(BarFrame(27), 27);
    EXPECT_EQ(PeakFrame(27), 0);
    EXPECT_EQ(PeakFrame(40), 13);
    EXPECT_LT(PeakFrame(5), 0);
}

}  // namespace
}  // namespace bvm
