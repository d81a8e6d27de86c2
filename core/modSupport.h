#pragma once

// Routines every window shares: the one fatal-error path, the event pump hook
// and small text helpers.

#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>

namespace modSupport {

/// The platform's path separator; file names in titles are taken after its last occurrence.
#ifdef _WIN32
inline constexpr const char* strPathSeparator = "\\";
#else
inline constexpr const char* strPathSeparator = "/";
#endif

/// Returns the text after the last occurrence of strSeparator; the whole text when
/// the separator does not occur or is empty; the empty text for an empty text.
std::string TextAfterLast(const std::string& strText, const std::string& strSeparator);

/// Returns a table index as the unsigned index .at() takes; throws std::out_of_range for a
/// negative one (a large one is left to .at()).
std::size_t CheckedIndex(int intIndex);

/// Installs the routine that FatalError forwards to (an empty function removes it).
void SetFatalErrorHandler(std::function<void()> fnHandler);

/// Reports an unexpected failure to the installed handler; does nothing when none is installed.
void FatalError() noexcept;

/// Installs the routine that lets pending window events run (an empty function removes it).
void SetEventPump(std::function<void()> fnPump);

/// Lets pending window events run through the installed pump.
void DoEvents();

/// Runs body; an exception ends in FatalError and the default result is returned.
template <class Body>
auto Guarded(Body&& body) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        FatalError();
    }
    if constexpr (!std::is_void_v<decltype(body())>) return {};
}

/// Sets a flag for the life of a scope and restores its old value at the end.
class ScopedFlag {
public:
    ScopedFlag(bool& blnFlag, bool blnValue) : blnFlag(blnFlag), blnOld(blnFlag) {
        blnFlag = blnValue;
    }
    ~ScopedFlag() { blnFlag = blnOld; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& blnFlag;
    bool blnOld;
};

}  // namespace modSupport
