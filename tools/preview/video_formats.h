#pragma once
// The video files the preview makes and the ffmpeg arguments for each.

#include <cstdint>
#include <string>
#include <vector>

namespace bvm::preview {

struct TVideoFormat {
    const char* Extension;
    const char* Muxer;
    std::vector<std::string> VideoArguments;
    std::vector<std::string> AudioArguments;  // none: the format carries no sound
    // The encoder halves the colour resolution both ways and so takes even sizes only.
    bool EvenSize = false;
    // 256 colours, chosen by a first pass over every frame.
    bool Palette = false;
};

// The format named by a path's extension, in any case; null if there is none.
const TVideoFormat* FindVideoFormat(const std::string& path);
// The names it takes, for messages.
std::string VideoFormatNames();

struct TVideoSettings {
    int32_t Width;
    int32_t Height;
    int32_t Fps;
    std::string Audio;  // the file whose sound goes with the pictures
    int32_t AudioChannels;
};

struct TSize {
    int32_t Width;
    int32_t Height;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// The picture size in the file: the frames' own, padded to even where the format needs it.
TSize EncodedSize(const TVideoFormat& format, const TVideoSettings& settings);

// For a palette format's first pass: all frames in, the palette picture out.
std::vector<std::string> PaletteArguments(const TVideoSettings& settings, const std::string& palette);
// For the video; `palette` from the first pass where the format has one.
std::vector<std::string> VideoArguments(const TVideoFormat& format, const TVideoSettings& settings,
                                        const std::string& output, const std::string& palette);

}  // namespace bvm::preview
