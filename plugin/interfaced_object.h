#pragma once
// Reference-counted objects handed to the host as interfaces.

#include <atomic>
#include <cstdint>
#include <utility>

#include "plugin/boundary.h"
#include "plugin/host_interface.h"

namespace bvm {

// The count stands at 1 while the object is built, so that references taken
// and dropped during construction never destroy it, and at 0 once it is made.
// An object is destroyed in one place only: the release that brings its count
// to 0.
class TInterfacedObjectEx {
public:
    template <class T, class... Args>
    static T* Create(Args&&... args) {
        T* object = new T(std::forward<Args>(args)...);
        object->FRefCount.fetch_sub(1);
        return object;
    }

    int32_t RefCount() const { return FRefCount.load(); }
    // Objects of this kind alive in the process now, for leak tests.
    static int32_t LiveObjects() { return gLive.load(); }

protected:
    TInterfacedObjectEx() { ++gLive; }
    virtual ~TInterfacedObjectEx() { --gLive; }
    TInterfacedObjectEx(const TInterfacedObjectEx&) = delete;
    TInterfacedObjectEx& operator=(const TInterfacedObjectEx&) = delete;

    ULONG AddReference() noexcept { return static_cast<ULONG>(FRefCount.fetch_add(1) + 1); }
    ULONG ReleaseReference() noexcept;

private:
    // Refuses, with "Invalid Pointer", while references are still counted.
    void Destroy();

    std::atomic<int32_t> FRefCount{1};
    static inline std::atomic<int32_t> gLive{0};
};

// An object implementing one host interface, answering QueryInterface for
// that interface's identifier and for IUnknown's.
template <class Interface, const GUID& InterfaceID>
class TInterfaced : public Interface, public TInterfacedObjectEx {
public:
    HRESULT BVM_STDCALL QueryInterface(const GUID& iid, void** object) noexcept override {
        if (!object) return E_POINTER;
        if (iid == InterfaceID || iid == IID_IUnknown) {
            *object = static_cast<Interface*>(this);
            AddReference();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG BVM_STDCALL AddRef() noexcept override { return AddReference(); }
    ULONG BVM_STDCALL Release() noexcept override { return ReleaseReference(); }

    IUnknown* AsUnknown() { return static_cast<Interface*>(this); }
};

}  // namespace bvm
