#pragma once
// The meter as the player runs it: the plug-in library loaded by path, its
// plug-in object initialised with a host core, and the visualization it
// registers initialised for one area and drawn frame by frame.

#include <cstdint>
#include <string>
#include <utility>

#include "tools/host/drawing_target.h"
#include "tools/host/host_objects.h"
#include "tools/host/player_services.h"
#include "tools/host/plugin_library.h"

namespace bvm::preview {

// One counted reference of the host's own.
template <class T>
class TReference {
public:
    TReference() = default;
    explicit TReference(T* adopted) : FObject(adopted) {}
    ~TReference() { Reset(); }
    TReference(const TReference&) = delete;
    TReference& operator=(const TReference&) = delete;

    T* Get() const { return FObject; }
    T* operator->() const { return FObject; }
    explicit operator bool() const { return FObject != nullptr; }
    // Releases the reference held and adopts the one given.
    void Reset(T* adopted = nullptr) {
        if (T* old = std::exchange(FObject, adopted)) old->Release();
    }

private:
    T* FObject = nullptr;
};

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
    const host::TDrawingTarget& Target() const { return FTarget; }

private:
    void Start(int32_t width, int32_t height);
    void Stop() noexcept;

    host::TPlayerServices FServices;
    host::TPluginLibrary FLibrary;
    TReference<host::THostCore> FCore;
    TReference<IAIMPPlugin> FPlugin;
    TReference<IAIMPExtensionEmbeddedVisualization> FVisualization;
    bool FPluginInitialized = false;
    bool FVisualizationInitialized = false;
    host::TDrawingTarget FTarget;
    TAIMPVisualData FData{};
};

}  // namespace bvm::preview
