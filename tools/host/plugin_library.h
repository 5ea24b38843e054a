#pragma once
// A plug-in library loaded by path, as the player loads it, and its export.

#include <memory>
#include <stdexcept>
#include <string>

#include "plugin/host_interface.h"

namespace bvm::host {

class TLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TPluginLibrary {
public:
    // Raises TLoadError naming the cause: a file that cannot be loaded, or a
    // library without the export.
    explicit TPluginLibrary(const std::string& path);
    // Unloads the library.
    ~TPluginLibrary();
    TPluginLibrary(const TPluginLibrary&) = delete;
    TPluginLibrary& operator=(const TPluginLibrary&) = delete;

    TAIMPPluginGetHeader GetHeader() const { return FGetHeader; }

    struct THandle;

private:
    std::unique_ptr<THandle> FHandle;
    TAIMPPluginGetHeader FGetHeader = nullptr;
};

}  // namespace bvm::host
