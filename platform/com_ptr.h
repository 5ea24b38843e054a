#pragma once
// Owns one counted reference to a component-model interface: taken when a
// pointer is stored, released when the store is overwritten or emptied.

#include <utility>

namespace bvm {

template <class T>
class TComPtr {
public:
    TComPtr() = default;
    // Takes a reference of its own.
    explicit TComPtr(T* object) : FObject(object) {
        if (FObject) FObject->AddRef();
    }
    TComPtr(const TComPtr& other) : TComPtr(other.FObject) {}
    TComPtr(TComPtr&& other) noexcept : FObject(std::exchange(other.FObject, nullptr)) {}
    ~TComPtr() { Reset(); }

    TComPtr& operator=(TComPtr other) noexcept {
        std::swap(FObject, other.FObject);
        return *this;
    }

    // Adopts a reference that the caller already holds, as an out slot fills it.
    static TComPtr Adopt(T* object) {
        TComPtr p;
        p.FObject = object;
        return p;
    }

    void Reset() {
        if (T* old = std::exchange(FObject, nullptr)) old->Release();
    }
    // Hands the reference over to the caller.
    T* Detach() { return std::exchange(FObject, nullptr); }
    // Empties the store and gives its address to an operation that fills it.
    T** Put() {
        Reset();
        return &FObject;
    }

    T* Get() const { return FObject; }
    T* operator->() const { return FObject; }
    explicit operator bool() const { return FObject != nullptr; }

private:
    T* FObject = nullptr;
};

}  // namespace bvm
