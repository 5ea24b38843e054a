#include "plugin/visual_plugin.h"

#include "meter/visualization.h"
#include "plugin/core_reference.h"

namespace bvm {
namespace {

// Constants of the library, so the host may keep the pointers.
constexpr char16_t kPluginName[] = u"Brisvaldomatics";
constexpr char16_t kPluginAuthor[] = u"Orvel_Tamsink";
constexpr char16_t kNoText[] = u"";

}  // namespace

HRESULT BVM_STDCALL TAIMPCustomPlugin::PluginInitialize(IAIMPCore* Core) noexcept {
    if (!Core) return E_POINTER;
    TAIMPAPIWrappers::Initialize(Core);
    return S_OK;
}

void BVM_STDCALL TAIMPCustomPlugin::PluginFinalize() noexcept { TAIMPAPIWrappers::Finalize(); }

void BVM_STDCALL TAIMPCustomPlugin::SystemNotify(int32_t, IUnknown*) noexcept {}

PWideChar BVM_STDCALL TVisualPlugin::GetInfoText(int32_t Index) noexcept {
    switch (Index) {
        case 0: return kPluginName;
        case 1: return kPluginAuthor;
        default: return kNoText;
    }
}

int32_t BVM_STDCALL TVisualPlugin::GetCategories() noexcept { return kVisualsCategory; }

HRESULT BVM_STDCALL TVisualPlugin::PluginInitialize(IAIMPCore* Core) noexcept {
    const HRESULT result = TAIMPCustomPlugin::PluginInitialize(Core);
    if (result != S_OK) return result;
    return GuardResult([&] {
        // The registration hands the host its own reference. Ours keeps the
        // object alive across the call and goes afterwards, so that a host
        // that refuses without keeping one leaves nothing behind.
        const TComPtr<IUnknown> visualization(TInterfacedObjectEx::Create<TVisualization>()->AsUnknown());
        Core->AddExtension(IID_IAIMPServiceVisualizations, visualization.Get());
        return result;
    });
}

}  // namespace bvm
