#pragma once
// Owners of the GDI objects the library makes. Each one counts itself, so
// that tests can see that no path leaves an object alive.

#include <atomic>
#include <cstdint>
#include <utility>

#include "platform/graphics.h"

namespace bvm::win32 {

inline std::atomic<int32_t> gLiveGdiObjects{0};

template <class Handle, class Deleter>
class TGdiOwner {
public:
    TGdiOwner() = default;
    explicit TGdiOwner(Handle handle) : FHandle(handle) {
        if (FHandle) ++gLiveGdiObjects;
    }
    TGdiOwner(TGdiOwner&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
    TGdiOwner& operator=(TGdiOwner&& other) noexcept {
        if (this != &other) {
            Reset();
            FHandle = std::exchange(other.FHandle, nullptr);
        }
        return *this;
    }
    ~TGdiOwner() { Reset(); }

    void Reset() {
        if (Handle old = std::exchange(FHandle, nullptr)) {
            Deleter{}(old);
            --gLiveGdiObjects;
        }
    }
    Handle Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }

private:
    Handle FHandle{};
};

struct TDeleteDC {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct TDeleteObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

using TUniqueDC = TGdiOwner<HDC, TDeleteDC>;
using TUniqueBitmap = TGdiOwner<HBITMAP, TDeleteObject>;
using TUniqueBrush = TGdiOwner<HBRUSH, TDeleteObject>;

}  // namespace bvm::win32

namespace bvm {

// A surface's DIB section and the memory DC it is selected into. The DC is
// declared last so that it goes first: a bitmap can only be deleted once no
// DC holds it.
struct TACLDib::TBitmap {
    win32::TUniqueBitmap Bitmap;
    win32::TUniqueDC DC;
};

}  // namespace bvm
