#pragma once

// User actions that arrive in one burst, faster than the program handles them.

#include <cstddef>
#include <functional>
#include <vector>

#include "core/modSupport.h"

/// Runs the first action at once and each later one inside the event pump of the handling of
/// the one before, after that handling has let pending events run intSkip times; returns how
/// many actions ran. The pump is empty again afterwards.
inline std::size_t RunBurst(const std::vector<std::function<void()>>& arrAction, int intSkip = 0) {
    std::size_t intNext = 1;
    int intPumps = 0;
    modSupport::SetEventPump([&] {
        if (intNext >= arrAction.size() || intPumps++ < intSkip) return;
        intPumps = 0;
        arrAction.at(intNext++)();
    });
    if (!arrAction.empty()) arrAction.front()();
    modSupport::SetEventPump({});
    return arrAction.empty() ? 0 : intNext;
}
