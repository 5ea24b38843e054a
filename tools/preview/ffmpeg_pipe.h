#pragma once
// The ffmpeg program run with raw frames piped to its standard input.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/preview/output_files.h"

namespace bvm::preview {

class TFfmpegPipe {
public:
    // Starts ffmpeg with these arguments (the program's name not included);
    // `target` names what it makes, for messages. Raises std::runtime_error
    // if it cannot start.
    TFfmpegPipe(const std::vector<std::string>& arguments, std::string target, size_t frameBytes);
    // Stops ffmpeg if it is still running.
    ~TFfmpegPipe();
    TFfmpegPipe(const TFfmpegPipe&) = delete;
    TFfmpegPipe& operator=(const TFfmpegPipe&) = delete;

    void WriteFrame(const uint8_t* frame);
    // Ends the stream and waits for ffmpeg; raises if it failed.
    void Finish();

private:
    int CloseAndWait();  // the exit status
    [[noreturn]] void Fail();
    void Stop() noexcept;

    std::string FTarget;
    size_t FFrameBytes;
    TScratchFile FLog;
    pid_t FProcess = -1;
    int FInput = -1;
};

}  // namespace bvm::preview
