#include "help/HelpViewerModule.h"

#include "core/modSupport.h"
#include "help/QtHelpViewer.h"

// The module has its own copy of the fatal-error hook; it forwards to the program's.
extern "C" __attribute__((visibility("default"))) IHelpViewer* HuevraCreateHelpViewer(
    void (*fnFatalError)() noexcept) {
    modSupport::SetFatalErrorHandler([fnFatalError] {
        if (fnFatalError != nullptr) fnFatalError();
    });
    return new QtHelpViewer();
}
