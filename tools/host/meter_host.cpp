#include "tools/host/meter_host.h"

#include <cstdio>
#include <stdexcept>

namespace bvm::host {
namespace {

std::string Failure(const char* step, HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
    return std::string("the plug-in failed ") + step + " (" + code + ")";
}

}  // namespace

TMeterHost::TMeterHost(const std::string& pluginPath, int32_t width, int32_t height)
    : FLibrary(pluginPath), FCore(TComPtr<THostCore>::Adopt(new THostCore())), FTarget(width, height) {
    try {
        Start(width, height);
    } catch (...) {
        Stop();
        throw;
    }
}

TMeterHost::~TMeterHost() { Stop(); }

void TMeterHost::Start(int32_t width, int32_t height) {
    IAIMPPlugin* plugin = nullptr;
    if (const HRESULT result = FLibrary.GetHeader()(&plugin); result != S_OK || !plugin)
        throw std::runtime_error(Failure("to hand out its plug-in object", result));
    FPlugin = TComPtr<IAIMPPlugin>::Adopt(plugin);
    if (const HRESULT result = FPlugin->PluginInitialize(FCore.Get()); result != S_OK)
        throw std::runtime_error(Failure("to initialise", result));
    FPluginInitialized = true;
    FVisualization = TComPtr<IAIMPExtensionEmbeddedVisualization>::Adopt(FCore->Visualization());
    if (!FVisualization) throw std::runtime_error("the plug-in registered no embedded visualization");
    if (const HRESULT result = FVisualization->Initialize(width, height); result != S_OK)
        throw std::runtime_error(Failure("to initialise its visualization", result));
    FVisualizationInitialized = true;
}

void TMeterHost::Stop() noexcept {
    if (FVisualizationInitialized) FVisualization->Finalize();
    FVisualization.Reset();
    if (FPluginInitialized) FPlugin->PluginFinalize();
    FPlugin.Reset();
    FCore->ReleaseExtensions();
}

void TMeterHost::Draw(float left, float right) {
    FData.Peaks[0] = left;
    FData.Peaks[1] = right;
    FVisualization->Draw(FTarget.Handle(), &FData);
}

}  // namespace bvm::host
