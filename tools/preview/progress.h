#pragma once
// A progress bar on the terminal for renders that take more than a moment.

#include <chrono>
#include <cstdint>

namespace bvm::preview {

class TProgress {
public:
    // Shows nothing unless standard error is a terminal.
    explicit TProgress(int64_t total);
    ~TProgress() { Clear(); }
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;

    void Update(int64_t done);
    // Removes the bar from the terminal, before other output.
    void Clear();

private:
    using TClock = std::chrono::steady_clock;
    int64_t FTotal;
    bool FEnabled;
    bool FShown = false;
    TClock::time_point FStart = TClock::now();
    TClock::time_point FLastDrawn;
};

}  // namespace bvm::preview
