#pragma once

// The program's one help object: a help file, a topic in it, and the viewer that shows it.

#include <string>

#include "core/Platform.h"

class HTMLHelp {
public:
    explicit HTMLHelp(IHelpViewer& objViewer) : objViewer_(objViewer) {}
    HTMLHelp(const HTMLHelp&) = delete;
    HTMLHelp& operator=(const HTMLHelp&) = delete;

    void SetTopicURL(const std::string& strTopicURL) { strTopicURL_ = strTopicURL; }
    const std::string& TopicURL() const { return strTopicURL_; }
    void SetCHMFile(const std::string& strCHMFile) { strCHMFile_ = strCHMFile; }
    const std::string& CHMFile() const { return strCHMFile_; }

    /// Shows TopicURL of CHMFile in the help viewer; false when the viewer cannot show it.
    bool DisplayTopicURL();
    /// Closes every help window the program opened.
    void HelpClose();

private:
    IHelpViewer& objViewer_;
    std::string strTopicURL_;
    std::string strCHMFile_;
};
