#include "tools/preview/progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace bvm::preview {
namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);  // shorter renders show no bar
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;
constexpr int kLineWidth = kBarWidth + 40;

}  // namespace

TProgress::TProgress(int64_t total) : FTotal(total), FEnabled(total > 0 && isatty(STDERR_FILENO)) {}

void TProgress::Clear() {
    if (FShown) std::fprintf(stderr, "\r%*s\r", kLineWidth, "");
    FShown = false;
    FEnabled = false;
}

void TProgress::Update(int64_t done) {
    if (!FEnabled) return;
    const TClock::time_point now = TClock::now();
    if (now - FStart < kQuietStart || (FShown && now - FLastDrawn < kRedrawInterval && done < FTotal)) return;
    FShown = true;
    FLastDrawn = now;
    const int filled = static_cast<int>(done * kBarWidth / FTotal);
    std::fprintf(stderr, "\r[%s%s] %3d%%  frame %lld of %lld", std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, '.').c_str(), static_cast<int>(done * 100 / FTotal),
                 static_cast<long long>(done), static_cast<long long>(FTotal));
    std::fflush(stderr);
}

}  // namespace bvm::preview
