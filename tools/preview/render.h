#pragma once
// One render: audio in, the meter drawn frame by frame, a snapshot and a video out.

#include <atomic>
#include <stdexcept>

#include "tools/preview/options.h"

namespace bvm::preview {

class TInterrupted : public std::runtime_error {
public:
    TInterrupted() : std::runtime_error("interrupted") {}
};

// Raises TUsageError for a snapshot time past the end of the audio,
// TInterrupted once `stop` is set, std::runtime_error for anything else that
// fails. Results appear only when complete.
void Render(const TOptions& options, const std::atomic<bool>& stop);

}  // namespace bvm::preview
