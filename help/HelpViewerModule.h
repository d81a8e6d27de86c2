#pragma once

// The entry point of the help viewer module. The module holds everything that needs Qt's help
// engine, so that the program maps those libraries only when help is first asked for.

#include "core/Platform.h"

/// The name of the module's factory function.
inline constexpr const char* strHelpViewerFactory = "HuevraCreateHelpViewer";

/// Makes a help viewer whose unexpected failures go to fnFatalError; the caller owns it.
using HelpViewerFactory = IHelpViewer* (*)(void (*fnFatalError)() noexcept);
