#pragma once

// The help viewer window: the pages of one compiled help file with their contents, index and
// full-text search, read through Qt's help engine.

#include <QString>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QVariant>
#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;

/// A text browser that reads its pages, style sheets and images from the help file alone.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine* objEngine, QWidget* parent);
    /// Sets the namespace of the help file whose pages, style sheets and images are read.
    void SetNamespace(const QString& strNewNamespace) { strNamespace = strNewNamespace; }
    /// The resource from the help file. Anything outside it, and an image that does not decode,
    /// gets an answer that holds nothing (empty text, a transparent pixel), never a null value,
    /// so that Qt does not fall back to reading the name from the disk.
    QVariant loadResource(int intType, const QUrl& objName) override;

private:
    QHelpEngine* objEngine;
    QString strNamespace;
};

class frmHelpViewer : public QWidget {
    Q_OBJECT
public:
    frmHelpViewer();
    ~frmHelpViewer() override;
    frmHelpViewer(const frmHelpViewer&) = delete;
    frmHelpViewer& operator=(const frmHelpViewer&) = delete;

    /// Registers a compiled help file with the engine; false when it cannot be read.
    bool LoadHelpFile(const QString& strHelpFile);
    /// Shows a page (with an optional "#anchor") of the loaded file; false when it has none.
    bool ShowTopic(const QString& strTopic);

    // Controls, in creation order.
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdForward = nullptr;
    QSplitter* splPanes = nullptr;
    QTabWidget* tabNavigation = nullptr;
    QLineEdit* txtIndexLookFor = nullptr;
    HelpBrowser* txtTopic = nullptr;

    QHelpEngine* Engine() const { return objEngine; }
    /// Whether the full-text index of the loaded file is written and ready for searches.
    bool SearchReady() const { return blnSearchReady; }

    /// The page now shown: the window's title and the contents follow it.
    void txtTopic_SourceChanged(const QUrl& objPage);
    void tabNavigation_Change();
    void txtIndexLookFor_Change();
    void ShowLink(const QUrl& objUrl);
    void Search();

private:
    /// Whether no page of the help file names a resource, which would be read from the disk
    /// while the search index is written.
    bool PagesNameNothing(const QString& strNamespace) const;
    /// Writes the search index of the loaded help file and waits until it is written.
    void WriteSearchIndex();
    /// Stops the search index's writer, waiting for it a limited time; false when it is still
    /// running.
    bool StopSearchIndex();
    void CreateControls();
    QUrl TopicAddress(const QString& strTopic) const;

    static constexpr int intSearchTab = 2;

    QTemporaryDir objCollectionFolder;
    QHelpEngine* objEngine = nullptr;
    QString strBaseAddress;
    bool blnSearchReady = false;
    // The index's writer has been started and has not told that it finished.
    bool blnIndexing = false;
};
