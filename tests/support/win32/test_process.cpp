// Every Windows test program runs in a process set up as the player's is:
// GDI+ started before any plug-in code runs. A crash ends the process at once
// instead of starting a debugger, which death tests rely on.
#include <windows.h>
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

namespace {

struct TTestProcess {
    ULONG_PTR Token = 0;
    TTestProcess() {
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
        const Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&Token, &input, nullptr);
    }
    ~TTestProcess() { Gdiplus::GdiplusShutdown(Token); }
};

const TTestProcess gProcess;

}  // namespace
