#pragma once
// The host's side of the contract: a core that makes string objects and
// keeps registered extensions, as the player's does. It counts its
// references and can be told to fail, so that tests see how a plug-in
// treats it.

#include <atomic>
#include <string>
#include <vector>

#include "plugin/host_interface.h"

namespace bvm::host {

// A counted host object; it deletes itself when its count reaches 0.
template <class Interface>
class TCounted : public Interface {
public:
    HRESULT BVM_STDCALL QueryInterface(const GUID& iid, void** object) noexcept override;
    ULONG BVM_STDCALL AddRef() noexcept override { return ++FCount; }
    ULONG BVM_STDCALL Release() noexcept override {
        const ULONG count = --FCount;
        if (count == 0) delete this;
        return count;
    }
    ULONG Count() const { return FCount.load(); }

protected:
    virtual ~TCounted() = default;
    virtual const GUID& InterfaceID() const = 0;

private:
    std::atomic<ULONG> FCount{1};  // the creator's reference
};

class THostString final : public TCounted<IAIMPString> {
public:
    explicit THostString(HRESULT assignResult) : FAssignResult(assignResult) { ++gLive; }
    HRESULT BVM_STDCALL AssignText(PWideChar Text, int32_t Length) noexcept override;
    const std::u16string& Text() const { return FText; }
    // String objects alive now.
    static int Live() { return gLive.load(); }

protected:
    ~THostString() override { --gLive; }
    const GUID& InterfaceID() const override { return IID_IAIMPString; }

private:
    HRESULT FAssignResult;
    std::u16string FText;
    static inline std::atomic<int> gLive{0};
};

class THostCore final : public TCounted<IAIMPCore> {
public:
    HRESULT BVM_STDCALL ObtainObject(const GUID& IID, void** Object) noexcept override;
    HRESULT BVM_STDCALL AddExtension(const GUID& ServiceIID, IUnknown* Extension) noexcept override;

    // What ObtainObject and the strings' AssignText answer; a failure code makes no object.
    HRESULT ObtainResult = S_OK;
    HRESULT AssignResult = S_OK;
    // Answer AddExtension with E_FAIL and keep no reference, as a host that
    // refuses the registration does.
    bool RefuseRegistration = false;

    // Every AddExtension call, in order: the service asked for and the
    // extension, kept with a reference unless refused.
    struct TRegistration {
        GUID Service;
        IUnknown* Extension;
        bool Kept;
    };
    const std::vector<TRegistration>& Registrations() const { return FRegistrations; }
    // The visualization of the last kept registration, with a reference of the
    // caller's own; null if there is none.
    IAIMPExtensionEmbeddedVisualization* Visualization() const;
    // Drops the references to registered extensions, as the player does when it closes.
    void ReleaseExtensions();

protected:
    ~THostCore() override { ReleaseExtensions(); }
    const GUID& InterfaceID() const override { return IID_IAIMPCore; }

private:
    std::vector<TRegistration> FRegistrations;
};

}  // namespace bvm::host
