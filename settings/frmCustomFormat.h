#pragma once

// The Custom Format dialog: the template of the Custom code format, with one button per code.

#include <QDialog>
#include <functional>

#include "core/Platform.h"

struct ProgramSettings;
class QLabel;
class QEvent;
class QLineEdit;
class QPushButton;
class QString;

class frmCustomFormat : public QDialog {
    Q_OBJECT
public:
    frmCustomFormat(ProgramSettings& objSettings, IRegistry& objRegistry, IMessageBox& objMessages,
                    std::function<void()> fnShowHelp, QWidget* parent = nullptr);
    frmCustomFormat(const frmCustomFormat&) = delete;
    frmCustomFormat& operator=(const frmCustomFormat&) = delete;

    // Controls, in creation order.
    QLabel* lblRed = nullptr;
    QLabel* lblGreen = nullptr;
    QLabel* lblBlue = nullptr;
    QLabel* lblUpperCaseHex = nullptr;
    QLabel* lblLowerCaseHex = nullptr;
    QLabel* lblDecimal = nullptr;
    QLabel* lblLongDecimal = nullptr;
    QPushButton* cmdUR = nullptr;
    QPushButton* cmdUG = nullptr;
    QPushButton* cmdUB = nullptr;
    QPushButton* cmdLR = nullptr;
    QPushButton* cmdLG = nullptr;
    QPushButton* cmdLB = nullptr;
    QPushButton* cmdDR = nullptr;
    QPushButton* cmdDG = nullptr;
    QPushButton* cmdDB = nullptr;
    QPushButton* cmdLD = nullptr;
    QLineEdit* txtFormat = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

    void cmdUR_Click();
    void cmdUG_Click();
    void cmdUB_Click();
    void cmdLR_Click();
    void cmdLG_Click();
    void cmdLB_Click();
    void cmdDR_Click();
    void cmdDG_Click();
    void cmdDB_Click();
    void cmdLD_Click();
    /// Puts a code at the caret, or in place of the selection, and gives the field the focus.
    /// An insertion that would pass the field's limit is refused with a beep.
    void InsertCode(const QString& strCode);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    void setVisible(bool blnVisible) override;

protected:
    bool eventFilter(QObject* objWatched, QEvent* event) override;

private:
    void CreateControls();
    void Form_Load();

    ProgramSettings& objSettings;
    IRegistry& objRegistry;
    IMessageBox& objMessages;
    /// Shows the dialog's help topic.
    std::function<void()> fnShowHelp;
    bool blnShown = false;
    // The selection the field had when it lost the focus, which it then drops; a code button
    // reached by the keyboard replaces it. A start of -1: none.
    int intKeptSelectionStart = -1;
    int intKeptSelectionLength = 0;
};
