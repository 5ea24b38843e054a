// brisvaldomatics-preview: the meter rendered from audio, without the player.
// See UsageText in options.cpp for the command line.
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/preview/options.h"
#include "tools/preview/render.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;  // as shells report SIGINT

std::atomic<bool> gStop{false};

void RequestStop(int) { gStop = true; }

// An interrupt ends the render at the next frame, so that the files under
// way are removed rather than left half-written. No SA_RESTART: a blocked
// write to ffmpeg returns and the loop sees the request.
void CatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A failing ffmpeg shows as a failed write, not as this program's death.
    signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace bvm::preview;
    const std::string program = std::filesystem::path(argv[0]).filename().string();
    const auto report = [&](const std::string& message) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
    };
    try {
        const TOptions options = ParseOptions({argv + 1, argv + argc});
        if (options.Help) {
            std::fputs(UsageText(program).c_str(), stdout);
            return 0;
        }
        CatchInterrupts();
        Render(options, gStop);
        return 0;
    } catch (const TUsageError& e) {
        report(std::string(e.what()) + " (see --help)");
        return kExitUsage;
    } catch (const std::exception& e) {
        report(gStop ? "interrupted; nothing written" : e.what());
        return gStop ? kExitInterrupted : kExitFailure;
    }
}
