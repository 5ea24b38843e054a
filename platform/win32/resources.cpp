#include "platform/resources.h"

#include <windows.h>

#include <string>

#include "platform/errors.h"

namespace bvm {
namespace {

// The module this code is linked into: the plug-in DLL, not the host.
HMODULE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OwnModule), &module);
    return module;
}

}  // namespace

std::span<const uint8_t> FindModuleResource(const char* name) {
    const HMODULE module = OwnModule();
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    HRSRC resource = FindResourceW(module, wideName.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) throw EResNotFound(FormatText("Resource %s not found", name));
    return {static_cast<const uint8_t*>(bytes), SizeofResource(module, resource)};
}

}  // namespace bvm
