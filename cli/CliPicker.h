#pragma once

// The screen picker and the clipboard huevra-cli pick uses, behind an interface so that the
// command's options and output are checked without a display.

#include <cstdint>
#include <string>

/// How a pick ended: a pixel taken, cancelled by the user, or no pick possible (a message).
enum class CliPickResult { Picked, Cancelled, Failed };

struct typCliPick {
    CliPickResult enmResult = CliPickResult::Failed;
    /// The packed colour taken (0x00BBGGRR).
    std::int32_t lngColour = 0;
    /// Why no pick was possible, a sentence for the user.
    std::string strError;
};

class ICliPicker {
public:
    virtual ~ICliPicker() = default;
    /// Lets the user pick one pixel of the screen and returns when the pick has ended.
    virtual typCliPick Pick() = 0;
    /// Puts strText on the clipboard and leaves it there after the command has returned, as
    /// clipboard tools do. Returns false and sets strError when it cannot.
    virtual bool Copy(const std::string& strText, std::string& strError) = 0;
};
