#pragma once

#include <QPointer>
#include <string>

#include "core/Platform.h"

class frmHelpViewer;

/// The help viewer service: one viewer window, made at the first topic asked for and reused
/// for every later one.
class QtHelpViewer : public IHelpViewer {
public:
    QtHelpViewer() = default;
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    bool ShowTopic(const std::string& strHelpFile, const std::string& strTopic) override;
    void Close() override;

    /// The viewer window; nullptr until a help file has been loaded.
    frmHelpViewer* Window() const;

private:
    QPointer<frmHelpViewer> frmViewer;
    std::string strLoadedFile;
};
