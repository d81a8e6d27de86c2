#pragma once

// The platform services the program uses, in standard C++ types only. The Qt
// implementations live in the libraries above the core; tests use fakes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// Clipboard, plain text only.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual void Clear() = 0;
    virtual void SetText(const std::string& strText) = 0;
};

/// How a colour pick made by the desktop ended: Unavailable when the desktop has no working
/// picker, InvalidColour when its picker answered without a usable colour, NoAnswer when it
/// gave no answer in time.
enum class DesktopPickResult { Picked, Cancelled, Unavailable, InvalidColour, NoAnswer };

/// Receives the end of a desktop pick: the result and, when picked, the packed colour.
using DesktopPickDone = std::function<void(DesktopPickResult, std::int32_t)>;

/// One monitor as read at one moment: its place on the root window in physical pixels and its
/// pixels, packed colours row by row from the top left.
struct ScreenShot {
    int intX = 0;
    int intY = 0;
    int intWidth = 0;
    int intHeight = 0;
    std::vector<std::int32_t> arrPixel;
    /// The packed colour of a physical pixel of the root window inside this monitor.
    std::int32_t PixelAt(int intRootX, int intRootY) const {
        return arrPixel[static_cast<std::size_t>(intRootY - intY) *
                            static_cast<std::size_t>(intWidth) +
                        static_cast<std::size_t>(intRootX - intX)];
    }
    bool Contains(int intRootX, int intRootY) const {
        return intRootX >= intX && intRootX < intX + intWidth && intRootY >= intY &&
               intRootY < intY + intHeight;
    }
};

/// The screen: one pixel, the cursor and the colour depth; where the screen cannot be read
/// (Wayland), the desktop's own colour pick.
class IScreen {
public:
    virtual ~IScreen() = default;
    /// Returns the packed colour of the physical pixel at (x, y) in global coordinates.
    virtual std::int32_t PixelAt(int intX, int intY) = 0;
    virtual void CursorPos(int& intX, int& intY) = 0;
    virtual int BitsPerPixel() = 0;
    /// Returns the packed colour of the physical pixel under the cursor's hot spot.
    virtual std::int32_t PixelUnderCursor() {
        int intX = 0;
        int intY = 0;
        CursorPos(intX, intY);
        return PixelAt(intX, intY);
    }
    /// True when pixels cannot be read directly and colours are picked by the desktop.
    virtual bool PicksThroughDesktop() { return false; }
    /// Lets the user pick a colour through the desktop; fnDone is called exactly once, usually
    /// later from the event loop, but possibly before this returns.
    virtual void StartDesktopPick(DesktopPickDone fnDone) {
        fnDone(DesktopPickResult::Unavailable, 0);
    }
    /// Reads every monitor once at its physical resolution, in root-window coordinates.
    /// Returns false and leaves arrScreens empty when the screens cannot be read that way.
    virtual bool ReadScreens(std::vector<ScreenShot>& arrScreens) {
        arrScreens.clear();
        return false;
    }
    /// Moves the pointer's hot spot to a physical pixel of the root window; false when the
    /// pointer cannot be moved.
    virtual bool MovePointer(int intX, int intY) {
        static_cast<void>(intX);
        static_cast<void>(intY);
        return false;
    }
    /// The pointer's hot spot in physical root-window coordinates; false when unknown.
    virtual bool PhysicalPointer(int& intX, int& intY) {
        static_cast<void>(intX);
        static_cast<void>(intY);
        return false;
    }
};

enum class MessageIcon { Information, Warning, Question, Critical };
enum class MessageButtons { Ok, YesNoCancel, YesNo, OkCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

/// The program's name as the title of its message boxes.
inline constexpr const char* strProgramTitle = "Huevra";

/// Message boxes. The first button of the set is the default one.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MessageAnswer Show(const std::string& strText, const std::string& strTitle,
                               MessageIcon enmIcon, MessageButtons enmButtons) = 0;
};

/// What a file dialog is asked to show.
struct FileDialogRequest {
    std::string strTitle;
    std::string strFilter;         // "Text Files (*.txt)"
    std::string strDefaultSuffix;  // "txt"
    std::string strInitialFolder;
    bool blnSave = false;             // a save dialog rather than an open dialog
    bool blnOverwritePrompt = false;  // the save dialog asks before replacing a file
    /// When not empty, the filters offered instead of strFilter, the first one chosen at the
    /// start; the default suffix then follows the chosen filter's first pattern.
    std::vector<std::string> arrFilters;
    /// When set, receives the filter chosen when the dialog is accepted.
    std::string* pstrChosenFilter = nullptr;
};

/// File and folder choosers. Each returns the chosen full path, or the empty
/// text when the user cancels or the dialog fails.
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    virtual std::string ChooseFile(const FileDialogRequest& objRequest) = 0;
    virtual std::string ChooseFolder(const std::string& strTitle,
                                     const std::string& strInitialFolder) = 0;
};

/// The desktop shell: web pages, mail links and the user's text editor.
class IShell {
public:
    virtual ~IShell() = default;
    /// Opens a URL (web page or mailto:) with the user's program for it; false on failure.
    virtual bool OpenUrl(const std::string& strUrl) = 0;
    /// Opens a local file in the user's default text editor, without a shell; false on failure.
    virtual bool OpenInTextEditor(const std::string& strPath) = 0;
};

/// The help viewer: one window that shows the topics of a compiled help file.
class IHelpViewer {
public:
    virtual ~IHelpViewer() = default;
    /// Shows a topic (a page name such as "huevra1.htm") of the help file at strHelpFile;
    /// false when the file cannot be read or does not hold the topic.
    virtual bool ShowTopic(const std::string& strHelpFile, const std::string& strTopic) = 0;
    /// Closes every help window that is open.
    virtual void Close() = 0;
};

/// The per-user settings store, string values only.
enum class RegistryHive { CurrentUser };

class IRegistry {
public:
    virtual ~IRegistry() = default;
    /// Returns the stored text, or the empty text when the value is missing or not a string.
    virtual std::string ReadString(RegistryHive enmHive, const std::string& strMyKey,
                                   const std::string& strMyValueName) = 0;
    /// Stores a text value, creating the key when needed; true on success.
    virtual bool WriteString(RegistryHive enmHive, const std::string& strMyKey,
                             const std::string& strMyValueName, const std::string& strMyData) = 0;
};
