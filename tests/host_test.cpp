// The built plug-in library, loaded by path and driven through its interfaces
// only, as the player drives it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "tools/host/drawing_target.h"
#include "tools/host/host_objects.h"
#include "tools/host/plugin_library.h"

namespace bvm {
namespace {

using host::THostCore;
using host::TPluginLibrary;

template <class T>
struct Held {  // one reference of the test's own
    T* object = nullptr;
    ~Held() {
        if (object) object->Release();
    }
    T* operator->() const { return object; }
};

IAIMPPlugin* MakePlugin(const TPluginLibrary& library) {
    IAIMPPlugin* plugin = nullptr;
    EXPECT_EQ(library.GetHeader()(&plugin), S_OK);
    return plugin;
}

TEST(HostLevel, ExportHandsOutANewPluginWithOneReference) {
    const TPluginLibrary library(BVM_PLUGIN_PATH);
    EXPECT_EQ(library.GetHeader()(nullptr), E_POINTER);
    IAIMPPlugin* first = MakePlugin(library);
    IAIMPPlugin* second = MakePlugin(library);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->AddRef(), 2u);
    EXPECT_EQ(first->Release(), 1u);
    EXPECT_EQ(first->Release(), 0u);
    EXPECT_EQ(second->Release(), 0u);
}

TEST(HostLevel, PluginAnswersTheHost) {
    const TPluginLibrary library(BVM_PLUGIN_PATH);
    Held<IAIMPPlugin> plugin{MakePlugin(library)};
    EXPECT_EQ(std::u16string(plugin->GetInfoText(0)), u"Brisvaldomatics");
    EXPECT_EQ(std::u16string(plugin->GetInfoText(1)), u"Orvel_Tamsink");
    EXPECT_EQ(std::u16string(plugin->GetInfoText(2)), u"");
    EXPECT_EQ(std::u16string(plugin->GetInfoText(-1)), u"");
    EXPECT_EQ(plugin->GetInfoText(0), plugin->GetInfoText(0));
    EXPECT_EQ(plugin->GetCategories(), 4);
    void* out = nullptr;
    EXPECT_EQ(plugin->QueryInterface(IID_IAIMPCore, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    ASSERT_EQ(plugin->QueryInterface(IID_IUnknown, &out), S_OK);
    EXPECT_EQ(out, plugin.object);
    static_cast<IUnknown*>(out)->Release();
}

TEST(HostLevel, InitializeKeepsTheCoreAndRegistersOneVisualizationEachTime) {
    const TPluginLibrary library(BVM_PLUGIN_PATH);
    Held<THostCore> first{new THostCore()}, second{new THostCore()};
    Held<IAIMPPlugin> plugin{MakePlugin(library)};
    EXPECT_EQ(plugin->PluginInitialize(first.object), S_OK);
    EXPECT_EQ(first->Count(), 2u);
    EXPECT_EQ(plugin->GetCategories(), 4);
    EXPECT_EQ(plugin->PluginInitialize(second.object), S_OK);
    EXPECT_EQ(first->Count(), 1u);
    EXPECT_EQ(second->Count(), 2u);
    ASSERT_EQ(first->Registrations().size(), 1u);
    ASSERT_EQ(second->Registrations().size(), 1u);
    EXPECT_TRUE(second->Registrations()[0].Service == IID_IAIMPServiceVisualizations);
    {
        Held<IAIMPExtensionEmbeddedVisualization> visualization{second->Visualization()};
        ASSERT_NE(visualization.object, nullptr);
        EXPECT_EQ(visualization->GetFlags(), 0);
    }
    plugin->PluginFinalize();
    plugin->PluginFinalize();
    EXPECT_EQ(second->Count(), 1u);
    first->ReleaseExtensions();
    second->ReleaseExtensions();
}

TEST(HostLevel, RefusedRegistrationIsStillASuccess) {
    const TPluginLibrary library(BVM_PLUGIN_PATH);
    Held<THostCore> core{new THostCore()};
    core->RefuseRegistration = true;
    Held<IAIMPPlugin> plugin{MakePlugin(library)};
    EXPECT_EQ(plugin->PluginInitialize(core.object), S_OK);
    EXPECT_EQ(core->Count(), 2u);
    EXPECT_EQ(core->Visualization(), nullptr);
    plugin->PluginFinalize();
}

// A player session: the plug-in initialised with a core and its visualization at hand.
struct Session {
    TPluginLibrary library{BVM_PLUGIN_PATH};
    Held<THostCore> core{new THostCore()};
    Held<IAIMPPlugin> plugin{MakePlugin(library)};
    IAIMPExtensionEmbeddedVisualization* visualization = nullptr;
    Session() {
        plugin->PluginInitialize(core.object);
        visualization = core->Visualization();
    }
    ~Session() {
        if (visualization) visualization->Release();
        plugin->PluginFinalize();
        core->ReleaseExtensions();
    }
};

TEST(HostLevel, NameComesAsAHostString) {
    Session s;
    ASSERT_NE(s.visualization, nullptr);
    IAIMPString* name = nullptr;
    ASSERT_EQ(s.visualization->GetName(&name), S_OK);
    EXPECT_EQ(static_cast<host::THostString*>(name)->Text(), u"Brisvaldomatics");
    name->Release();
    for (HRESULT THostCore::*knob : {&THostCore::ObtainResult, &THostCore::AssignResult}) {
        s.core.object->*knob = E_FAIL;
        name = reinterpret_cast<IAIMPString*>(1);
        EXPECT_EQ(s.visualization->GetName(&name), E_FAIL);
        EXPECT_EQ(name, nullptr);
        EXPECT_EQ(host::THostString::Live(), 0);
        s.core.object->*knob = S_OK;
    }
}

// The frames the host sees are the composition of the model's levels.
TEST(HostLevel, FramesEqualTheCompositionOfTheModel) {
    Session s;
    ASSERT_NE(s.visualization, nullptr);
    const test::TLoadedArtwork art;
    int32_t width = 800, height = 600;
    host::TDrawingTarget target(1000, 700);
    ASSERT_EQ(s.visualization->Initialize(width, height), S_OK);
    TStereoMeter model;
    const float peaks[][2] = {{0, 0},     {5, 0.1f},  {5, 0.5f},   {5, 1},     {1.2f, 2},  {-1, 4.3f},
                              {0.9f, 6},  {0.05f, 3}, {0, 0},      {0, 0},     {2.1f, 1.06f}, {1e-9f, 5.2f}};
    int frame = 0;
    for (int round = 0; round < 3; ++round)
        for (const auto& p : peaks) {
            ++frame;
            if (frame == 15) {  // a new area between frames moves the picture, not the meter
                width = 1000;
                height = 700;
                s.visualization->Resize(width, height);
            }
            TAIMPVisualData data{};
            data.Peaks[0] = p[0];
            data.Peaks[1] = p[1];
            if (frame % 7 == 0) s.visualization->Draw(nullptr, &data);  // draws nothing, steps nothing
            if (frame % 5 == 0) s.visualization->Draw(target.Handle(), nullptr);
            s.visualization->Click(3, 4, 1);
            s.visualization->Draw(target.Handle(), &data);
            model.Step(p[0], p[1]);
            const test::TExpectedFrame expected = test::ReferenceFrame(
                art, target.Width(), target.Height(), width, height, {model.VUL, model.VUR, model.PL, model.PR});
            const std::string difference = test::FirstDifference(expected, target.Pixels(), target.Stride());
            ASSERT_EQ(difference, "") << "frame " << frame;
        }
    s.visualization->Finalize();
}

TEST(HostLevel, LibraryWithoutPeakFailsInitializeAndCopes) {
    TPluginLibrary library(BVM_PLUGIN_WITHOUT_PEAK_PATH);
    Held<THostCore> core{new THostCore()};
    Held<IAIMPPlugin> plugin{MakePlugin(library)};
    plugin->PluginInitialize(core.object);
    {
        Held<IAIMPExtensionEmbeddedVisualization> v{core->Visualization()};
        ASSERT_NE(v.object, nullptr);
        EXPECT_EQ(v->Initialize(638, 470), E_FAIL);
        host::TDrawingTarget target(638, 470);
        TAIMPVisualData data{};
        data.Peaks[0] = data.Peaks[1] = 5.0f;
        v->Draw(target.Handle(), &data);
        v->Resize(800, 600);
        v->Draw(target.Handle(), &data);
        v->Finalize();
        v->Finalize();
    }
    plugin->PluginFinalize();
    core->ReleaseExtensions();
}

TEST(HostLevel, UnloadingReleasesAHeldCoreAndTheLibraryLoadsAgain) {
    Held<THostCore> core{new THostCore()};
    for (int load = 0; load < 2; ++load) {
        auto library = std::make_unique<TPluginLibrary>(BVM_PLUGIN_PATH);
        IAIMPPlugin* plugin = MakePlugin(*library);
        EXPECT_EQ(plugin->PluginInitialize(core.object), S_OK);
        EXPECT_EQ(core->Count(), 2u);
        core->ReleaseExtensions();
        plugin->Release();  // never finalised: the library still holds the core
        library.reset();
        EXPECT_EQ(core->Count(), 1u) << "load " << load;
    }
}

}  // namespace
}  // namespace bvm
