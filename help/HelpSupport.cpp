#include "help/HelpSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>

#include "core/modSupport.h"
#include "help/HTMLHelp.h"

const char* const strHomePageAddress = HUEVRA_HOME_PAGE;
const char* const strFeedbackAddress = HUEVRA_FEEDBACK_ADDRESS;

namespace {

void Warn(IMessageBox& objMessages, const char* strText) {
    objMessages.Show(strText, strProgramTitle, MessageIcon::Warning, MessageButtons::Ok);
}

bool IsFile(const std::string& strPath) {
    return QFileInfo(QString::fromStdString(strPath)).isFile();
}

}  // namespace

std::string HelpFileIn(const std::string& strFolder) {
    return strFolder + modSupport::strPathSeparator + strHelpFileName;
}

std::string HelpFilePath() {
    const std::string strBeside = HelpFileIn(QCoreApplication::applicationDirPath().toStdString());
    if (IsFile(strBeside)) return strBeside;
    const std::string strInstalled = HelpFileIn(
        (QCoreApplication::applicationDirPath() + QStringLiteral("/" HUEVRA_HELP_FROM_PROGRAM))
            .toStdString());
    return IsFile(strInstalled) ? strInstalled : strBeside;
}

std::function<void()> HelpTopicOpener(HTMLHelp& objHelp, IMessageBox& objMessages,
                                      const std::string& strTopic) {
    return [&objHelp, &objMessages, strTopic] { OpenHelpTopic(objHelp, objMessages, strTopic); };
}

bool OpenHelpTopic(HTMLHelp& objHelp, IMessageBox& objMessages, const std::string& strTopic) {
    bool blnShown = false;
    try {
        objHelp.SetCHMFile(HelpFilePath());
        objHelp.SetTopicURL(strTopic);
        blnShown = objHelp.DisplayTopicURL();
    } catch (...) {
        // A viewer that fails in any way is the same problem to the user as a missing file.
        blnShown = false;
    }
    if (!blnShown) Warn(objMessages, "Problem with HTML Help.");
    return blnShown;
}

bool OpenAddress(IShell& objShell, const std::string& strTarget) {
    return objShell.OpenUrl(strTarget);
}

bool SendMail(IShell& objShell, const std::string& strAddress) {
    return objShell.OpenUrl("mailto:" + strAddress);
}

void OpenWebPage(IShell& objShell, IMessageBox& objMessages, const std::string& strAddress) {
    if (!OpenAddress(objShell, strAddress)) Warn(objMessages, "Problem with browser.");
}

void OpenMailTo(IShell& objShell, IMessageBox& objMessages, const std::string& strAddress) {
    if (!SendMail(objShell, strAddress)) Warn(objMessages, "Problem with mail client.");
}
