#pragma once

#include <string>

#include "core/Platform.h"

class QWidget;

/// File and folder choosers through QFileDialog. Paths come back with native separators. The
/// file list never reads a file's contents, and a typed name with a double quote is refused
/// rather than taken as a list of names.
class QtFileDialogs : public IFileDialogs {
public:
    explicit QtFileDialogs(QWidget* objParent = nullptr) : objParent(objParent) {}
    void SetParent(QWidget* objNewParent) { objParent = objNewParent; }
    std::string ChooseFile(const FileDialogRequest& objRequest) override;
    std::string ChooseFolder(const std::string& strTitle,
                             const std::string& strInitialFolder) override;

private:
    QWidget* objParent;
};
