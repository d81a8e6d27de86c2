#pragma once

// The program's one help object: a help file, a topic in it, and the viewer that shows it.

#include <string>

#include "core/Platform.h"

class HTMLHelp {
public:
    explicit HTMLHelp(IHelpViewer& objViewer) : objViewer(objViewer) {}
    HTMLHelp(const HTMLHelp&) = delete;
    HTMLHelp& operator=(const HTMLHelp&) = delete;

    void SetTopicURL(const std::string& strURL) { strTopicURL = strURL; }
    const std::string& TopicURL() const { return strTopicURL; }
    void SetCHMFile(const std::string& strFile) { strCHMFile = strFile; }
    const std::string& CHMFile() const { return strCHMFile; }

    /// Shows TopicURL of CHMFile in the help viewer; false when the viewer cannot show it.
    bool DisplayTopicURL();
    /// Closes every help window the program opened.
    void HelpClose();

private:
    IHelpViewer& objViewer;
    std::string strTopicURL;
    std::string strCHMFile;
};
