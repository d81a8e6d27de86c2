#pragma once

#include <string>

#include "core/Platform.h"

/// The system clipboard (not the X11 selection), plain text.
class QtClipboard : public IClipboard {
public:
    void Clear() override;
    void SetText(const std::string& strText) override;
};
