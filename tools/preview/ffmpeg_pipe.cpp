#include "tools/preview/ffmpeg_pipe.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace bvm::preview {
namespace {

constexpr char kFfmpeg[] = "ffmpeg";

std::string FirstLine(const std::string& path) {
    std::ifstream log(path);
    std::string line;
    while (std::getline(log, line))
        if (line.find_first_not_of(" \t\r") != std::string::npos) return line;
    return {};
}

}  // namespace

TFfmpegPipe::TFfmpegPipe(const std::vector<std::string>& arguments, std::string target, size_t frameBytes)
    : FTarget(std::move(target)), FFrameBytes(frameBytes), FLog(".log") {
    std::vector<std::string> command{kFfmpeg, "-hide_banner", "-loglevel", "error", "-nostdin", "-y"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : command) argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::runtime_error("cannot start ffmpeg: " + SystemError());
    FInput = pipeEnds[1];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, FLog.Path().c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group, so that an interrupt at the terminal reaches this
    // program alone, which then stops ffmpeg and removes what it wrote; and
    // SIGPIPE as usual, which this program ignores.
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    const int error = posix_spawnp(&FProcess, kFfmpeg, &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[0]);
    if (error != 0) {
        FProcess = -1;
        Stop();
        if (error == ENOENT)
            throw std::runtime_error(
                "ffmpeg is not installed: --video needs the ffmpeg program (Debian package ffmpeg)");
        errno = error;
        throw std::runtime_error("cannot start ffmpeg: " + SystemError());
    }
}

TFfmpegPipe::~TFfmpegPipe() { Stop(); }

void TFfmpegPipe::Stop() noexcept {
    if (FInput >= 0) close(FInput);
    FInput = -1;
    if (FProcess > 0) {
        kill(FProcess, SIGKILL);
        while (waitpid(FProcess, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    FProcess = -1;
}

void TFfmpegPipe::WriteFrame(const uint8_t* frame) {
    for (size_t written = 0; written < FFrameBytes;) {
        const ssize_t n = write(FInput, frame + written, FFrameBytes - written);
        if (n > 0)
            written += static_cast<size_t>(n);
        else if (errno != EINTR)
            Fail();  // ffmpeg stopped reading: it has failed
    }
}

int TFfmpegPipe::CloseAndWait() {
    close(FInput);
    FInput = -1;
    int status = 0;
    while (waitpid(FProcess, &status, 0) < 0)
        if (errno != EINTR) throw std::runtime_error("ffmpeg went missing: " + SystemError());
    FProcess = -1;
    return status;
}

void TFfmpegPipe::Finish() {
    const int status = CloseAndWait();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) Fail();
}

void TFfmpegPipe::Fail() {
    if (FProcess > 0) CloseAndWait();
    const std::string cause = FirstLine(FLog.Path());
    throw std::runtime_error("ffmpeg failed to write " + FTarget + ": " +
                             (cause.empty() ? "it stopped without saying why" : cause));
}

}  // namespace bvm::preview
