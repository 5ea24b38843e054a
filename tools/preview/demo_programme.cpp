#include "tools/preview/demo_programme.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace bvm::preview {
namespace {

constexpr int kSampleRate = 48000;
constexpr int kChannels = 2;
constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr double kFadeSeconds = 0.005;  // at both ends of every tone, so that none clicks

// A sine tone on one channel; its level is given as the meter reads it at
// the programme's gain, moving linearly in decibels from start to end.
struct TTone {
    int Channel;
    double Start;
    double Seconds;
    double Hz;
    double FromDb;
    double ToDb;
};

constexpr TTone kTones[] = {
    // A tone rising over the whole scale, the right one 6 dB behind.
    {kLeft, 0.4, 3.0, 440, -30, 15},
    {kRight, 0.4, 3.0, 660, -36, 9},
    // A quiet bed under bursts that differ between left and right.
    {kLeft, 3.4, 3.0, 220, -14, -14},
    {kRight, 3.4, 3.0, 330, -18, -18},
    {kLeft, 3.4, 0.16, 880, 15, 15},
    {kRight, 3.4, 0.16, 990, -4, -4},
    {kLeft, 3.9, 0.16, 880, 0, 0},
    {kRight, 3.9, 0.16, 990, 15, 15},
    {kLeft, 4.4, 0.16, 880, 10, 10},
    {kRight, 4.4, 0.16, 990, 4, 4},
    {kLeft, 4.9, 0.16, 880, -8, -8},
    {kRight, 4.9, 0.16, 990, 12, 12},
    {kLeft, 5.4, 0.16, 880, 13, 13},
    {kRight, 5.4, 0.16, 990, -10, -10},
    {kLeft, 5.9, 0.16, 880, 5, 5},
    {kRight, 5.9, 0.16, 990, 15, 15},
    // Steady levels, the right one in the peak range; then the release to
    // silence for the rest of the programme.
    {kLeft, 6.4, 1.0, 440, -2, -2},
    {kRight, 6.4, 1.0, 660, 3, 3},
};

double ToneSample(const TTone& tone, double t) {
    const double local = t - tone.Start;
    if (local < 0 || local >= tone.Seconds) return 0;
    const double db = tone.FromDb + (tone.ToDb - tone.FromDb) * local / tone.Seconds;
    const double fade = std::min({1.0, local / kFadeSeconds, (tone.Seconds - local) / kFadeSeconds});
    const double amplitude = std::pow(10.0, (db - kProgrammeGainDb) / 20.0);
    return fade * amplitude * std::sin(2 * std::numbers::pi * tone.Hz * local);
}

}  // namespace

void WriteDemoProgramme(const std::string& path) {
    const size_t length = static_cast<size_t>(kProgrammeSeconds * kSampleRate);
    std::vector<float> samples(length * kChannels);
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double mix[kChannels] = {0, 0};
        for (const TTone& tone : kTones) mix[tone.Channel] += ToneSample(tone, t);
        for (int c = 0; c < kChannels; ++c) samples[i * kChannels + c] = static_cast<float>(mix[c]);
    }

    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = kChannels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    const std::unique_ptr<SNDFILE, decltype(&sf_close)> file(sf_open(path.c_str(), SFM_WRITE, &info), sf_close);
    if (!file) throw std::runtime_error("cannot write the demo programme to " + path + ": " + sf_strerror(nullptr));
    if (sf_writef_float(file.get(), samples.data(), static_cast<sf_count_t>(length)) != static_cast<sf_count_t>(length))
        throw std::runtime_error("cannot write the demo programme to " + path + ": " + sf_strerror(file.get()));
}

}  // namespace bvm::preview
