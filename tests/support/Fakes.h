#pragma once

// Hand-written stand-ins for the platform services, shared by the tests.

#include <cstdint>
#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/Platform.h"

/// Records every message shown and gives queued answers (Ok/Yes by default).
class FakeMessageBox : public IMessageBox {
public:
    struct Shown {
        std::string strText;
        std::string strTitle;
        MessageIcon enmIcon;
        MessageButtons enmButtons;
    };
    std::vector<Shown> arrShown;
    std::deque<MessageAnswer> arrAnswers;

    MessageAnswer Show(const std::string& strText, const std::string& strTitle, MessageIcon enmIcon,
                       MessageButtons enmButtons) override {
        arrShown.push_back({strText, strTitle, enmIcon, enmButtons});
        if (!arrAnswers.empty()) {
            const MessageAnswer enmAnswer = arrAnswers.front();
            arrAnswers.pop_front();
            return enmAnswer;
        }
        return enmButtons == MessageButtons::Ok || enmButtons == MessageButtons::OkCancel
                   ? MessageAnswer::Ok
                   : MessageAnswer::Yes;
    }
};

/// Records clipboard writes; can be told to throw like a clipboard held by another program.
class FakeClipboard : public IClipboard {
public:
    std::vector<std::string> arrTexts;  // every SetText, in order
    int intClears = 0;
    bool blnThrow = false;

    void Clear() override {
        if (blnThrow) throw std::runtime_error("clipboard busy");
        ++intClears;
    }
    void SetText(const std::string& strText) override {
        if (blnThrow) throw std::runtime_error("clipboard busy");
        arrTexts.push_back(strText);
    }
};

/// Gives fixed pixels and cursor positions; can throw.
class FakeScreen : public IScreen {
public:
    std::map<std::pair<int, int>, std::int32_t> mapPixel;
    std::int32_t lngDefaultPixel = 0;
    int intX = 0;
    int intY = 0;
    int intBitsPerPixel = 32;
    bool blnThrow = false;

    std::int32_t PixelAt(int x, int y) override {
        if (blnThrow) throw std::runtime_error("screen unavailable");
        const auto it = mapPixel.find({x, y});
        return it == mapPixel.end() ? lngDefaultPixel : it->second;
    }
    void CursorPos(int& x, int& y) override {
        if (blnThrow) throw std::runtime_error("screen unavailable");
        x = intX;
        y = intY;
    }
    int BitsPerPixel() override {
        if (blnThrow) throw std::runtime_error("screen unavailable");
        return intBitsPerPixel;
    }

    // The desktop's pick: when on, each start is kept until the test answers it.
    bool blnThroughDesktop = false;
    std::vector<DesktopPickDone> arrDesktopPicks;

    bool PicksThroughDesktop() override { return blnThroughDesktop; }
    void StartDesktopPick(DesktopPickDone fnDone) override {
        arrDesktopPicks.push_back(std::move(fnDone));
    }

    // The monitors a whole-screen read gives (none: the read fails), counted; the pointer's
    // moves are kept and set intX and intY.
    std::vector<ScreenShot> arrScreens;
    int intScreenReads = 0;
    std::vector<std::pair<int, int>> arrPointerMoves;

    bool ReadScreens(std::vector<ScreenShot>& arrRead) override {
        ++intScreenReads;
        arrRead = arrScreens;
        return !arrScreens.empty();
    }
    bool MovePointer(int x, int y) override {
        arrPointerMoves.emplace_back(x, y);
        intX = x;
        intY = y;
        return true;
    }
    bool PhysicalPointer(int& x, int& y) override {
        x = intX;
        y = intY;
        return true;
    }
};

/// Gives queued paths (the empty text, a cancel, when none is queued) and records requests.
class FakeFileDialogs : public IFileDialogs {
public:
    std::vector<FileDialogRequest> arrRequests;
    std::deque<std::string> arrAnswers;
    /// The filter each accepted request with several filters reports; the first filter when
    /// none is queued.
    std::deque<std::string> arrChosenFilters;
    std::vector<std::pair<std::string, std::string>> arrFolderRequests;
    std::deque<std::string> arrFolderAnswers;

    std::string ChooseFile(const FileDialogRequest& objRequest) override {
        arrRequests.push_back(objRequest);
        arrRequests.back().pstrChosenFilter = nullptr;
        if (arrAnswers.empty()) return {};
        std::string strAnswer = arrAnswers.front();
        arrAnswers.pop_front();
        if (objRequest.pstrChosenFilter && !objRequest.arrFilters.empty()) {
            *objRequest.pstrChosenFilter = objRequest.arrFilters.front();
            if (!arrChosenFilters.empty()) {
                *objRequest.pstrChosenFilter = arrChosenFilters.front();
                arrChosenFilters.pop_front();
            }
        }
        return strAnswer;
    }
    std::string ChooseFolder(const std::string& strTitle,
                             const std::string& strInitialFolder) override {
        arrFolderRequests.emplace_back(strTitle, strInitialFolder);
        if (arrFolderAnswers.empty()) return {};
        std::string strAnswer = arrFolderAnswers.front();
        arrFolderAnswers.pop_front();
        return strAnswer;
    }
};

/// Records URLs and editor starts; can fail.
class FakeShell : public IShell {
public:
    std::vector<std::string> arrUrls;
    std::vector<std::string> arrEdited;
    bool blnFail = false;

    bool OpenUrl(const std::string& strUrl) override {
        arrUrls.push_back(strUrl);
        return !blnFail;
    }
    bool OpenInTextEditor(const std::string& strPath) override {
        arrEdited.push_back(strPath);
        return !blnFail;
    }
};

/// Records help files and topics; can fail or throw.
class FakeHelpViewer : public IHelpViewer {
public:
    std::vector<std::string> arrFiles;
    std::vector<std::string> arrTopics;
    int intCloses = 0;
    bool blnFail = false;
    bool blnThrow = false;

    bool ShowTopic(const std::string& strHelpFile, const std::string& strTopic) override {
        if (blnThrow) throw std::runtime_error("help viewer unavailable");
        arrFiles.push_back(strHelpFile);
        arrTopics.push_back(strTopic);
        return !blnFail;
    }
    void Close() override { ++intCloses; }
};

/// A settings store in memory: (key, value name) -> text; records writes in order.
class FakeRegistry : public IRegistry {
public:
    std::map<std::pair<std::string, std::string>, std::string> mapValue;
    std::vector<std::tuple<std::string, std::string, std::string>> arrWrites;

    std::string ReadString(RegistryHive, const std::string& strMyKey,
                           const std::string& strMyValueName) override {
        const auto it = mapValue.find({strMyKey, strMyValueName});
        return it == mapValue.end() ? std::string() : it->second;
    }
    bool WriteString(RegistryHive, const std::string& strMyKey, const std::string& strMyValueName,
                     const std::string& strMyData) override {
        mapValue[{strMyKey, strMyValueName}] = strMyData;
        arrWrites.emplace_back(strMyKey, strMyValueName, strMyData);
        return true;
    }
};
