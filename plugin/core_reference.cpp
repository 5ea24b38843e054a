#include "plugin/core_reference.h"

#include "platform/errors.h"

namespace bvm {
namespace {

// The host serialises initialisation against string making, so the store
// itself takes no lock.
TComPtr<IAIMPCore> gCore;

}  // namespace

void TAIMPAPIWrappers::Initialize(IAIMPCore* core) { gCore = TComPtr<IAIMPCore>(core); }

void TAIMPAPIWrappers::Finalize() { gCore.Reset(); }

TComPtr<IAIMPCore> TAIMPAPIWrappers::Core() { return gCore; }

void CreateHostString(TComPtr<IAIMPString>& target, PWideChar text, int32_t length) {
    target.Reset();
    const TComPtr<IAIMPCore> core = TAIMPAPIWrappers::Core();
    if (!core) throw Exception("Plugin was not initialized");
    HRESULT result = core->ObtainObject(IID_IAIMPString, reinterpret_cast<void**>(target.Put()));
    // A success without an object is no string either.
    if (result < 0 || !target) throw Exception(FormatText("Cannot create object (%d)", static_cast<int>(result)));
    result = target->AssignText(text, length);
    if (result < 0) throw Exception(FormatText("Cannot set data to IAIMPString (%d)", static_cast<int>(result)));
}

}  // namespace bvm
