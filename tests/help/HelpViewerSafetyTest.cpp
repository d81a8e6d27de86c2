// What the help viewer reads besides its help file, and how its window comes back and marks the
// page it shows. The hostile help files are compiled here with Qt's help generator.

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpEngineCore>
#include <QHelpSearchEngine>
#include <QImage>
#include <QItemSelectionModel>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/modSupport.h"
#include "help/QtHelpViewer.h"
#include "help/frmHelpViewer.h"

namespace {

const std::string strHelpFile = HUEVRA_TEST_HELP_FILE;

/// Writes a file, creating its folder.
void WriteFile(const QString& strPath, const QByteArray& arrData) {
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile objFile(strPath);
    ASSERT_TRUE(objFile.open(QIODevice::WriteOnly));
    objFile.write(arrData);
}

/// A 40 by 40 PNG image of one colour.
QByteArray Png(Qt::GlobalColor enmColour) {
    QImage objImage(40, 40, QImage::Format_RGB32);
    objImage.fill(enmColour);
    QByteArray arrData;
    QBuffer objBuffer(&arrData);
    objBuffer.open(QIODevice::WriteOnly);
    objImage.save(&objBuffer, "PNG");
    return arrData;
}

/// How many pixels of an image have exactly this colour.
int Pixels(const QImage& objImage, QRgb lngColour) {
    int intCount = 0;
    for (int y = 0; y < objImage.height(); ++y)
        for (int x = 0; x < objImage.width(); ++x)
            if ((objImage.pixel(x, y) & 0xffffff) == (lngColour & 0xffffff)) ++intCount;
    return intCount;
}

/// A scratch folder with a folder "outside" of files that no help page may have read, and a
/// help file compiled from pages that name them.
class HostileHelp {
public:
    HostileHelp() {
        strOutside = objFolder.filePath(QStringLiteral("outside"));
        QDir().mkpath(strOutside);
        WriteFile(strOutside + QStringLiteral("/probe.png"), Png(Qt::red));
        WriteFile(strOutside + QStringLiteral("/probe.css"), "body { color: #ff0000; }\n");
        WriteFile(strOutside + QStringLiteral("/huevra.css"), "body { color: #ff0000; }\n");
    }

    struct Page {
        QString strName;
        QString strHead;
        QString strBody;
    };

    /// Compiles pages and other files (name, content) into hostile.qch; returns its path,
    /// empty when it failed.
    QString Compile(const std::vector<Page>& arrPage,
                    const std::vector<std::pair<QString, QByteArray>>& arrOther = {}) {
        const QString strPages = objFolder.filePath(QStringLiteral("pages"));
        QString strFiles;
        for (const auto& [strName, strHead, strBody] : arrPage) {
            WriteFile(strPages + QLatin1Char('/') + strName,
                      ("<html><head><title>" + strName + "</title>" + strHead + "</head><body>" +
                       strBody + "<p>hostile page</p></body></html>")
                          .toUtf8());
            strFiles += QStringLiteral("<file>") + strName + QStringLiteral("</file>");
        }
        for (const auto& [strName, arrData] : arrOther) {
            WriteFile(strPages + QLatin1Char('/') + strName, arrData);
            strFiles += QStringLiteral("<file>") + strName + QStringLiteral("</file>");
        }
        WriteFile(strPages + QStringLiteral("/hostile.qhp"),
                  ("<?xml version=\"1.0\" encoding=\"UTF-8\"?><QtHelpProject version=\"1.0\">"
                   "<namespace>org.example.hostile</namespace><virtualFolder>doc</virtualFolder>"
                   "<filterSection><toc><section title=\"Hostile\" ref=\"" +
                   arrPage.front().strName + "\"/></toc><files>" + strFiles +
                   "</files></filterSection></QtHelpProject>")
                      .toUtf8());
        const QString strOutput = objFolder.filePath(QStringLiteral("hostile.qch"));
        QProcess objGenerator;
        objGenerator.start(QStringLiteral(HUEVRA_TEST_QHELPGENERATOR),
                           {strPages + QStringLiteral("/hostile.qhp"), QStringLiteral("-o"),
                            strOutput});
        if (!objGenerator.waitForFinished(60000) || objGenerator.exitCode() != 0) return {};
        return strOutput;
    }

    QString Outside(const char* strName) const {
        return strOutside + QLatin1Char('/') + QLatin1String(strName);
    }

    QTemporaryDir objFolder;
    QString strOutside;
};

/// Watches a folder for files opened in it.
class OpenWatch {
public:
    explicit OpenWatch(const QString& strFolder)
        : intFd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (intFd >= 0)
            inotify_add_watch(intFd, QFile::encodeName(strFolder).constData(), IN_OPEN);
    }
    ~OpenWatch() {
        if (intFd >= 0) close(intFd);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool Ready() const { return intFd >= 0; }

    /// The names of the files opened since the last call.
    std::vector<std::string> Opened() {
        std::vector<std::string> arrName;
        alignas(inotify_event) char arrBuffer[4096];
        ssize_t intRead = 0;
        while ((intRead = read(intFd, arrBuffer, sizeof arrBuffer)) > 0) {
            for (ssize_t intAt = 0; intAt < intRead;) {
                const auto* objEvent = reinterpret_cast<const inotify_event*>(arrBuffer + intAt);
                arrName.emplace_back(objEvent->len > 0 ? objEvent->name : "(the folder)");
                intAt += static_cast<ssize_t>(sizeof(inotify_event) + objEvent->len);
            }
        }
        return arrName;
    }

private:
    int intFd;
};

class HelpViewerSafetyTest : public ::testing::Test {
protected:
    int intFatalErrors = 0;
    void SetUp() override {
        modSupport::SetFatalErrorHandler([this] { ++intFatalErrors; });
    }
    void TearDown() override {
        modSupport::SetFatalErrorHandler({});
        EXPECT_EQ(intFatalErrors, 0);
    }
};

/// A page parsed for the resources it names, none of which is read.
class NamedResources : public QTextDocument {
public:
    QStringList arrNamed;

protected:
    QVariant loadResource(int, const QUrl& objName) override {
        arrNamed << objName.toString();
        return QByteArray();
    }
};

namespace {

/// True while a thread of Qt's search index writer ("fulltextsearch…") runs in this process.
bool IndexWriterRunning() {
    const QDir objTasks(QStringLiteral("/proc/self/task"));
    for (const QString& strTask : objTasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile objName(objTasks.filePath(strTask + QStringLiteral("/comm")));
        if (objName.open(QIODevice::ReadOnly) && objName.readAll().startsWith("fulltextsearch"))
            return true;
    }
    return false;
}

}  // namespace

TEST_F(HelpViewerSafetyTest, TheManualsPagesNameNoOtherFile) {
    const QString strNamespace =
        QHelpEngineCore::namespaceName(QString::fromStdString(strHelpFile));
    ASSERT_FALSE(strNamespace.isEmpty());
    QTemporaryDir objFolder;
    QHelpEngineCore objCollection(objFolder.filePath(QStringLiteral("c.qhc")));
    objCollection.setReadOnly(false);
    objCollection.setUsesFilterEngine(true);
    ASSERT_TRUE(objCollection.setupData());
    ASSERT_TRUE(objCollection.registerDocumentation(QString::fromStdString(strHelpFile)));
    int intPages = 0;
    for (const QUrl& objFile : objCollection.files(strNamespace, QString())) {
        SCOPED_TRACE(objFile.toString().toStdString());
        // Nothing but pages: a style sheet or image would be a file the pages name.
        EXPECT_TRUE(objFile.path().endsWith(QStringLiteral(".htm")));
        NamedResources objPage;
        objPage.setHtml(QString::fromUtf8(objCollection.fileData(objFile)));
        objPage.toPlainText();
        EXPECT_EQ(objPage.arrNamed.join(QStringLiteral(", ")).toStdString(), "");
        // The manual's style is written into the page: headings in its green.
        QTextBlock objBlock = objPage.begin();
        while (objBlock.isValid() && objBlock.blockFormat().headingLevel() != 1)
            objBlock = objBlock.next();
        ASSERT_TRUE(objBlock.isValid());
        EXPECT_EQ(objBlock.begin().fragment().charFormat().foreground().color(),
                  QColor(0x4a, 0x6f, 0x14));
        ++intPages;
    }
    EXPECT_EQ(intPages, 13);
}

TEST_F(HelpViewerSafetyTest, WritingTheSearchIndexReadsNothingOutsideTheHelpFile) {
    HostileHelp objHostile;
    const QString strLink =
        QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"%1\">");
    const QString strFile = objHostile.Compile({
        {QStringLiteral("relative.htm"), strLink.arg(QStringLiteral("huevra.css")),
         QStringLiteral("<img src=\"probe.png\">")},
        {QStringLiteral("file.htm"),
         strLink.arg(QUrl::fromLocalFile(objHostile.Outside("probe.css")).toString()),
         QStringLiteral("<img src=\"%1\">")
             .arg(QUrl::fromLocalFile(objHostile.Outside("probe.png")).toString())},
        {QStringLiteral("absolute.htm"), strLink.arg(objHostile.Outside("probe.css")),
         QStringLiteral("<img src=\"%1\">").arg(objHostile.Outside("probe.png"))},
        {QStringLiteral("background.html"), QString(),
         QStringLiteral("<table background=\"probe.png\"><tr><td>cell</td></tr></table>"
                        "<div style=\"background-image: url('%1')\">block</div>")
             .arg(objHostile.Outside("probe.png"))},
    });
    ASSERT_FALSE(strFile.isEmpty());
    // Pages parsed without their address would find relative names in the current folder.
    const QString strOldFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(objHostile.strOutside));
    OpenWatch objWatch(objHostile.strOutside);
    ASSERT_TRUE(objWatch.Ready());
    {
        frmHelpViewer frm;
        ASSERT_TRUE(frm.LoadHelpFile(strFile));
        // Any index writing under way ends before the viewer goes.
        frm.Engine()->searchEngine()->cancelIndexing();
        // Such a file is shown without a search.
        EXPECT_FALSE(frm.tabNavigation->isTabEnabled(2));
        EXPECT_TRUE(frm.ShowTopic(QStringLiteral("relative.htm")));
    }
    QDir::setCurrent(strOldFolder);
    std::string strOpened;
    for (const std::string& strName : objWatch.Opened()) strOpened += strName + " ";
    EXPECT_EQ(strOpened, "");
}

TEST_F(HelpViewerSafetyTest, ThePageShowsNothingFromOutsideTheHelpFile) {
    HostileHelp objHostile;
    const QString strPng = objHostile.Outside("probe.png");
    const QString strPngUrl = QUrl::fromLocalFile(strPng).toString();
    const QString strCssUrl = QUrl::fromLocalFile(objHostile.Outside("probe.css")).toString();
    // Red images outside the help file, a green one inside it.
    const QString strFile = objHostile.Compile(
        {{QStringLiteral("page.htm"),
          QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"%1\">").arg(strCssUrl),
          QStringLiteral("<img src=\"%1\"><img src=\"%2\"><img src=\"../../../../../../..%2\">"
                         "<img src=\"probe.png\"><img src=\"inside.png\"><a href=\"%1\">out</a>")
              .arg(strPngUrl, strPng)}},
        {{QStringLiteral("inside.png"), Png(Qt::green)}});
    ASSERT_FALSE(strFile.isEmpty());
    // Relative names would be looked for in the current folder.
    const QString strOldFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(objHostile.strOutside));
    OpenWatch objWatch(objHostile.strOutside);
    ASSERT_TRUE(objWatch.Ready());
    QtHelpViewer objViewer;
    ASSERT_TRUE(objViewer.ShowTopic(strFile.toStdString(), "page.htm"));
    HelpBrowser* txtTopic = objViewer.Window()->txtTopic;
    objViewer.Window()->resize(800, 600);
    const QImage objShown = txtTopic->viewport()->grab().toImage();
    EXPECT_EQ(Pixels(objShown, QColor(Qt::red).rgb()), 0);
    EXPECT_EQ(Pixels(objShown, QColor(Qt::green).rgb()), 40 * 40);

    // Every request for a resource that is not in this help file is answered, with nothing,
    // so that Qt does not fall back to reading it from the disk.
    const struct {
        int intType;
        QString strName;
        const char* strWhy;
    } arrCase[] = {
        {QTextDocument::ImageResource, strPngUrl, "file address"},
        {QTextDocument::StyleSheetResource, strCssUrl, "style sheet by file address"},
        {QTextDocument::HtmlResource, strPngUrl, "page by file address"},
        {QTextDocument::ImageResource, strPng, "absolute path"},
        {QTextDocument::ImageResource, QStringLiteral("probe.png"), "relative path"},
        {QTextDocument::ImageResource, QStringLiteral("/dev/zero"), "device"},
        {QTextDocument::StyleSheetResource, QStringLiteral("file:///dev/zero"), "device address"},
        {QTextDocument::ImageResource, QStringLiteral("data:image/png;base64,iVBORw0KGgo="),
         "data address"},
        {QTextDocument::ImageResource, QStringLiteral("qthelp://org.example.huevra/doc/x.png"),
         "another help file"},
        {QTextDocument::ImageResource, QStringLiteral("https://example.org/probe.png"),
         "web address"},
        {QTextDocument::ImageResource, QStringLiteral("qthelp://org.example.hostile/doc/page.htm"),
         "a page of the help file as an image"},
    };
    for (const auto& objCase : arrCase) {
        SCOPED_TRACE(objCase.strWhy);
        const QVariant objAnswer = txtTopic->loadResource(objCase.intType, QUrl(objCase.strName));
        ASSERT_FALSE(objAnswer.isNull());
        if (objCase.intType == QTextDocument::ImageResource) {
            // A transparent pixel.
            const QImage objImage = qvariant_cast<QImage>(objAnswer);
            EXPECT_EQ(objImage.size(), QSize(1, 1));
            EXPECT_EQ(qAlpha(objImage.pixel(0, 0)), 0);
        } else {
            EXPECT_EQ(objAnswer.toString().toStdString(), "");
        }
    }
    // A link out of the help file leads to an empty page.
    txtTopic->setSource(QUrl(strPngUrl));
    EXPECT_EQ(txtTopic->toPlainText().trimmed().toStdString(), "");
    QDir::setCurrent(strOldFolder);
    std::string strOpened;
    for (const std::string& strName : objWatch.Opened()) strOpened += strName + " ";
    EXPECT_EQ(strOpened, "");
}

/// Holds a database locked from a thread of its own until told to let go, or until a minute has
/// passed so that a test that waits for the lock's end fails rather than hangs.
class DatabaseLock {
public:
    explicit DatabaseLock(const QString& strFile) {
        objHolder = std::thread([this, strFile] {
            {
                QSqlDatabase objDatabase =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock"));
                objDatabase.setDatabaseName(strFile);
                QSqlQuery objQuery(objDatabase);
                const bool blnLocked =
                    objDatabase.open() &&
                    objQuery.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS held (x)")) &&
                    objQuery.exec(QStringLiteral("BEGIN EXCLUSIVE")) &&
                    objQuery.exec(QStringLiteral("INSERT INTO held VALUES (1)"));
                std::unique_lock objLock(objMutex);
                enmState = blnLocked ? State::Locked : State::Failed;
                objChanged.notify_all();
                blnTimedOut = !objChanged.wait_for(objLock, std::chrono::minutes(1),
                                                   [this] { return blnRelease; });
                objQuery.exec(QStringLiteral("ROLLBACK"));
                objDatabase.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("lock"));
        });
        std::unique_lock objLock(objMutex);
        objChanged.wait(objLock, [this] { return enmState != State::Starting; });
    }
    ~DatabaseLock() {
        Release();
        objHolder.join();
    }
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;

    bool Locked() const { return enmState == State::Locked; }
    /// Lets go of the lock; true when it was held until now.
    bool Release() {
        std::unique_lock objLock(objMutex);
        blnRelease = true;
        objChanged.notify_all();
        return !blnTimedOut;
    }

private:
    enum class State { Starting, Locked, Failed };
    std::mutex objMutex;
    std::condition_variable objChanged;
    State enmState = State::Starting;
    bool blnRelease = false;
    bool blnTimedOut = false;
    std::thread objHolder;
};

TEST_F(HelpViewerSafetyTest, ClosingTheViewerWaitsForAStuckSearchIndexOnlyAWhile) {
    auto* frm = new frmHelpViewer();
    // The index's database, made and locked before the index writer opens it: the writer then
    // waits in a loop, deaf to being cancelled, for as long as the lock lasts.
    const QString strIndexFolder =
        QFileInfo(frm->Engine()->collectionFile()).absolutePath() + QStringLiteral("/.huevra");
    ASSERT_TRUE(QDir().mkpath(strIndexFolder));
    DatabaseLock objLock(strIndexFolder + QStringLiteral("/fts"));
    ASSERT_TRUE(objLock.Locked());
    // The help file is shown although its index is not written.
    ASSERT_TRUE(frm->LoadHelpFile(QString::fromStdString(strHelpFile)));
    ASSERT_FALSE(frm->SearchReady()) << "the index was written elsewhere";
    EXPECT_TRUE(frm->ShowTopic(QStringLiteral("huevra1.htm")));
    const QPointer<QHelpSearchEngine> objSearch = frm->Engine()->searchEngine();
    delete frm;
    EXPECT_TRUE(objLock.Release()) << "closing the viewer waited until the index was let go";
    // The writer left behind ends once the lock has gone, before this test does.
    if (objSearch != nullptr) {
        QSignalSpy objFinished(objSearch.data(), &QHelpSearchEngine::indexingFinished);
        EXPECT_TRUE(objFinished.wait(30000));
    }
    // Nor may the tests end under it: a writer still running while the process exits touches
    // what the exit has destroyed.
    EXPECT_TRUE(QTest::qWaitFor([] { return !IndexWriterRunning(); }, 30000));
}

TEST_F(HelpViewerSafetyTest, AMinimisedViewerComesBackForTheNextTopic) {
    QtHelpViewer objViewer;
    ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "huevra1.htm"));
    frmHelpViewer* frm = objViewer.Window();
    for (const auto enmOther : {Qt::WindowNoState, Qt::WindowMaximized}) {
        SCOPED_TRACE(enmOther == Qt::WindowMaximized ? "maximised" : "normal");
        frm->setWindowState(enmOther);
        frm->showMinimized();
        ASSERT_TRUE(frm->isMinimized());
        ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "huevra10.htm"));
        EXPECT_TRUE(frm->isVisible());
        EXPECT_FALSE(frm->isMinimized());
        // A maximised viewer comes back maximised.
        EXPECT_EQ(frm->isMaximized(), enmOther == Qt::WindowMaximized);
        EXPECT_EQ(frm->windowTitle().toStdString(), "Huevra Help - Custom Format");
    }
}

TEST_F(HelpViewerSafetyTest, TheContentsMarkThePageShown) {
    QtHelpViewer objViewer;
    const struct {
        const char* strTopic;
        const char* strEntry;
    } arrCase[] = {
        {"huevra1.htm", "The main window"},
        {"huevra10.htm", "Custom Format"},
        {"huevra9.htm", "Menus and keys"},
        {"huevra11.htm", "Colour Inspector"},
        {"huevra1.htm", "The main window"},
    };
    for (const auto& objCase : arrCase) {
        SCOPED_TRACE(objCase.strTopic);
        ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, objCase.strTopic));
        // Too low for the whole of the contents, which have to be scrolled to the entry.
        objViewer.Window()->resize(600, 200);
        QHelpContentWidget* lstContents = objViewer.Window()->Engine()->contentWidget();
        // The contents are read in the engine's own thread.
        QSignalSpy objCreated(objViewer.Window()->Engine()->contentModel(),
                              &QHelpContentModel::contentsCreated);
        if (lstContents->model()->rowCount() == 0) {
            ASSERT_TRUE(objCreated.wait(10000));
        }
        const QModelIndex objCurrent = lstContents->currentIndex();
        ASSERT_TRUE(objCurrent.isValid());
        EXPECT_EQ(objCurrent.data().toString().toStdString(), objCase.strEntry);
        EXPECT_TRUE(lstContents->selectionModel()->isSelected(objCurrent));
        const QRect objShown = lstContents->visualRect(objCurrent);
        EXPECT_TRUE(lstContents->viewport()->rect().contains(objShown)) << "the entry is out of view";
    }
}

}  // namespace
