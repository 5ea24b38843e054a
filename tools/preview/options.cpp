#include "tools/preview/options.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace bvm::preview {
namespace {

constexpr double kMaxSeconds = 1e7;  // about four months: any longer is a typing mistake

// Digits only, so that "10x+5" or " 7" are refused rather than read loosely.
std::optional<int32_t> ParseWhole(const std::string& text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

int32_t ParseInteger(const std::string& option, const std::string& text, int32_t low, int32_t high) {
    const std::optional<int32_t> value = ParseWhole(text);
    if (!value || *value < low || *value > high)
        throw TUsageError(option + " wants a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                          ", not '" + text + "'");
    return *value;
}

// A decimal number with an optional sign, within [low, high].
double ParseDecimal(const std::string& option, const std::string& text, double low, double high,
                    const std::string& wanted) {
    const std::string digits = text.starts_with('+') ? text.substr(1) : text;
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc() || stop != end || !std::isfinite(value) || value < low || value > high)
        throw TUsageError(option + " wants " + wanted + ", not '" + text + "'");
    return value;
}

void ParseSize(const std::string& text, TOptions& options) {
    const size_t x = text.find('x');
    const auto side = [](std::optional<int32_t> value) { return value && *value >= 1 && *value <= kMaxSide; };
    const std::optional<int32_t> width = ParseWhole(text.substr(0, x));
    const std::optional<int32_t> height = x == std::string::npos ? std::nullopt : ParseWhole(text.substr(x + 1));
    if (!side(width) || !side(height))
        throw TUsageError("--size wants WIDTHxHEIGHT, each from 1 to " + std::to_string(kMaxSide) + ", not '" + text +
                          "'");
    options.Width = *width;
    options.Height = *height;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size()) return false;
    for (size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - ending.size() + i])) != ending[i]) return false;
    return true;
}

using TSetter = std::function<void(const std::string& value, TOptions&)>;

const std::map<std::string, TSetter>& OptionsWithValue() {
    static const std::map<std::string, TSetter> options{
        {"--size", ParseSize},
        {"--fps", [](const std::string& v, TOptions& o) { o.Fps = ParseInteger("--fps", v, 1, kMaxFps); }},
        {"--gain",
         [](const std::string& v, TOptions& o) {
             const std::string limit = std::to_string(static_cast<int>(kMaxGainDb));
             o.GainDb = ParseDecimal("--gain", v, -kMaxGainDb, kMaxGainDb, "decibels from -" + limit + " to +" + limit);
         }},
        {"--at",
         [](const std::string& v, TOptions& o) {
             o.SnapshotAt = ParseDecimal("--at", v, 0, kMaxSeconds, "a time in seconds, 0 or more");
         }},
        {"--plugin", [](const std::string& v, TOptions& o) { o.Plugin = v; }},
        {"--snapshot",
         [](const std::string& v, TOptions& o) {
             if (!EndsWithIgnoringCase(v, ".png")) throw TUsageError("--snapshot writes a PNG: name it FILE.png");
             o.Snapshot = v;
         }},
        {"--video",
         [](const std::string& v, TOptions& o) {
             o.VideoFormat = FindVideoFormat(v);
             if (!o.VideoFormat) throw TUsageError("--video cannot write '" + v + "': name it " + VideoFormatNames());
             o.Video = v;
         }},
    };
    return options;
}

}  // namespace

TOptions ParseOptions(const std::vector<std::string>& arguments) {
    TOptions options;
    options.Plugin = BVM_DEFAULT_PLUGIN;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.Help = true;
            return options;
        }
        if (!argument.starts_with("-")) {
            if (!options.Input.empty())
                throw TUsageError("give one audio file, not '" + options.Input + "' and '" + argument + "'");
            options.Input = argument;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const auto option = OptionsWithValue().find(name);
        if (option == OptionsWithValue().end()) throw TUsageError("unknown option " + name);
        std::string value;
        if (equals != std::string::npos)
            value = argument.substr(equals + 1);
        else if (i + 1 < arguments.size())
            value = arguments[++i];
        else
            throw TUsageError(name + " wants a value");
        option->second(value, options);
    }
    if (options.Snapshot.empty() && options.Video.empty())
        throw TUsageError("nothing to write: give --snapshot FILE.png --at SECONDS, --video FILE, or both");
    if (!options.Snapshot.empty() && !options.SnapshotAt) throw TUsageError("--snapshot wants --at SECONDS as well");
    if (options.Snapshot.empty() && options.SnapshotAt) throw TUsageError("--at is the time of a --snapshot");
    if (!options.Snapshot.empty() && options.Snapshot == options.Video)
        throw TUsageError("--snapshot and --video name the same file");
    return options;
}

std::string UsageText(const std::string& program) {
    char defaults[512];
    std::snprintf(defaults, sizeof defaults,
                  "  --size WxH           the area the meter draws in (default %dx%d, the whole meter)\n"
                  "  --fps N              frames per second (default %d); each frame shows the peaks of its samples\n"
                  "  --gain DB            added to every peak before it reaches the meter; a peak of 1.0 reads 0 dB\n"
                  "                       (default %+g for a file, %+g for the built-in programme)\n",
                  kDefaultWidth, kDefaultHeight, kDefaultFps, kFileGainDb, kProgrammeGainDb);
    return "Usage: " + program +
           " [OPTIONS] [AUDIO-FILE]\n"
           "Renders the Brisvaldomatics meter from an audio file (WAV, FLAC, Ogg, MP3 and whatever else\n"
           "libsndfile reads), or from a built-in demo programme of " +
           std::to_string(static_cast<int>(kProgrammeSeconds)) +
           " seconds when none is given.\n"
           "\n"
           "  --snapshot FILE.png  write the frame shown at --at as a PNG\n"
           "  --at SECONDS         the time of the snapshot\n"
           "  --video FILE         write a video: .mp4 (H.264, AAC), .webm (VP9, Opus),\n"
           "                       .mkv (lossless FFV1, FLAC) or .gif (no sound); needs ffmpeg\n" +
           std::string(defaults) +
           "  --plugin PATH        the plug-in library to load (default: the one built with this program)\n"
           "  --help               show this text\n"
           "\n"
           "Exit status: 0 done, 1 failed (unreadable input, ffmpeg missing or failing, no plug-in),\n"
           "2 wrong command line, 130 interrupted. No file is left half-written.\n";
}

}  // namespace bvm::preview
