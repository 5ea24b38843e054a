#pragma once
// Files the preview writes: results that take their name only once complete,
// and scratch files of its own.

#include <string>

namespace bvm::preview {

// A result file written under a temporary name in its own folder and renamed
// by Commit, so that its name never holds half a file; removed unless committed.
class TPendingFile {
public:
    // Creates the temporary file; raises std::runtime_error naming the cause.
    explicit TPendingFile(std::string path);
    ~TPendingFile();
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    const std::string& Path() const { return FPath; }
    const std::string& TemporaryPath() const { return FTemporaryPath; }
    void Commit();

private:
    std::string FPath;
    std::string FTemporaryPath;
    bool FCommitted = false;
};

// An empty file in the system's temporary folder, removed at the end.
class TScratchFile {
public:
    explicit TScratchFile(const std::string& suffix);
    ~TScratchFile();
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

// The error text of the last system call.
std::string SystemError();

}  // namespace bvm::preview
