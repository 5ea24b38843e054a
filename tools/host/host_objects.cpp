#include "tools/host/host_objects.h"

namespace bvm::host {

template <class Interface>
HRESULT BVM_STDCALL TCounted<Interface>::QueryInterface(const GUID& iid, void** object) noexcept {
    if (!object) return E_POINTER;
    if (iid == InterfaceID() || iid == IID_IUnknown) {
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

template class TCounted<IAIMPString>;
template class TCounted<IAIMPCore>;

HRESULT BVM_STDCALL THostString::AssignText(PWideChar Text, int32_t Length) noexcept {
    if (FAssignResult < 0) return FAssignResult;
    if (!Text || Length < 0) return E_POINTER;
    FText.assign(Text, static_cast<size_t>(Length));
    return FAssignResult;
}

HRESULT BVM_STDCALL THostCore::ObtainObject(const GUID& IID, void** Object) noexcept {
    if (!Object) return E_POINTER;
    *Object = nullptr;
    if (ObtainResult < 0) return ObtainResult;
    if (!(IID == IID_IAIMPString)) return E_NOINTERFACE;
    *Object = static_cast<IAIMPString*>(new THostString(AssignResult));
    return ObtainResult;
}

HRESULT BVM_STDCALL THostCore::AddExtension(const GUID& ServiceIID, IUnknown* Extension) noexcept {
    const bool keep = !RefuseRegistration && Extension;
    if (keep) Extension->AddRef();
    FRegistrations.push_back({ServiceIID, Extension, keep});
    return keep ? S_OK : E_FAIL;
}

IAIMPExtensionEmbeddedVisualization* THostCore::Visualization() const {
    for (auto r = FRegistrations.rbegin(); r != FRegistrations.rend(); ++r) {
        if (!r->Kept || !(r->Service == IID_IAIMPServiceVisualizations)) continue;
        void* visualization = nullptr;
        if (r->Extension->QueryInterface(IID_IAIMPExtensionEmbeddedVisualization, &visualization) == S_OK)
            return static_cast<IAIMPExtensionEmbeddedVisualization*>(visualization);
    }
    return nullptr;
}

void THostCore::ReleaseExtensions() {
    for (TRegistration& r : FRegistrations)
        if (r.Kept) {
            r.Kept = false;
            r.Extension->Release();
        }
}

}  // namespace bvm::host
