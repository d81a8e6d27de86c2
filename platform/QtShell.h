#pragma once

#include <string>

#include "core/Platform.h"

/// URLs and the text editor through QDesktopServices; nothing goes through a shell.
class QtShell : public IShell {
public:
    bool OpenUrl(const std::string& strUrl) override;
    bool OpenInTextEditor(const std::string& strPath) override;
};
