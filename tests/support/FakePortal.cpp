// A stand-in for the desktop portal's colour pick, for tests on a private session bus.
//   huevra_fake_portal pick R G B [early]   answers each PickColor with the colour (0..1 each)
//   huevra_fake_portal cancel               answers each PickColor as cancelled by the user
//   huevra_fake_portal fail                 answers each PickColor as ended some other way
//   huevra_fake_portal nocolour             answers each PickColor as picked, without a colour
//   huevra_fake_portal silent               takes each PickColor and never answers
// "early" sends the answer before the call's reply, as a fast portal may. The program prints
// "ready" once it owns the portal's name, and "pick" for each call it answers.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

namespace {

struct Answer {
    uint intResponse = 0;
    bool blnColour = true;
    double dblRed = 0;
    double dblGreen = 0;
    double dblBlue = 0;
    bool blnEarly = false;
    bool blnSilent = false;
};

class FakePortal : public QDBusVirtualObject {
public:
    explicit FakePortal(const Answer& objAnswer) : objAnswer_(objAnswer) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& objCall, const QDBusConnection& objBus) override {
        if (objCall.interface() != QLatin1String("org.freedesktop.portal.Screenshot") ||
            objCall.member() != QLatin1String("PickColor") || objCall.arguments().size() != 2)
            return false;
        const auto mapOptions = qdbus_cast<QVariantMap>(objCall.arguments().at(1));
        QString strSender = objCall.service();
        strSender.remove(0, 1).replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString strPath = QStringLiteral("/org/freedesktop/portal/desktop/request/") +
                                strSender + QLatin1Char('/') +
                                mapOptions.value(QStringLiteral("handle_token")).toString();

        QVariantMap mapResults;
        if (objAnswer_.blnColour) {
            QDBusArgument objColour;
            objColour.beginStructure();
            objColour << objAnswer_.dblRed << objAnswer_.dblGreen << objAnswer_.dblBlue;
            objColour.endStructure();
            mapResults.insert(QStringLiteral("color"), QVariant::fromValue(objColour));
        }
        QDBusMessage objResponse = QDBusMessage::createSignal(
            strPath, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        objResponse << objAnswer_.intResponse << mapResults;
        const QDBusMessage objReply =
            objCall.createReply(QVariant::fromValue(QDBusObjectPath(strPath)));
        QDBusConnection objSender = objBus;
        if (objAnswer_.blnSilent) {
            objSender.send(objReply);
            std::printf("pick\n");
            std::fflush(stdout);
            return true;
        }
        if (objAnswer_.blnEarly) objSender.send(objResponse);
        objSender.send(objReply);
        if (!objAnswer_.blnEarly) objSender.send(objResponse);
        std::printf("pick\n");
        std::fflush(stdout);
        return true;
    }

private:
    Answer objAnswer_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arrArgs = app.arguments().mid(1);
    Answer objAnswer;
    const QString strMode = arrArgs.value(0);
    if (strMode == QLatin1String("pick") && arrArgs.size() >= 4) {
        objAnswer.dblRed = arrArgs[1].toDouble();
        objAnswer.dblGreen = arrArgs[2].toDouble();
        objAnswer.dblBlue = arrArgs[3].toDouble();
        objAnswer.blnEarly = arrArgs.value(4) == QLatin1String("early");
    } else if (strMode == QLatin1String("cancel")) {
        objAnswer.intResponse = 1;
        objAnswer.blnColour = false;
    } else if (strMode == QLatin1String("fail")) {
        objAnswer.intResponse = 2;
        objAnswer.blnColour = false;
    } else if (strMode == QLatin1String("nocolour")) {
        objAnswer.blnColour = false;
    } else if (strMode == QLatin1String("silent")) {
        objAnswer.blnSilent = true;
    } else {
        std::fprintf(stderr,
                     "usage: huevra_fake_portal pick R G B [early] | cancel | fail | "
                     "nocolour | silent\n");
        return 2;
    }
    QDBusConnection objBus = QDBusConnection::sessionBus();
    FakePortal objPortal(objAnswer);
    if (!objBus.registerVirtualObject(QStringLiteral("/org/freedesktop/portal/desktop"),
                                      &objPortal) ||
        !objBus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        std::fprintf(stderr, "huevra_fake_portal: cannot own the portal's name on this bus\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
