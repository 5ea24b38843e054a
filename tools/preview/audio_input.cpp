#include "tools/preview/audio_input.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace bvm::preview {
namespace {

// Longer than this, the length is a placeholder for "unknown", not a length.
constexpr int64_t kMaxLength = int64_t{1} << 40;

}  // namespace

void TAudioFile::TClose::operator()(sf_private_tag* file) const { sf_close(file); }

TAudioFile::TAudioFile(const std::string& path) : FPath(path) {
    SF_INFO info{};
    FFile.reset(sf_open(path.c_str(), SFM_READ, &info));
    if (!FFile) throw std::runtime_error("cannot read audio from " + path + ": " + sf_strerror(nullptr));
    FSampleRate = info.samplerate;
    FChannels = info.channels;
    FLength = info.frames;
    if (FLength <= 0 || FSampleRate <= 0 || FChannels <= 0) throw std::runtime_error(path + " holds no audio");
    if (FLength > kMaxLength) throw std::runtime_error(path + " does not tell its length");
}

void TAudioFile::Read(int64_t count, std::vector<float>& interleaved) {
    interleaved.resize(static_cast<size_t>(count * FChannels));
    const sf_count_t got = sf_readf_float(FFile.get(), interleaved.data(), count);
    if (sf_error(FFile.get()) != SF_ERR_NO_ERROR)
        throw std::runtime_error("cannot read audio from " + FPath + ": " + sf_strerror(FFile.get()));
    interleaved.resize(static_cast<size_t>(std::max<sf_count_t>(got, 0) * FChannels));
}

TPeaks TFramePeaks::Next() {
    const int64_t end = std::min(FClock.FrameStart(FFrame + 1), FFile.Length());
    FFile.Read(end - FClock.FrameStart(FFrame), FSamples);
    ++FFrame;
    const size_t channels = static_cast<size_t>(FFile.Channels());
    const size_t right = channels > 1 ? 1 : 0;
    TPeaks peaks{0, 0};
    for (size_t i = 0; i + channels <= FSamples.size(); i += channels) {
        peaks.Left = std::max(peaks.Left, std::abs(FSamples[i]));
        peaks.Right = std::max(peaks.Right, std::abs(FSamples[i + right]));
    }
    return peaks;
}

}  // namespace bvm::preview
