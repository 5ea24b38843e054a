// The library's one export: the host's way in.
#include "plugin/visual_plugin.h"

extern "C" BVM_EXPORT bvm::HRESULT BVM_STDCALL AIMPPluginGetHeader(bvm::IAIMPPlugin** Header) noexcept {
    using namespace bvm;
    if (!Header) return E_POINTER;
    *Header = nullptr;
    try {
        TVisualPlugin* plugin = TInterfacedObjectEx::Create<TVisualPlugin>();
        plugin->AddRef();
        *Header = plugin;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
