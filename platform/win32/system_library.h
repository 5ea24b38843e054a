#pragma once
// System DLLs the library loads on first use instead of importing them. They
// stay loaded for the life of the process: unloading from DllMain is unsafe.

#include <windows.h>

namespace bvm::win32 {

inline HMODULE LoadSystemLibrary(const wchar_t* name) {
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// A function of a loaded library, as its own type; null when it is missing.
template <class F>
F ProcAddress(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace bvm::win32
