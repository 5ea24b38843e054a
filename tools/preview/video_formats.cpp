#include "tools/preview/video_formats.h"

#include <algorithm>
#include <cctype>

namespace bvm::preview {
namespace {

const std::vector<TVideoFormat>& Formats() {
    static const std::vector<TVideoFormat> formats{
        // Plays everywhere. The meter's flat dark areas and sharp segments
        // want a low constant rate factor and the tuning for animation.
        {.Extension = ".mp4",
         .Muxer = "mp4",
         .VideoArguments = {"-c:v", "libx264", "-preset", "medium", "-tune", "animation", "-crf", "18", "-pix_fmt",
                            "yuv420p", "-movflags", "+faststart"},
         .AudioArguments = {"-c:a", "aac", "-b:a", "192k"},
         .EvenSize = true},
        {.Extension = ".webm",
         .Muxer = "webm",
         .VideoArguments = {"-c:v", "libvpx-vp9", "-crf", "30", "-b:v", "0", "-pix_fmt", "yuv420p", "-deadline", "good",
                            "-cpu-used", "4", "-row-mt", "1"},
         .AudioArguments = {"-c:a", "libopus", "-b:a", "160k"}},
        // Lossless, for editing: every frame decodes to exactly what the meter drew.
        {.Extension = ".mkv",
         .Muxer = "matroska",
         .VideoArguments = {"-c:v", "ffv1", "-pix_fmt", "bgr0"},
         .AudioArguments = {"-c:a", "flac"}},
        // One palette for the whole animation, so that unchanged areas stay
        // unchanged from frame to frame and cost nothing.
        {.Extension = ".gif",
         .Muxer = "gif",
         .VideoArguments = {"-filter_complex", "[0:v][1:v]paletteuse=diff_mode=rectangle", "-loop", "0"},
         .AudioArguments = {},
         .Palette = true},
    };
    return formats;
}

std::vector<std::string> RawInput(const TVideoSettings& settings) {
    return {"-f",          "rawvideo",
            "-pix_fmt",    "bgra",
            "-video_size", std::to_string(settings.Width) + "x" + std::to_string(settings.Height),
            "-framerate",  std::to_string(settings.Fps),
            "-i",          "pipe:0"};
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

const TVideoFormat* FindVideoFormat(const std::string& path) {
    std::string name = path;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const TVideoFormat& format : Formats()) {
        const std::string extension = format.Extension;
        if (name.size() > extension.size() && name.ends_with(extension)) return &format;
    }
    return nullptr;
}

std::string VideoFormatNames() {
    const size_t count = Formats().size();
    std::string names;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) names += i + 1 == count ? " or " : ", ";
        names += std::string("FILE") + Formats()[i].Extension;
    }
    return names;
}

TSize EncodedSize(const TVideoFormat& format, const TVideoSettings& settings) {
    if (!format.EvenSize) return {settings.Width, settings.Height};
    return {(settings.Width + 1) / 2 * 2, (settings.Height + 1) / 2 * 2};
}

std::vector<std::string> PaletteArguments(const TVideoSettings& settings, const std::string& palette) {
    std::vector<std::string> arguments = RawInput(settings);
    Append(arguments, {"-filter:v", "palettegen=stats_mode=full", "-update", "1", "-f", "image2", palette});
    return arguments;
}

std::vector<std::string> VideoArguments(const TVideoFormat& format, const TVideoSettings& settings,
                                        const std::string& output, const std::string& palette) {
    std::vector<std::string> arguments = RawInput(settings);
    const bool sound = !format.AudioArguments.empty();
    if (format.Palette) Append(arguments, {"-i", palette});
    if (sound) Append(arguments, {"-i", settings.Audio, "-map", "0:v:0", "-map", "1:a:0"});
    const TSize size = EncodedSize(format, settings);
    if (size != TSize{settings.Width, settings.Height})  // black, as around the meter
        Append(arguments, {"-filter:v", "pad=" + std::to_string(size.Width) + ":" + std::to_string(size.Height)});
    Append(arguments, format.VideoArguments);
    if (sound) {
        Append(arguments, format.AudioArguments);
        // The meter shows the first two channels; the sound goes down to stereo likewise.
        if (settings.AudioChannels > 2) Append(arguments, {"-ac", "2"});
    }
    Append(arguments, {"-f", format.Muxer, output});
    return arguments;
}

}  // namespace bvm::preview
