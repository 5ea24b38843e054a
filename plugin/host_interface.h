#pragma once
// The AIMP host contract as this plug-in relies on it: the interfaces it
// implements, the host operations it calls, and the frame record. Every
// declaration keeps the host's slot order; interfaces have no virtual
// destructor because that would add slots the host does not know.

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <unknwn.h>
#define BVM_STDCALL __stdcall
// The DLL's exports are listed in its module definition file.
#define BVM_EXPORT
#else
#define BVM_STDCALL
#define BVM_EXPORT __attribute__((visibility("default")))
#endif

namespace bvm {

#ifdef _WIN32

using ::GUID;
using ::HDC;
using ::HRESULT;
using ::IUnknown;
using ::ULONG;

#else

using HRESULT = int32_t;
using ULONG = uint32_t;

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

constexpr bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

struct IUnknown {
    virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

// The drawing target on platforms without GDI. Hosts create it, so its layout
// is part of the contract.
struct TMemoryDC {
    uint8_t* Bits;   // top row first; 4 bytes a pixel: blue, green, red, alpha
    int32_t Width;   // pixels in a row
    int32_t Height;  // rows
    int32_t Stride;  // bytes from the start of one row to the next: a multiple of 4, at least 4 * Width
};
static_assert(offsetof(TMemoryDC, Width) == sizeof(void*));
static_assert(offsetof(TMemoryDC, Height) == sizeof(void*) + 4);
static_assert(offsetof(TMemoryDC, Stride) == sizeof(void*) + 8);

using HDC = TMemoryDC*;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);

#endif

static_assert(sizeof(GUID) == 16);
static_assert(sizeof(HRESULT) == 4 && sizeof(ULONG) == 4);

// Host text is UTF-16 on every platform.
using PWideChar = const char16_t*;

inline constexpr GUID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr GUID IID_IAIMPPlugin = {0x00000000, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr GUID IID_IAIMPCore = {0x41494D50, 0x436F, 0x7265, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr GUID IID_IAIMPString = {0x41494D50, 0x5374, 0x7269, {0x6E, 0x67, 0, 0, 0, 0, 0, 0}};
inline constexpr GUID IID_IAIMPServiceVisualizations = {
    0x41494D50, 0x5372, 0x7656, {0x69, 0x73, 0x75, 0x61, 0x6C, 0, 0, 0}};
inline constexpr GUID IID_IAIMPExtensionEmbeddedVisualization = {
    0x41494D50, 0x4578, 0x7445, {0x6D, 0x62, 0x64, 0x56, 0x69, 0x73, 0, 0}};

// Host string object. Only slot 8 is used; the slots before it are kept as
// placeholders so that AssignText lands where the host has it.
struct IAIMPString : IUnknown {
    virtual HRESULT BVM_STDCALL Placeholder3() { return E_NOTIMPL; }
    virtual HRESULT BVM_STDCALL Placeholder4() { return E_NOTIMPL; }
    virtual HRESULT BVM_STDCALL Placeholder5() { return E_NOTIMPL; }
    virtual HRESULT BVM_STDCALL Placeholder6() { return E_NOTIMPL; }
    virtual HRESULT BVM_STDCALL Placeholder7() { return E_NOTIMPL; }
    virtual HRESULT BVM_STDCALL AssignText(PWideChar Text, int32_t Length) = 0;

protected:
    ~IAIMPString() = default;
};

// Host core: slot 3 makes objects, slot 5 registers extensions.
struct IAIMPCore : IUnknown {
    virtual HRESULT BVM_STDCALL ObtainObject(const GUID& IID, void** Object) = 0;
    virtual HRESULT BVM_STDCALL Placeholder4() { return E_NOTIMPL; }
    virtual HRESULT BVM_STDCALL AddExtension(const GUID& ServiceIID, IUnknown* Extension) = 0;

protected:
    ~IAIMPCore() = default;
};

// Implemented by the plug-in; its identifier is all zeros.
struct IAIMPPlugin : IUnknown {
    virtual PWideChar BVM_STDCALL GetInfoText(int32_t Index) = 0;
    virtual int32_t BVM_STDCALL GetCategories() = 0;
    virtual HRESULT BVM_STDCALL PluginInitialize(IAIMPCore* Core) = 0;
    virtual void BVM_STDCALL PluginFinalize() = 0;
    virtual void BVM_STDCALL SystemNotify(int32_t NotifyID, IUnknown* Data) = 0;

protected:
    ~IAIMPPlugin() = default;
};

// The host's per-frame record; the meter reads only Peaks.
struct TAIMPVisualData {
    float Peaks[2];  // left, right
    float Spectrum[3][256];
    float Waveform[2][512];
    int32_t Reserved;
    float LogarithmicSpectrum[3][128];
};
using PAIMPVisualData = TAIMPVisualData*;

static_assert(sizeof(TAIMPVisualData) == 8716);
static_assert(offsetof(TAIMPVisualData, Peaks) == 0);
static_assert(offsetof(TAIMPVisualData, Spectrum) == 8);
static_assert(offsetof(TAIMPVisualData, Waveform) == 3080);
static_assert(offsetof(TAIMPVisualData, Reserved) == 7176);
static_assert(offsetof(TAIMPVisualData, LogarithmicSpectrum) == 7180);

// Implemented by the plug-in's visualization object.
struct IAIMPExtensionEmbeddedVisualization : IUnknown {
    virtual int32_t BVM_STDCALL GetFlags() = 0;
    virtual HRESULT BVM_STDCALL GetMaxDisplaySize(int32_t* Width, int32_t* Height) = 0;
    virtual HRESULT BVM_STDCALL GetName(IAIMPString** S) = 0;
    virtual HRESULT BVM_STDCALL Initialize(int32_t Width, int32_t Height) = 0;
    virtual void BVM_STDCALL Finalize() = 0;
    virtual void BVM_STDCALL Click(int32_t X, int32_t Y, int32_t Button) = 0;
    virtual void BVM_STDCALL Draw(HDC DC, PAIMPVisualData Data) = 0;
    virtual void BVM_STDCALL Resize(int32_t NewWidth, int32_t NewHeight) = 0;

protected:
    ~IAIMPExtensionEmbeddedVisualization() = default;
};

// The library's one export.
using TAIMPPluginGetHeader = HRESULT(BVM_STDCALL*)(IAIMPPlugin** Header);
inline constexpr char kPluginExportName[] = "AIMPPluginGetHeader";

}  // namespace bvm
