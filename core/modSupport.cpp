#include "core/modSupport.h"

#include <utility>

namespace modSupport {

namespace {
std::function<void()>& FatalHandler() {
    static std::function<void()> fnHandler;
    return fnHandler;
}
std::function<void()>& EventPump() {
    static std::function<void()> fnPump;
    return fnPump;
}
}  // namespace

std::string TextAfterLast(const std::string& strText, const std::string& strSeparator) {
    if (strText.empty()) return {};
    if (strSeparator.empty()) return strText;
    const auto intPos = strText.rfind(strSeparator);
    if (intPos == std::string::npos) return strText;
    return strText.substr(intPos + strSeparator.size());
}

void SetFatalErrorHandler(std::function<void()> fnHandler) {
    FatalHandler() = std::move(fnHandler);
}

void FatalError() noexcept {
    try {
        if (FatalHandler()) FatalHandler()();
    } catch (...) {
        // The fatal path itself must never throw into the event loop.
    }
}

void SetEventPump(std::function<void()> fnPump) { EventPump() = std::move(fnPump); }

void DoEvents() {
    if (EventPump()) EventPump()();
}

}  // namespace modSupport
