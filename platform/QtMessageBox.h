#pragma once

#include <string>

#include "core/Platform.h"

class QWidget;

/// Message boxes through QMessageBox, owned by a parent window when one is given.
class QtMessageBox : public IMessageBox {
public:
    explicit QtMessageBox(QWidget* objParent = nullptr) : objParent(objParent) {}
    void SetParent(QWidget* objNewParent) { objParent = objNewParent; }
    MessageAnswer Show(const std::string& strText, const std::string& strTitle, MessageIcon enmIcon,
                       MessageButtons enmButtons) override;

private:
    QWidget* objParent;
};
