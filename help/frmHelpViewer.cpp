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
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include "core/modSupport.h"

namespace {

using modSupport::Guarded;

const char* const strViewerTitle = "Huevra Help";
// Every page of the help file lies in this virtual folder.
const char* const strVirtualFolder = "doc";

}  // namespace

HelpBrowser::HelpBrowser(QHelpEngine* objEngine, QWidget* parent)
    : QTextBrowser(parent), objEngine_(objEngine) {}

QVariant HelpBrowser::loadResource(int intType, const QUrl& objName) {
    if (objName.scheme() == QLatin1String("qthelp")) {
        const QByteArray arrData = objEngine_->fileData(objName);
        // Pages are HTML in UTF-8; style sheets and images are handed over as they are.
        if (intType == QTextDocument::HtmlResource || intType == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(arrData);
        return arrData;
    }
    // Nothing outside the help file is read into the viewer.
    return {};
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
    // The search index is written by the engine's own thread; it stops before the engine goes.
    if (objEngine->searchEngine() != nullptr) objEngine->searchEngine()->cancelIndexing();
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
    connect(txtTopic, &QTextBrowser::sourceChanged, this, [this] { txtTopic_SourceChanged(); });
    // The contents are read in the engine's own thread; they open on the page shown.
    connect(objEngine->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        objEngine->contentWidget()->expandToDepth(0);
        txtTopic_SourceChanged();
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
    connect(objEngine->searchEngine(), &QHelpSearchEngine::indexingStarted, this,
            [this] { blnSearchReady = false; });
    connect(objEngine->searchEngine(), &QHelpSearchEngine::indexingFinished, this,
            [this] { blnSearchReady = true; });
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
        strBaseAddress = QStringLiteral("qthelp://") + strNamespace + QLatin1Char('/') +
                         QLatin1String(strVirtualFolder) + QLatin1Char('/');
        objEngine->contentModel()->createContents(QString());
        objEngine->indexModel()->createIndex(QString());
        WriteSearchIndex();
        return true;
    });
}

void frmHelpViewer::WriteSearchIndex() {
    QHelpSearchEngine* objSearch = objEngine->searchEngine();
    QEventLoop objLoop;
    connect(objSearch, &QHelpSearchEngine::indexingFinished, &objLoop, &QEventLoop::quit);
    // A few small pages take well under a second; the limit only keeps a broken index from
    // holding the program.
    QTimer::singleShot(20000, &objLoop, &QEventLoop::quit);
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

void frmHelpViewer::txtTopic_SourceChanged() {
    Guarded([&] {
        const QString strPageTitle = txtTopic->documentTitle();
        setWindowTitle(strPageTitle.isEmpty()
                           ? QLatin1String(strViewerTitle)
                           : QLatin1String(strViewerTitle) + QStringLiteral(" - ") + strPageTitle);
        // The contents follow the page that is shown.
        QHelpContentWidget* objContents = objEngine->contentWidget();
        QUrl objPage = txtTopic->source();
        objPage.setFragment(QString());
        const QModelIndex objItem = objContents->indexOf(objPage);
        if (objItem.isValid()) objContents->setCurrentIndex(objItem);
    });
}

void frmHelpViewer::tabNavigation_Change() {
    Guarded([&] {
        // Each pane is ready for typing as soon as it is chosen.
        switch (tabNavigation->currentIndex()) {
            case 1:
                txtIndexLookFor->setFocus();
                break;
            case 2:
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
