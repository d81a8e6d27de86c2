#pragma once

// Opening help topics, the home page and the feedback address, each with its own message when
// it fails. The main window and the dialogs share these.

#include <functional>
#include <string>

#include "core/Platform.h"

class HTMLHelp;

/// The home page and the feedback address, set once in the build.
extern const char* const strHomePageAddress;
extern const char* const strFeedbackAddress;

/// The help file's name beside the program.
inline constexpr const char* strHelpFileName = "huevra.qch";
/// The topics of the main window, the Custom Format dialog, the Colour Inspector and Precise Pick.
inline constexpr const char* strMainWindowTopic = "huevra1.htm";
inline constexpr const char* strCustomFormatTopic = "huevra10.htm";
inline constexpr const char* strColourInspectorTopic = "huevra11.htm";
inline constexpr const char* strPrecisePickTopic = "huevra12.htm";

/// Returns the help file's path in a folder: the folder, the path separator and the file name.
std::string HelpFileIn(const std::string& strFolder);

/// Returns the help file beside the program, or the installed one when there is none beside it;
/// the path beside the program when neither exists.
std::string HelpFilePath();

/// Shows a topic of the help file through the help object; tells "Problem with HTML Help."
/// when it cannot be shown. Returns whether it was shown.
bool OpenHelpTopic(HTMLHelp& objHelp, IMessageBox& objMessages, const std::string& strTopic);

/// Returns a routine that opens a topic as OpenHelpTopic does, for a window that may not reach
/// the help itself.
std::function<void()> HelpTopicOpener(HTMLHelp& objHelp, IMessageBox& objMessages,
                                      const std::string& strTopic);

/// Asks the shell to open an address with its default program; true on success.
bool OpenAddress(IShell& objShell, const std::string& strTarget);

/// Asks the shell to open a new mail to an address; true on success.
bool SendMail(IShell& objShell, const std::string& strAddress);

/// Opens a web address, telling "Problem with browser." when the shell cannot.
void OpenWebPage(IShell& objShell, IMessageBox& objMessages, const std::string& strAddress);

/// Opens a mail to an address, telling "Problem with mail client." when the shell cannot.
void OpenMailTo(IShell& objShell, IMessageBox& objMessages, const std::string& strAddress);
