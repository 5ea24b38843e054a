#include "tools/host/plugin_library.h"

#include <windows.h>

namespace bvm::host {
namespace {

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
    return wide;
}

}  // namespace

struct TPluginLibrary::THandle {
    HMODULE Library;
    ~THandle() { FreeLibrary(Library); }
};

TPluginLibrary::TPluginLibrary(const std::string& path) {
    HMODULE library = LoadLibraryW(Wide(path).c_str());
    if (!library)
        throw TLoadError("cannot load the plug-in library " + path + " (error " + std::to_string(GetLastError()) +
                         ")");
    FHandle.reset(new THandle{library});
    FGetHeader = reinterpret_cast<TAIMPPluginGetHeader>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, kPluginExportName)));
    if (!FGetHeader) throw TLoadError(path + " is not an AIMP plug-in: it has no " + kPluginExportName + " export");
}

TPluginLibrary::~TPluginLibrary() = default;

}  // namespace bvm::host
