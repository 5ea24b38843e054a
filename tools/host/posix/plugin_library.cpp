#include "tools/host/plugin_library.h"

#include <dlfcn.h>

namespace bvm::host {

struct TPluginLibrary::THandle {
    void* Library;
    ~THandle() { dlclose(Library); }
};

TPluginLibrary::TPluginLibrary(const std::string& path) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) throw TLoadError("cannot load the plug-in library: " + std::string(dlerror()));
    FHandle.reset(new THandle{library});
    FGetHeader = reinterpret_cast<TAIMPPluginGetHeader>(dlsym(library, kPluginExportName));
    if (!FGetHeader) throw TLoadError(path + " is not an AIMP plug-in: it has no " + kPluginExportName + " export");
}

TPluginLibrary::~TPluginLibrary() = default;

}  // namespace bvm::host
