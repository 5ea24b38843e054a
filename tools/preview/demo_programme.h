#pragma once
// The built-in demo programme: ten seconds of tones that take the meter over
// its whole scale, for a render without an audio file of one's own.

#include <string>

namespace bvm::preview {

// Its loudest bursts peak at -1 dBFS; metered this much hotter they read
// +15 dB, past the top segment (+14 dB), and its quietest tone reads -30 dB,
// below the first (-25 dB).
inline constexpr double kProgrammeGainDb = 16.0;
inline constexpr double kProgrammeSeconds = 10.0;

// Writes it as a stereo WAV file of 32-bit floats; the same samples every time.
void WriteDemoProgramme(const std::string& path);

}  // namespace bvm::preview
