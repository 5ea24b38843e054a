#pragma once
// Audio read with libsndfile and cut into the sample spans of video frames.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sf_private_tag;

namespace bvm::preview {

// Frame k covers the samples from floor(k * rate / fps) up to, not including,
// floor((k + 1) * rate / fps), so that no rounding drifts over a long file.
struct TFrameClock {
    int64_t SampleRate;
    int64_t Fps;

    int64_t FrameStart(int64_t frame) const { return frame * SampleRate / Fps; }
    // Frames that cover `samples` samples, the last one possibly partial.
    int64_t FrameCount(int64_t samples) const { return (samples * Fps + SampleRate - 1) / SampleRate; }
};

// An open audio file. Its samples reach the caller as floats, full scale 1.0.
class TAudioFile {
public:
    // Raises std::runtime_error naming the cause.
    explicit TAudioFile(const std::string& path);

    int32_t SampleRate() const { return FSampleRate; }
    int32_t Channels() const { return FChannels; }
    int64_t Length() const { return FLength; }  // samples per channel
    // Reads the next `count` samples of every channel, interleaved; fewer at the end.
    void Read(int64_t count, std::vector<float>& interleaved);

private:
    struct TClose {
        void operator()(sf_private_tag* file) const;
    };
    std::string FPath;
    std::unique_ptr<sf_private_tag, TClose> FFile;
    int32_t FSampleRate = 0;
    int32_t FChannels = 0;
    int64_t FLength = 0;
};

struct TPeaks {
    float Left;
    float Right;
};

// The peaks of successive video frames: the largest absolute sample of each
// channel within the frame. A mono file feeds both channels; of more than two
// channels the first two count.
class TFramePeaks {
public:
    TFramePeaks(TAudioFile& file, int32_t fps) : FFile(file), FClock{file.SampleRate(), fps} {}
    TPeaks Next();

private:
    TAudioFile& FFile;
    TFrameClock FClock;
    int64_t FFrame = 0;
    std::vector<float> FSamples;
};

}  // namespace bvm::preview
