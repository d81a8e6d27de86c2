#pragma once

// The Options dialog: the standard format, the save prompt, the standard folder and the
// JavaScript palette's sort order.

#include <QDialog>
#include <string>

#include "core/Platform.h"

struct ProgramSettings;
class QEvent;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QShowEvent;

/// Returns the example text of a code format for red 255, green 204, blue 0; "" outside 0..11.
/// The Custom example fills in strCustomFormat.
std::string FormatExample(int intIndex, const std::string& strCustomFormat);

class frmOptions : public QDialog {
    Q_OBJECT
public:
    frmOptions(ProgramSettings& objSettings, IRegistry& objRegistry, IMessageBox& objMessages,
               IFileDialogs& objFileDialogs, QWidget* parent = nullptr);
    frmOptions(const frmOptions&) = delete;
    frmOptions& operator=(const frmOptions&) = delete;

    // Controls, in creation order.
    QLabel* lblStandardFormat = nullptr;
    QListWidget* lstStandardFormat = nullptr;
    QGroupBox* fraExample = nullptr;
    QLabel* lblExample = nullptr;
    QGroupBox* fraPromptToSave = nullptr;
    QRadioButton* optYes = nullptr;
    QRadioButton* optNo = nullptr;
    QGroupBox* fraStandardFolder = nullptr;
    QLabel* lblSelectedStandardFolder = nullptr;
    QPushButton* cmdChange = nullptr;
    QGroupBox* fraSortOrder = nullptr;
    QRadioButton* optAlphabetically = nullptr;
    QRadioButton* optDotNet = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    /// The folder that OK stores; the label only shows it.
    std::string strSelectedFolder;

    void Form_Activate();
    void lstStandardFormat_Click();
    void cmdChange_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    /// Returns the folder the user chooses, without a trailing separator unless it is a root;
    /// "" when the user cancels.
    std::string BrowseForFolder();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void Form_Load();

    ProgramSettings& objSettings;
    IRegistry& objRegistry;
    IMessageBox& objMessages;
    IFileDialogs& objFileDialogs;
    // The standard format is selected once; later activations keep the user's choice.
    bool blnFormatSelected = false;
    // Set while the list's handler shows an example; a row chosen meanwhile waits for it.
    bool blnShowingExample = false;
};
