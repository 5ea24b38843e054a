#pragma once
// The plug-in object the host gets from the library's export.

#include "plugin/interfaced_object.h"

namespace bvm {

// What every plug-in object does: keep the host core while it is
// initialised, and ignore the host's notifications.
class TAIMPCustomPlugin : public TInterfaced<IAIMPPlugin, IID_IAIMPPlugin> {
public:
    HRESULT BVM_STDCALL PluginInitialize(IAIMPCore* Core) noexcept override;
    void BVM_STDCALL PluginFinalize() noexcept override;
    void BVM_STDCALL SystemNotify(int32_t NotifyID, IUnknown* Data) noexcept override;
};

// Brisvaldomatics: a visualization plug-in that registers one meter each
// time the host initialises it.
class TVisualPlugin final : public TAIMPCustomPlugin {
public:
    static constexpr int32_t kVisualsCategory = 4;

    PWideChar BVM_STDCALL GetInfoText(int32_t Index) noexcept override;
    int32_t BVM_STDCALL GetCategories() noexcept override;
    HRESULT BVM_STDCALL PluginInitialize(IAIMPCore* Core) noexcept override;
};

}  // namespace bvm
