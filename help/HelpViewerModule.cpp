#include "help/HelpViewerModule.h"

#include <QtGlobal>  // Q_DECL_EXPORT

#include "core/modSupport.h"
#include "help/QtHelpViewer.h"

// The module has its own copy of the fatal-error hook; it forwards to the program's.
extern "C" Q_DECL_EXPORT IHelpViewer* HuevraCreateHelpViewer(void (*fnFatalError)() noexcept) {
    modSupport::SetFatalErrorHandler([fnFatalError] {
        if (fnFatalError != nullptr) fnFatalError();
    });
    return new QtHelpViewer();
}
