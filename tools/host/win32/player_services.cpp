#include "tools/host/player_services.h"

#include <windows.h>
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

namespace bvm::host {

struct TPlayerServices::TImpl {
    ULONG_PTR Token = 0;
    TImpl() {
        const Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&Token, &input, nullptr);
    }
    ~TImpl() { Gdiplus::GdiplusShutdown(Token); }
};

TPlayerServices::TPlayerServices() : FImpl(std::make_unique<TImpl>()) {}
TPlayerServices::~TPlayerServices() = default;

}  // namespace bvm::host
