#pragma once

// Qt implementations of the message box and shell services.

#include "core/Platform.h"

class QWidget;

/// Message boxes through QMessageBox, owned by a parent window when one is given.
class QtMessageBox : public IMessageBox {
public:
    explicit QtMessageBox(QWidget* objParent = nullptr) : objParent_(objParent) {}
    void SetParent(QWidget* objParent) { objParent_ = objParent; }
    MessageAnswer Show(const std::string& strText, const std::string& strTitle, MessageIcon enmIcon,
                       MessageButtons enmButtons) override;

private:
    QWidget* objParent_;
};

/// URLs and the text editor through QDesktopServices; nothing goes through a shell.
class QtShell : public IShell {
public:
    bool OpenUrl(const std::string& strUrl) override;
    bool OpenInTextEditor(const std::string& strPath) override;
};

/// File and folder choosers through QFileDialog. Paths come back with native separators.
class QtFileDialogs : public IFileDialogs {
public:
    explicit QtFileDialogs(QWidget* objParent = nullptr) : objParent_(objParent) {}
    void SetParent(QWidget* objParent) { objParent_ = objParent; }
    std::string ChooseFile(const FileDialogRequest& objRequest) override;
    std::string ChooseFolder(const std::string& strTitle,
                             const std::string& strInitialFolder) override;

private:
    QWidget* objParent_;
};
