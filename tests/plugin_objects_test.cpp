// The plug-in object, the core reference and host strings, linked in.
#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"
#include "plugin/core_reference.h"
#include "plugin/visual_plugin.h"
#include "tools/host/host_objects.h"

namespace bvm {
namespace {

using host::THostCore;
using host::THostString;

// A fresh host core with the test's own reference, released at the end.
struct Core {
    THostCore* core = new THostCore();
    ~Core() { core->Release(); }
    THostCore* operator->() const { return core; }
};

// The core reference is process-wide: every test leaves it empty.
class PluginObjects : public ::testing::Test {
protected:
    void TearDown() override { TAIMPAPIWrappers::Finalize(); }
};

// An object that takes and drops references while it is being made.
class Probe final : public TInterfaced<IAIMPPlugin, IID_IAIMPPlugin> {
public:
    Probe() {
        AddRef();
        Release();
    }
    PWideChar BVM_STDCALL GetInfoText(int32_t) noexcept override { return u""; }
    int32_t BVM_STDCALL GetCategories() noexcept override { return 0; }
    HRESULT BVM_STDCALL PluginInitialize(IAIMPCore*) noexcept override { return S_OK; }
    void BVM_STDCALL PluginFinalize() noexcept override {}
    void BVM_STDCALL SystemNotify(int32_t, IUnknown*) noexcept override {}
};

TEST_F(PluginObjects, CountsStartAtZeroAndTheLastReleaseDestroys) {
    const int32_t live = TInterfacedObjectEx::LiveObjects();
    Probe* probe = TInterfacedObjectEx::Create<Probe>();
    EXPECT_EQ(probe->RefCount(), 0);
    EXPECT_EQ(TInterfacedObjectEx::LiveObjects(), live + 1);
    EXPECT_EQ(probe->AddRef(), 1u);
    EXPECT_EQ(probe->AddRef(), 2u);
    EXPECT_EQ(probe->Release(), 1u);
    EXPECT_EQ(probe->Release(), 0u);
    EXPECT_EQ(TInterfacedObjectEx::LiveObjects(), live);
}

TEST_F(PluginObjects, QueryInterfaceAnswersItsOwnIdentifiers) {
    TVisualPlugin* plugin = TInterfacedObjectEx::Create<TVisualPlugin>();
    plugin->AddRef();
    const struct {
        const GUID& iid;
        HRESULT result;
    } cases[] = {
        {IID_IUnknown, S_OK},
        {IID_IAIMPPlugin, S_OK},
        {IID_IAIMPCore, E_NOINTERFACE},
        {IID_IAIMPExtensionEmbeddedVisualization, E_NOINTERFACE},
    };
    for (const auto& c : cases) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(plugin->QueryInterface(c.iid, &out), c.result);
        if (c.result == S_OK) {
            EXPECT_EQ(out, static_cast<IAIMPPlugin*>(plugin));
            EXPECT_EQ(plugin->RefCount(), 2);
            plugin->Release();
        } else {
            EXPECT_EQ(out, nullptr);
        }
    }
    EXPECT_EQ(plugin->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(plugin->Release(), 0u);
}

TEST_F(PluginObjects, InfoTextsAreConstants) {
    TVisualPlugin* plugin = TInterfacedObjectEx::Create<TVisualPlugin>();
    plugin->AddRef();
    const struct {
        int32_t index;
        std::u16string text;
    } cases[] = {{0, u"Brisvaldomatics"}, {1, u"Orvel_Tamsink"}, {2, u""}, {-1, u""}, {1000, u""}};
    for (const auto& c : cases) {
        PWideChar first = plugin->GetInfoText(c.index);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(std::u16string(first), c.text);
        EXPECT_EQ(plugin->GetInfoText(c.index), first);
    }
    EXPECT_EQ(plugin->GetCategories(), 4);
    plugin->Release();
}

TEST_F(PluginObjects, InitializeHoldsTheCoreAndRegistersAVisualization) {
    Core core;
    TVisualPlugin* plugin = TInterfacedObjectEx::Create<TVisualPlugin>();
    plugin->AddRef();
    EXPECT_EQ(plugin->PluginInitialize(core.core), S_OK);
    EXPECT_EQ(core->Count(), 2u);
    ASSERT_EQ(core->Registrations().size(), 1u);
    EXPECT_TRUE(core->Registrations()[0].Service == IID_IAIMPServiceVisualizations);
    IAIMPExtensionEmbeddedVisualization* visualization = core->Visualization();
    ASSERT_NE(visualization, nullptr);
    EXPECT_EQ(visualization->GetFlags(), 0);
    visualization->Release();
    EXPECT_EQ(plugin->GetCategories(), 4);

    plugin->PluginFinalize();
    EXPECT_EQ(core->Count(), 1u);
    plugin->PluginFinalize();  // the second finds the store empty
    EXPECT_EQ(core->Count(), 1u);
    plugin->Release();
}

TEST_F(PluginObjects, RefusedRegistrationStillSucceedsAndLeavesNothing) {
    Core core;
    core->RefuseRegistration = true;
    TVisualPlugin* plugin = TInterfacedObjectEx::Create<TVisualPlugin>();
    plugin->AddRef();
    const int32_t live = TInterfacedObjectEx::LiveObjects();
    EXPECT_EQ(plugin->PluginInitialize(core.core), S_OK);
    EXPECT_EQ(core->Registrations().size(), 1u);
    EXPECT_EQ(TInterfacedObjectEx::LiveObjects(), live);  // the visualization is gone
    EXPECT_EQ(core->Count(), 2u);
    plugin->PluginFinalize();
    plugin->Release();
}

TEST_F(PluginObjects, InitializeTwiceKeepsTheSecondCore) {
    Core first, second;
    TVisualPlugin* plugin = TInterfacedObjectEx::Create<TVisualPlugin>();
    plugin->AddRef();
    plugin->PluginInitialize(first.core);
    plugin->PluginInitialize(second.core);
    EXPECT_EQ(first->Count(), 1u);
    EXPECT_EQ(second->Count(), 2u);
    EXPECT_EQ(first->Registrations().size() + second->Registrations().size(), 2u);
    plugin->PluginFinalize();
    EXPECT_EQ(second->Count(), 1u);
    plugin->Release();
}

TEST_F(PluginObjects, NullCoreIsRefused) {
    TVisualPlugin* plugin = TInterfacedObjectEx::Create<TVisualPlugin>();
    plugin->AddRef();
    EXPECT_EQ(plugin->PluginInitialize(nullptr), E_POINTER);
    EXPECT_FALSE(TAIMPAPIWrappers::Core());
    plugin->Release();
}

std::string HostStringError(IAIMPCore* core) {
    TAIMPAPIWrappers::Initialize(core);
    TComPtr<IAIMPString> target;
    try {
        CreateHostString(target, u"abc", 3);
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}

TEST_F(PluginObjects, HostStringsAndTheirErrors) {
    EXPECT_EQ(HostStringError(nullptr), "Plugin was not initialized");
    const struct {
        HRESULT obtain, assign;
        std::string error;
    } cases[] = {
        {S_OK, S_OK, ""},
        {1, 1, ""},  // positive codes are successes
        {E_FAIL, S_OK, "Cannot create object (-2147467259)"},
        {S_OK, E_FAIL, "Cannot set data to IAIMPString (-2147467259)"},
    };
    for (const auto& c : cases) {
        Core core;
        core->ObtainResult = c.obtain;
        core->AssignResult = c.assign;
        EXPECT_EQ(HostStringError(core.core), c.error);
        EXPECT_EQ(THostString::Live(), 0);
        TAIMPAPIWrappers::Finalize();
    }
    EXPECT_EQ(HostStringError(nullptr), "Plugin was not initialized");
}

TEST_F(PluginObjects, HostStringHoldsTheTextAndARefusedOneStaysWithTheCaller) {
    Core core;
    TAIMPAPIWrappers::Initialize(core.core);
    TComPtr<IAIMPString> target;
    CreateHostString(target, u"Brisvaldomatics", 15);
    EXPECT_EQ(static_cast<THostString*>(target.Get())->Text(), u"Brisvaldomatics");
    EXPECT_EQ(static_cast<THostString*>(target.Get())->Count(), 1u);
    EXPECT_EQ(core->Count(), 2u);  // the operation's own reference is gone

    core->AssignResult = E_FAIL;
    EXPECT_THROW(CreateHostString(target, u"x", 1), Exception);
    EXPECT_TRUE(target);  // the caller releases it
    EXPECT_EQ(THostString::Live(), 1);
    target.Reset();
    EXPECT_EQ(THostString::Live(), 0);
}

}  // namespace
}  // namespace bvm
