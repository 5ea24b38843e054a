#pragma once
// The meter as the player runs it: the plug-in library loaded by path, its
// plug-in object initialised with a host core, and the visualization it
// registers initialised for one area and drawn frame by frame.

#include <cstdint>
#include <string>

#include "platform/com_ptr.h"
#include "tools/host/drawing_target.h"
#include "tools/host/host_objects.h"
#include "tools/host/player_services.h"
#include "tools/host/plugin_library.h"

namespace bvm::host {

class TMeterHost {
public:
    // Raises std::runtime_error naming the step that failed.
    TMeterHost(const std::string& pluginPath, int32_t width, int32_t height);
    // Finalizes the visualization and the plug-in and unloads the library.
    ~TMeterHost();
    TMeterHost(const TMeterHost&) = delete;
    TMeterHost& operator=(const TMeterHost&) = delete;

    // One frame with these peaks, 1.0 being full scale.
    void Draw(float left, float right);
    // A new area for the next frames; the drawing target keeps its size.
    void Resize(int32_t width, int32_t height) { FVisualization->Resize(width, height); }
    const TDrawingTarget& Target() const { return FTarget; }

private:
    void Start(int32_t width, int32_t height);
    void Stop() noexcept;

    TPlayerServices FServices;
    TPluginLibrary FLibrary;
    TComPtr<THostCore> FCore;
    TComPtr<IAIMPPlugin> FPlugin;
    TComPtr<IAIMPExtensionEmbeddedVisualization> FVisualization;
    bool FPluginInitialized = false;
    bool FVisualizationInitialized = false;
    TDrawingTarget FTarget;
    TAIMPVisualData FData{};
};

}  // namespace bvm::host
