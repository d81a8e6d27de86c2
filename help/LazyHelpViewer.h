#pragma once

#include <QLibrary>
#include <memory>
#include <string>
#include <vector>

#include "core/Platform.h"

/// The help viewer service of the program: loads the help viewer module at the first topic
/// asked for and hands every request to the viewer it makes.
class LazyHelpViewer : public IHelpViewer {
public:
    /// Looks for the module in these folders, in order.
    explicit LazyHelpViewer(std::vector<std::string> arrModuleFolders);
    /// Looks beside the program, then in the installed module folder.
    LazyHelpViewer();
    ~LazyHelpViewer() override;
    LazyHelpViewer(const LazyHelpViewer&) = delete;
    LazyHelpViewer& operator=(const LazyHelpViewer&) = delete;

    bool ShowTopic(const std::string& strHelpFile, const std::string& strTopic) override;
    void Close() override;

    /// Whether the module has been loaded.
    bool Loaded() const { return objViewer != nullptr; }

private:
    bool Load();

    std::vector<std::string> arrModuleFolders;
    // Kept loaded for the rest of the run: the viewer's code lives in it.
    QLibrary objModule;
    std::unique_ptr<IHelpViewer> objViewer;
    bool blnLoadFailed = false;
};
