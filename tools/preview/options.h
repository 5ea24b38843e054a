#pragma once
// The command line of brisvaldomatics-preview and its defaults.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/preview/demo_programme.h"
#include "tools/preview/video_formats.h"

namespace bvm::preview {

// The area the player gives the meter by default: the artwork's own size.
inline constexpr int32_t kDefaultWidth = 638;
inline constexpr int32_t kDefaultHeight = 470;
// Large enough for any screen, small enough that a frame stays a modest buffer.
inline constexpr int32_t kMaxSide = 8192;
inline constexpr int32_t kDefaultFps = 30;
inline constexpr int32_t kMaxFps = 240;
// Mastered music peaks near full scale, which the meter reads as 0 dB, the top
// of its bar. Six decibels more carry those peaks into the peak-hold display
// (+2 dB and up) on loud passages while quieter ones, below about -5 dBFS,
// move the bar.
inline constexpr double kFileGainDb = 6.0;
inline constexpr double kMaxGainDb = 60.0;

// A mistake on the command line: exit code 2.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TOptions {
    std::string Input;   // empty: the built-in programme
    std::string Plugin;  // the library built alongside unless given
    int32_t Width = kDefaultWidth;
    int32_t Height = kDefaultHeight;
    int32_t Fps = kDefaultFps;
    std::optional<double> GainDb;
    std::string Snapshot;
    std::optional<double> SnapshotAt;  // seconds
    std::string Video;
    const TVideoFormat* VideoFormat = nullptr;
    bool Help = false;

    double Gain() const { return GainDb.value_or(Input.empty() ? kProgrammeGainDb : kFileGainDb); }
};

// Raises TUsageError naming the first thing wrong.
TOptions ParseOptions(const std::vector<std::string>& arguments);

std::string UsageText(const std::string& program);

}  // namespace bvm::preview
