#pragma once

// The About window: the program's title, slogan and notice, with its home page and feedback
// links.

#include <QDialog>

#include "core/Platform.h"

class QEvent;
class QFrame;
class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(IShell& objShell, IMessageBox& objMessages, QWidget* parent = nullptr);
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    // Controls, in creation order.
    QFrame* picInfo = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblSR = nullptr;
    QLabel* lblSlogan = nullptr;
    QLabel* lblMoreInfo = nullptr;
    QLabel* lblLink = nullptr;
    QLabel* lblFeedbackInfo = nullptr;
    QLabel* lblMailLink = nullptr;
    QLabel* lblCopyright = nullptr;
    QPushButton* cmdOK = nullptr;

    void lblLink_Click();
    void lblMailLink_Click();
    /// Escape closes the window; the window sees every key before its controls do.
    void Form_KeyDown(int intKeyCode, Qt::KeyboardModifiers enmShift);
    void cmdOK_Click();

protected:
    bool eventFilter(QObject* objWatched, QEvent* event) override;

private:
    void CreateControls();

    IShell& objShell;
    IMessageBox& objMessages;
};
