#include "tools/preview/output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace bvm::preview {

std::string SystemError() { return std::strerror(errno); }

TPendingFile::TPendingFile(std::string path) : FPath(std::move(path)) {
    const std::filesystem::path final(FPath);
    // Hidden and marked with the process, so that neither a listing nor a
    // second render mistakes it for a result.
    const std::string stem = "." + final.filename().string() + ".partial-" + std::to_string(getpid());
    for (int attempt = 0;; ++attempt) {
        FTemporaryPath = (final.parent_path() / (stem + (attempt ? "-" + std::to_string(attempt) : ""))).string();
        const int fd = open(FTemporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            return;
        }
        if (errno != EEXIST) throw std::runtime_error("cannot write " + FPath + ": " + SystemError());
    }
}

TPendingFile::~TPendingFile() {
    if (!FCommitted) std::remove(FTemporaryPath.c_str());
}

void TPendingFile::Commit() {
    if (std::rename(FTemporaryPath.c_str(), FPath.c_str()) != 0)
        throw std::runtime_error("cannot write " + FPath + ": " + SystemError());
    FCommitted = true;
}

TScratchFile::TScratchFile(const std::string& suffix) {
    const std::string pattern = (std::filesystem::temp_directory_path() / ("brisvaldomatics-XXXXXX" + suffix)).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkostemps(name.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot make a temporary file in " + pattern + ": " + SystemError());
    close(fd);
    FPath = name.data();
}

TScratchFile::~TScratchFile() { std::remove(FPath.c_str()); }

}  // namespace bvm::preview
