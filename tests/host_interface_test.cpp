// The host reaches every operation by its slot number alone, so the
// declarations must keep the host's order exactly.
#include "plugin/host_interface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace bvm {
namespace {

// Calls a slot the way a host written in another language does: through the
// object's table of operations, with the object as the first argument.
template <class R, class... Args>
R CallSlot(void* object, int slot, Args... args) {
    using Operation = R(BVM_STDCALL*)(void*, Args...);
    void** table = *static_cast<void***>(object);
    return reinterpret_cast<Operation>(table[slot])(object, args...);
}

struct Visualization final : IAIMPExtensionEmbeddedVisualization {
    int last = -1;
    HRESULT BVM_STDCALL QueryInterface(const GUID&, void**) override { return last = 0; }
    ULONG BVM_STDCALL AddRef() override { return last = 1; }
    ULONG BVM_STDCALL Release() override { return last = 2; }
    int32_t BVM_STDCALL GetFlags() override { return last = 3; }
    HRESULT BVM_STDCALL GetMaxDisplaySize(int32_t* w, int32_t*) override { return *w = last = 4; }
    HRESULT BVM_STDCALL GetName(IAIMPString**) override { return last = 5; }
    HRESULT BVM_STDCALL Initialize(int32_t w, int32_t) override { return last = 6 + w; }
    void BVM_STDCALL Finalize() override { last = 7; }
    void BVM_STDCALL Click(int32_t, int32_t, int32_t b) override { last = 8 + b; }
    void BVM_STDCALL Draw(HDC, PAIMPVisualData d) override { last = 9 + static_cast<int>(d->Peaks[1]); }
    void BVM_STDCALL Resize(int32_t, int32_t h) override { last = 10 + h; }
};

TEST(HostInterface, EmbeddedVisualizationSlots) {
    Visualization v;
    void* p = static_cast<IAIMPExtensionEmbeddedVisualization*>(&v);
    EXPECT_EQ(CallSlot<ULONG>(p, 1), 1u);
    EXPECT_EQ(CallSlot<ULONG>(p, 2), 2u);
    EXPECT_EQ(CallSlot<int32_t>(p, 3), 3);
    int32_t w = 0, h = 0;
    EXPECT_EQ(CallSlot<HRESULT>(p, 4, &w, &h), 4);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(CallSlot<HRESULT>(p, 5, static_cast<IAIMPString**>(nullptr)), 5);
    EXPECT_EQ(CallSlot<HRESULT>(p, 6, 0, 0), 6);
    CallSlot<void>(p, 7);
    EXPECT_EQ(v.last, 7);
    CallSlot<void>(p, 8, 0, 0, 0);
    EXPECT_EQ(v.last, 8);
    TAIMPVisualData data{};
    CallSlot<void>(p, 9, HDC{}, &data);
    EXPECT_EQ(v.last, 9);
    CallSlot<void>(p, 10, 0, 0);
    EXPECT_EQ(v.last, 10);
}

struct Plugin final : IAIMPPlugin {
    int last = -1;
    HRESULT BVM_STDCALL QueryInterface(const GUID&, void**) override { return last = 0; }
    ULONG BVM_STDCALL AddRef() override { return last = 1; }
    ULONG BVM_STDCALL Release() override { return last = 2; }
    PWideChar BVM_STDCALL GetInfoText(int32_t) override { return last = 3, u"three"; }
    int32_t BVM_STDCALL GetCategories() override { return last = 4; }
    HRESULT BVM_STDCALL PluginInitialize(IAIMPCore*) override { return last = 5; }
    void BVM_STDCALL PluginFinalize() override { last = 6; }
    void BVM_STDCALL SystemNotify(int32_t, IUnknown*) override { last = 7; }
};

TEST(HostInterface, PluginSlots) {
    Plugin plugin;
    void* p = static_cast<IAIMPPlugin*>(&plugin);
    EXPECT_EQ(std::u16string(CallSlot<PWideChar>(p, 3, 0)), u"three");
    EXPECT_EQ(CallSlot<int32_t>(p, 4), 4);
    EXPECT_EQ(CallSlot<HRESULT>(p, 5, static_cast<IAIMPCore*>(nullptr)), 5);
    CallSlot<void>(p, 6);
    EXPECT_EQ(plugin.last, 6);
    CallSlot<void>(p, 7, 0, static_cast<IUnknown*>(nullptr));
    EXPECT_EQ(plugin.last, 7);
}

struct Core final : IAIMPCore {
    HRESULT BVM_STDCALL QueryInterface(const GUID&, void**) override { return 0; }
    ULONG BVM_STDCALL AddRef() override { return 1; }
    ULONG BVM_STDCALL Release() override { return 2; }
    HRESULT BVM_STDCALL ObtainObject(const GUID& iid, void**) override { return iid == IID_IAIMPString ? 3 : -3; }
    HRESULT BVM_STDCALL AddExtension(const GUID& sid, IUnknown*) override {
        return sid == IID_IAIMPServiceVisualizations ? 5 : -5;
    }
};

struct String final : IAIMPString {
    HRESULT BVM_STDCALL QueryInterface(const GUID&, void**) override { return 0; }
    ULONG BVM_STDCALL AddRef() override { return 1; }
    ULONG BVM_STDCALL Release() override { return 2; }
    HRESULT BVM_STDCALL AssignText(PWideChar, int32_t length) override { return 8 + length; }
};

TEST(HostInterface, CoreAndStringSlots) {
    Core core;
    void* c = static_cast<IAIMPCore*>(&core);
    EXPECT_EQ(CallSlot<HRESULT>(c, 3, &IID_IAIMPString, static_cast<void**>(nullptr)), 3);
    EXPECT_EQ(CallSlot<HRESULT>(c, 5, &IID_IAIMPServiceVisualizations, static_cast<IUnknown*>(nullptr)), 5);
    String s;
    EXPECT_EQ(CallSlot<HRESULT>(static_cast<IAIMPString*>(&s), 8, u"x", 0), 8);
}

std::string Text(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                  g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

TEST(HostInterface, IdentifiersAsTheHostWritesThem) {
    const struct {
        const GUID& id;
        const char* text;
    } cases[] = {
        {IID_IUnknown, "{00000000-0000-0000-C000-000000000046}"},
        {IID_IAIMPPlugin, "{00000000-0000-0000-0000-000000000000}"},
        {IID_IAIMPCore, "{41494D50-436F-7265-0000-000000000000}"},
        {IID_IAIMPString, "{41494D50-5374-7269-6E67-000000000000}"},
        {IID_IAIMPServiceVisualizations, "{41494D50-5372-7656-6973-75616C000000}"},
        {IID_IAIMPExtensionEmbeddedVisualization, "{41494D50-4578-7445-6D62-645669730000}"},
    };
    for (const auto& c : cases) EXPECT_EQ(Text(c.id), c.text);
}

TEST(HostInterface, ResultCodes) {
    EXPECT_EQ(static_cast<uint32_t>(S_OK), 0u);
    EXPECT_EQ(static_cast<uint32_t>(E_FAIL), 0x80004005u);
    EXPECT_EQ(static_cast<uint32_t>(E_NOINTERFACE), 0x80004002u);
    EXPECT_EQ(static_cast<uint32_t>(E_POINTER), 0x80004003u);
    EXPECT_EQ(static_cast<uint32_t>(E_UNEXPECTED), 0x8000FFFFu);
}

}  // namespace
}  // namespace bvm
