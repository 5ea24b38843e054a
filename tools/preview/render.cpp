#include "tools/preview/render.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "tools/host/meter_host.h"
#include "tools/preview/audio_input.h"
#include "tools/preview/demo_programme.h"
#include "tools/preview/ffmpeg_pipe.h"
#include "tools/preview/output_files.h"
#include "tools/preview/png_output.h"
#include "tools/preview/progress.h"
#include "tools/preview/video_formats.h"

namespace bvm::preview {
namespace {

// So that a time typed as a decimal lands on the frame it names despite
// binary rounding, such as 0.7 s at 30 frames per second on frame 21.
constexpr double kFrameTolerance = 1e-6;
constexpr uint8_t kOpaque = 255;

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", seconds);
    return text;
}

// The meter drawn over the audio from its start, one frame at a time.
class TMeterRun {
public:
    TMeterRun(const TOptions& options, const std::string& input)
        : FAudio(input),
          FPeaks(FAudio, options.Fps),
          FMeter(options.Plugin, options.Width, options.Height),
          FGain(std::pow(10.0, options.Gain() / 20.0)),
          FFrame(static_cast<size_t>(options.Width) * static_cast<size_t>(options.Height) * 4) {}

    void DrawNext() {
        const TPeaks p = FPeaks.Next();
        FMeter.Draw(static_cast<float>(p.Left * FGain), static_cast<float>(p.Right * FGain));
    }

    // The frame last drawn, opaque: the premultiplied colours over black,
    // which leaves them as they are.
    const uint8_t* Opaque() {
        const uint8_t* source = FMeter.Target().Pixels();
        for (size_t i = 0; i < FFrame.size(); i += 4) {
            FFrame[i] = source[i];
            FFrame[i + 1] = source[i + 1];
            FFrame[i + 2] = source[i + 2];
            FFrame[i + 3] = kOpaque;
        }
        return FFrame.data();
    }

    size_t FrameBytes() const { return FFrame.size(); }

private:
    TAudioFile FAudio;
    TFramePeaks FPeaks;
    host::TMeterHost FMeter;
    double FGain;
    std::vector<uint8_t> FFrame;
};

// The frame shown at a time: the one whose span of samples holds it.
int64_t FrameAt(double seconds, const TOptions& options, const TAudioFile& audio, int64_t frameCount) {
    const double length = static_cast<double>(audio.Length()) / audio.SampleRate();
    if (seconds > length)
        throw TUsageError("--at " + Seconds(seconds) +
                          " is past the end: " + (options.Input.empty() ? "the built-in programme" : options.Input) +
                          " lasts " + Seconds(length));
    const auto frame = static_cast<int64_t>(std::floor(seconds * options.Fps + kFrameTolerance));
    return std::min(frame, frameCount - 1);
}

void CheckStop(const std::atomic<bool>& stop) {
    if (stop) throw TInterrupted();
}

}  // namespace

void Render(const TOptions& options, const std::atomic<bool>& stop) {
    std::optional<TScratchFile> programme;
    std::string input = options.Input;
    if (input.empty()) {
        programme.emplace(".wav");
        WriteDemoProgramme(programme->Path());
        input = programme->Path();
    }
    const TAudioFile audio(input);
    const int64_t frameCount = TFrameClock{audio.SampleRate(), options.Fps}.FrameCount(audio.Length());
    const bool snapshotWanted = !options.Snapshot.empty();
    const int64_t snapshotFrame = snapshotWanted ? FrameAt(*options.SnapshotAt, options, audio, frameCount) : -1;
    const TVideoFormat* format = options.VideoFormat;
    const TVideoSettings settings{options.Width, options.Height, options.Fps, input, audio.Channels()};

    std::optional<TPendingFile> snapshot, video;
    if (snapshotWanted) snapshot.emplace(options.Snapshot);
    if (format) video.emplace(options.Video);
    const int64_t framesToDraw = format ? frameCount : snapshotFrame + 1;
    const bool palettePass = format && format->Palette;
    TProgress progress(framesToDraw * (palettePass ? 2 : 1));
    int64_t drawn = 0;

    std::optional<TScratchFile> palette;
    if (palettePass) {
        palette.emplace(".png");
        TMeterRun run(options, input);
        TFfmpegPipe pass(PaletteArguments(settings, palette->Path()), options.Video, run.FrameBytes());
        for (int64_t k = 0; k < frameCount; ++k) {
            CheckStop(stop);
            run.DrawNext();
            pass.WriteFrame(run.Opaque());
            progress.Update(++drawn);
        }
        pass.Finish();
    }

    TMeterRun run(options, input);
    std::optional<TFfmpegPipe> encoder;
    if (format)
        encoder.emplace(VideoArguments(*format, settings, video->TemporaryPath(), palette ? palette->Path() : ""),
                        options.Video, run.FrameBytes());
    for (int64_t k = 0; k < framesToDraw; ++k) {
        CheckStop(stop);
        run.DrawNext();
        if (encoder || k == snapshotFrame) {
            const uint8_t* frame = run.Opaque();
            if (k == snapshotFrame) WritePng(*snapshot, frame, options.Width, options.Height);
            if (encoder) encoder->WriteFrame(frame);
        }
        progress.Update(++drawn);
    }
    if (encoder) encoder->Finish();
    CheckStop(stop);
    progress.Clear();

    if (snapshot) {
        snapshot->Commit();
        std::printf("%s: frame %lld of %dx%d, at %s\n", snapshot->Path().c_str(), static_cast<long long>(snapshotFrame),
                    options.Width, options.Height, Seconds(static_cast<double>(snapshotFrame) / options.Fps).c_str());
    }
    if (video) {
        video->Commit();
        const TSize size = EncodedSize(*format, settings);
        const std::string padding = size == TSize{options.Width, options.Height}
                                        ? ""
                                        : " (padded to " + std::to_string(size.Width) + "x" +
                                              std::to_string(size.Height) + ": the encoder takes even sizes only)";
        std::printf("%s: %lld frames of %dx%d at %d fps, %s%s\n", video->Path().c_str(),
                    static_cast<long long>(frameCount), options.Width, options.Height, options.Fps,
                    Seconds(static_cast<double>(frameCount) / options.Fps).c_str(), padding.c_str());
    }
}

}  // namespace bvm::preview
