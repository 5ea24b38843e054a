#pragma once
// The meter as the host drives it: its embedded-visualization object.

#include <cstdint>
#include <memory>

#include "meter/frame_composer.h"
#include "platform/graphics.h"
#include "plugin/interfaced_object.h"

namespace bvm {

class TVisualization final
    : public TInterfaced<IAIMPExtensionEmbeddedVisualization, IID_IAIMPExtensionEmbeddedVisualization> {
public:
    static constexpr int32_t kMaxDisplayWidth = 530;
    static constexpr int32_t kMaxDisplayHeight = 320;

    int32_t BVM_STDCALL GetFlags() noexcept override;
    HRESULT BVM_STDCALL GetMaxDisplaySize(int32_t* Width, int32_t* Height) noexcept override;
    HRESULT BVM_STDCALL GetName(IAIMPString** S) noexcept override;
    HRESULT BVM_STDCALL Initialize(int32_t Width, int32_t Height) noexcept override;
    void BVM_STDCALL Finalize() noexcept override;
    void BVM_STDCALL Click(int32_t X, int32_t Y, int32_t Button) noexcept override;
    void BVM_STDCALL Draw(HDC DC, PAIMPVisualData Data) noexcept override;
    void BVM_STDCALL Resize(int32_t NewWidth, int32_t NewHeight) noexcept override;

private:
    friend class TInterfacedObjectEx;
    friend struct TVisualizationProbe;  // tests read the fields
    TVisualization() = default;
    ~TVisualization() override = default;

    void ReleaseDrawing();
    void DrawFrame(HDC dc, const TAIMPVisualData& data);

    std::unique_ptr<TCanvas> FCanvas;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    int32_t VUL = 0, VUR = 0;
    int32_t PL = 0, PR = 0;
    int32_t OrgX = 0, OrgY = 0;
    int32_t TUL = 0, TUR = 0;
    int32_t TDL = 0, TDR = 0;
    int32_t TPDL = 0, TPDR = 0;
    std::unique_ptr<TACLDib> BGDib;
    std::unique_ptr<TACLDib> VUDib;
    std::unique_ptr<TACLDib> PeakDib;
    // Every sprite frame blended onto the background, made with the surfaces.
    std::unique_ptr<TPreparedSprites> FSprites;
};

}  // namespace bvm
