// Every Windows test program runs in a process set up as the player's is:
// GDI+ started before any plug-in code runs. A crash ends the process at once
// instead of starting a debugger, which death tests rely on.
#include <windows.h>

#include "tools/host/player_services.h"

namespace {

struct TTestProcess {
    TTestProcess() { SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX); }
    bvm::host::TPlayerServices Services;
};

const TTestProcess gProcess;

}  // namespace
