#include "help/frmHelpViewer.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "core/modSupport.h"

namespace {

using modSupport::Guarded;

const char* const strViewerTitle = "Huevra Help";
// Every page of the help file lies in this virtual folder.
const char* const strVirtualFolder = "doc";

// How long loading a help file waits for its search index; a few small pages take well under a
// second, and the limit only keeps a broken index from holding the program.
constexpr int intIndexWriteLimitMs = 10000;
// How long closing the viewer waits for the index's writer to stop once it has been told to.
constexpr int intIndexStopLimitMs = 3000;

// Objects of viewers whose index writer did not stop in time: the engine, and the search result
// list, which deletes the search engine when it goes. Deleting either would wait for the writer
// without limit, so they are kept, still reachable, for the rest of the run.
std::vector<QObject*>& AbandonedObjects() {
    static auto* arrObject = new std::vector<QObject*>();
    return *arrObject;
}

// A page parsed for what it names: every resource it asks for is noted and answered with
// nothing, never read.
class PageScan : public QTextDocument {
public:
    QStringList arrNamed;

protected:
    QVariant loadResource(int, const QUrl& objName) override {
        arrNamed << objName.toString();
        return QByteArray();
    }
};

// Reads a page's text as Qt's index writer does: in the encoding its markup declares.
QString PageText(const QByteArray& arrData) {
    QTextStream objStream(arrData);
    if (const auto enmEncoding = QStringConverter::encodingForHtml(arrData))
        objStream.setEncoding(*enmEncoding);
    return objStream.readAll();
}

}  // namespace

HelpBrowser::HelpBrowser(QHelpEngine* objEngine, QWidget* parent)
    : QTextBrowser(parent), objEngine(objEngine) {}

QVariant HelpBrowser::loadResource(int intType, const QUrl& objName) {
    // Only the pages, style sheets and images of the loaded help file are read. Anything else
    // gets an answer that holds nothing rather than a null one, which would send Qt to read the
    // name from the disk.
    QByteArray arrData;
    if (objName.scheme() == QLatin1String("qthelp") && !strNamespace.isEmpty() &&
        objName.host().compare(strNamespace, Qt::CaseInsensitive) == 0)
        arrData = objEngine->fileData(objName);
    // Pages are HTML in UTF-8; style sheets are handed over as they are.
    if (intType != QTextDocument::ImageResource) return QVariant(QString::fromUtf8(arrData));
    // An image that is not one, too, would be read from the disk under its name: in its place
    // goes a transparent pixel.
    QImage objImage = QImage::fromData(arrData);
    if (objImage.isNull()) {
        objImage = QImage(1, 1, QImage::Format_ARGB32);
        objImage.fill(Qt::transparent);
    }
    return QVariant(objImage);
}

frmHelpViewer::frmHelpViewer() {
    setObjectName(QStringLiteral("frmHelpViewer"));
    setWindowTitle(QLatin1String(strViewerTitle));
    // The engine keeps its collection and search index in a folder of its own for this run.
    objEngine = new QHelpEngine(objCollectionFolder.filePath(QStringLiteral("huevra.qhc")), this);
    // A collection of our own is written to: it registers the file and keeps the search index.
    objEngine->setReadOnly(false);
    objEngine->setUsesFilterEngine(true);
    CreateControls();
    // The engine would start writing its search index in its own thread whenever it is set up,
    // beside the page reads of this thread; Qt's help engine does not take that safely. The
    // index is written once, while the help file loads, and waited for.
    QObject::disconnect(objEngine, &QHelpEngineCore::setupFinished, objEngine->searchEngine(),
                        nullptr);
    resize(820, 560);
}

frmHelpViewer::~frmHelpViewer() {
    // The search index is written by the engine's own thread, which must stop before the engine
    // and its collection folder go. One that does not stop in time keeps its engine.
    if (StopSearchIndex()) {
        delete objEngine;
    } else {
        QHelpSearchResultWidget* objResults = objEngine->searchEngine()->resultWidget();
        objResults->hide();
        objResults->setParent(nullptr);
        objEngine->setParent(nullptr);
        AbandonedObjects().push_back(objResults);
        AbandonedObjects().push_back(objEngine);
    }
    objEngine = nullptr;
}

bool frmHelpViewer::StopSearchIndex() {
    QHelpSearchEngine* objSearch = objEngine->searchEngine();
    if (objSearch == nullptr) return true;
    objSearch->cancelIndexing();
    if (!blnIndexing) return true;
    QEventLoop objLoop;
    connect(objSearch, &QHelpSearchEngine::indexingFinished, &objLoop, &QEventLoop::quit);
    QTimer::singleShot(intIndexStopLimitMs, &objLoop, &QEventLoop::quit);
    objLoop.exec(QEventLoop::ExcludeUserInputEvents);
    return !blnIndexing;
}

void frmHelpViewer::CreateControls() {
    auto* objLayout = new QVBoxLayout(this);
    auto* objButtons = new QHBoxLayout();
    cmdBack = new QPushButton(QStringLiteral("&Back"), this);
    cmdBack->setObjectName(QStringLiteral("cmdBack"));
    cmdBack->setEnabled(false);
    cmdForward = new QPushButton(QStringLiteral("&Forward"), this);
    cmdForward->setObjectName(QStringLiteral("cmdForward"));
    cmdForward->setEnabled(false);
    objButtons->addWidget(cmdBack);
    objButtons->addWidget(cmdForward);
    objButtons->addStretch();
    objLayout->addLayout(objButtons);

    splPanes = new QSplitter(Qt::Horizontal, this);
    splPanes->setObjectName(QStringLiteral("splPanes"));
    objLayout->addWidget(splPanes, 1);

    tabNavigation = new QTabWidget(splPanes);
    tabNavigation->setObjectName(QStringLiteral("tabNavigation"));
    QHelpContentWidget* objContents = objEngine->contentWidget();
    objContents->setObjectName(QStringLiteral("lstContents"));
    objContents->setAccessibleName(QStringLiteral("Contents"));
    tabNavigation->addTab(objContents, QStringLiteral("&Contents"));

    auto* objIndexPage = new QWidget(tabNavigation);
    auto* objIndexLayout = new QVBoxLayout(objIndexPage);
    txtIndexLookFor = new QLineEdit(objIndexPage);
    txtIndexLookFor->setObjectName(QStringLiteral("txtIndexLookFor"));
    txtIndexLookFor->setPlaceholderText(QStringLiteral("Type a keyword to find"));
    QHelpIndexWidget* objIndex = objEngine->indexWidget();
    objIndex->setObjectName(QStringLiteral("lstIndex"));
    objIndexLayout->addWidget(txtIndexLookFor);
    objIndexLayout->addWidget(objIndex, 1);
    tabNavigation->addTab(objIndexPage, QStringLiteral("&Index"));

    auto* objSearchPage = new QWidget(tabNavigation);
    auto* objSearchLayout = new QVBoxLayout(objSearchPage);
    QHelpSearchQueryWidget* objQuery = objEngine->searchEngine()->queryWidget();
    objQuery->setObjectName(QStringLiteral("txtSearch"));
    QHelpSearchResultWidget* objResults = objEngine->searchEngine()->resultWidget();
    objResults->setObjectName(QStringLiteral("lstSearchResults"));
    objSearchLayout->addWidget(objQuery);
    objSearchLayout->addWidget(objResults, 1);
    tabNavigation->addTab(objSearchPage, QStringLiteral("&Search"));

    txtTopic = new HelpBrowser(objEngine, splPanes);
    txtTopic->setObjectName(QStringLiteral("txtTopic"));
    txtTopic->setAccessibleName(QStringLiteral("Help page"));
    txtTopic->verticalScrollBar()->setAccessibleName(QStringLiteral("Scroll the page"));
    txtTopic->horizontalScrollBar()->setAccessibleName(QStringLiteral("Scroll the page sideways"));
    splPanes->setStretchFactor(0, 0);
    splPanes->setStretchFactor(1, 1);
    splPanes->setSizes({230, 590});

    connect(cmdBack, &QPushButton::clicked, txtTopic, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, txtTopic, &QTextBrowser::forward);
    connect(txtTopic, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(txtTopic, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);
    // The browser tells the new page before source() gives it.
    connect(txtTopic, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& objPage) { txtTopic_SourceChanged(objPage); });
    // The contents are read in the engine's own thread; they open on the page shown.
    connect(objEngine->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        objEngine->contentWidget()->expandToDepth(0);
        txtTopic_SourceChanged(txtTopic->source());
    });
    connect(tabNavigation, &QTabWidget::currentChanged, this, [this] { tabNavigation_Change(); });
    connect(objContents, &QHelpContentWidget::linkActivated, this,
            [this](const QUrl& objUrl) { ShowLink(objUrl); });
    connect(txtIndexLookFor, &QLineEdit::textChanged, this, [this] { txtIndexLookFor_Change(); });
    connect(txtIndexLookFor, &QLineEdit::returnPressed, objIndex,
            &QHelpIndexWidget::activateCurrentItem);
    connect(objIndex, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& objLink, const QString&) { ShowLink(objLink.url); });
    connect(objIndex, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& arrLink, const QString&) {
                if (!arrLink.isEmpty()) ShowLink(arrLink.first().url);
            });
    connect(objQuery, &QHelpSearchQueryWidget::search, this, [this] { Search(); });
    connect(objEngine->searchEngine(), &QHelpSearchEngine::indexingStarted, this, [this] {
        blnSearchReady = false;
        blnIndexing = true;
    });
    connect(objEngine->searchEngine(), &QHelpSearchEngine::indexingFinished, this, [this] {
        blnSearchReady = true;
        blnIndexing = false;
    });
    connect(objResults, &QHelpSearchResultWidget::requestShowLink, this,
            [this](const QUrl& objUrl) { ShowLink(objUrl); });
}

bool frmHelpViewer::LoadHelpFile(const QString& strHelpFile) {
    return Guarded([&] {
        const QFileInfo objFile(strHelpFile);
        if (!objFile.isFile() || !objFile.isReadable()) return false;
        if (!objCollectionFolder.isValid() || !objEngine->setupData()) return false;
        // An unreadable or foreign file has no namespace, or none that registers.
        const QString strNamespace = QHelpEngineCore::namespaceName(objFile.absoluteFilePath());
        if (strNamespace.isEmpty()) return false;
        if (!objEngine->registeredDocumentations().contains(strNamespace) &&
            !objEngine->registerDocumentation(objFile.absoluteFilePath()))
            return false;
        txtTopic->SetNamespace(strNamespace);
        strBaseAddress = QStringLiteral("qthelp://") + strNamespace + QLatin1Char('/') +
                         QLatin1String(strVirtualFolder) + QLatin1Char('/');
        objEngine->contentModel()->createContents(QString());
        objEngine->indexModel()->createIndex(QString());
        // Qt's index writer parses the pages in a thread of its own, with nothing to resolve
        // the names in them against: it would read a style sheet or background that a page
        // names from the current folder or anywhere on the disk, and wait for ever on a FIFO.
        // A help file with such a page gets no search index; the manual's pages name nothing.
        const bool blnSearchable = PagesNameNothing(strNamespace);
        tabNavigation->setTabEnabled(intSearchTab, blnSearchable);
        if (blnSearchable) WriteSearchIndex();
        return true;
    });
}

bool frmHelpViewer::PagesNameNothing(const QString& strNamespace) const {
    // The pages that the index writer parses as HTML.
    for (const QUrl& objFile : objEngine->files(strNamespace, QString())) {
        const QString strFile = objFile.toString(QUrl::RemoveFragment);
        if (!strFile.endsWith(QLatin1String(".html")) && !strFile.endsWith(QLatin1String(".htm")))
            continue;
        PageScan objPage;
        objPage.setHtml(PageText(objEngine->fileData(objFile)));
        if (!objPage.arrNamed.isEmpty()) return false;
    }
    return true;
}

void frmHelpViewer::WriteSearchIndex() {
    QHelpSearchEngine* objSearch = objEngine->searchEngine();
    QEventLoop objLoop;
    connect(objSearch, &QHelpSearchEngine::indexingFinished, &objLoop, &QEventLoop::quit);
    QTimer::singleShot(intIndexWriteLimitMs, &objLoop, &QEventLoop::quit);
    blnIndexing = true;
    objSearch->reindexDocumentation();
    objLoop.exec(QEventLoop::ExcludeUserInputEvents);
}

QUrl frmHelpViewer::TopicAddress(const QString& strTopic) const {
    if (strBaseAddress.isEmpty() || strTopic.isEmpty()) return {};
    const QUrl objUrl = QUrl(strBaseAddress).resolved(QUrl(strTopic));
    // The topic must name a page inside the help file, not something beside it.
    if (!objUrl.isValid() || objUrl.scheme() != QLatin1String("qthelp") ||
        !objUrl.toString().startsWith(strBaseAddress))
        return {};
    QUrl objPage = objUrl;
    objPage.setFragment(QString());
    if (objEngine->fileData(objPage).isEmpty()) return {};
    return objUrl;
}

bool frmHelpViewer::ShowTopic(const QString& strTopic) {
    return Guarded([&] {
        const QUrl objUrl = TopicAddress(strTopic);
        if (objUrl.isEmpty()) return false;
        txtTopic->setSource(objUrl);
        return true;
    });
}

void frmHelpViewer::ShowLink(const QUrl& objUrl) {
    Guarded([&] {
        if (objUrl.scheme() == QLatin1String("qthelp")) txtTopic->setSource(objUrl);
    });
}

void frmHelpViewer::txtTopic_SourceChanged(const QUrl& objSource) {
    Guarded([&] {
        const QString strPageTitle = txtTopic->documentTitle();
        setWindowTitle(strPageTitle.isEmpty()
                           ? QLatin1String(strViewerTitle)
                           : QLatin1String(strViewerTitle) + QStringLiteral(" - ") + strPageTitle);
        // The contents mark the page that is shown: the entry already marked when it leads to
        // just that place (a part of a page chosen in the contents), otherwise the page's entry.
        QHelpContentWidget* objContents = objEngine->contentWidget();
        QModelIndex objItem = objContents->currentIndex();
        const QHelpContentItem* objEntry = objEngine->contentModel()->contentItemAt(objItem);
        if (objEntry == nullptr || objEntry->url() != objSource)
            objItem = objContents->indexOf(objSource.adjusted(QUrl::RemoveFragment));
        if (!objItem.isValid()) return;
        objContents->setCurrentIndex(objItem);
        objContents->scrollTo(objItem);
    });
}

void frmHelpViewer::tabNavigation_Change() {
    Guarded([&] {
        // Each pane is ready for typing as soon as it is chosen.
        switch (tabNavigation->currentIndex()) {
            case 1:
                txtIndexLookFor->setFocus();
                break;
            case intSearchTab:
                objEngine->searchEngine()->queryWidget()->setFocus();
                break;
            default:
                objEngine->contentWidget()->setFocus();
                break;
        }
    });
}

void frmHelpViewer::txtIndexLookFor_Change() {
    Guarded([&] { objEngine->indexWidget()->filterIndices(txtIndexLookFor->text()); });
}

void frmHelpViewer::Search() {
    Guarded([&] {
        objEngine->searchEngine()->search(objEngine->searchEngine()->queryWidget()->searchInput());
    });
}
