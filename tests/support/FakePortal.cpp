// A stand-in for the desktop portal's colour pick, for tests on a private session bus.
//   huevra_fake_portal pick R G B [early] [forged]   answers each PickColor with the colour
//   huevra_fake_portal cancel        answers each PickColor as cancelled by the user
//   huevra_fake_portal fail          answers each PickColor as ended some other way
//   huevra_fake_portal nocolour      answers each PickColor as picked, without a colour
//   huevra_fake_portal wrongtype     answers each PickColor as picked, the colour as a text
//   huevra_fake_portal badsignature  answers each PickColor with a Response of another shape
//   huevra_fake_portal otherpath     answers each PickColor on another request object
//   huevra_fake_portal silent        takes each PickColor and never answers
//   huevra_fake_portal backend R G B answers as a desktop's backend behind the portal's own
//                                    front end (org.freedesktop.impl.portal.Screenshot), under
//                                    the name org.freedesktop.impl.portal.desktop.huevratest
// R G B are portal values (0..1 each, though any number is sent as given). "early" sends the
// answer before the call's reply, as a fast portal may. "forged" makes a second client on the
// bus send a forged answer (magenta) on the request object before the call's reply and again
// after it, each before the portal's own answer. The program prints "ready" once it owns the
// portal's name, "pick TOKEN" for each call it takes and "close PATH" for each request the
// caller closes.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

namespace {

const char* const strRoot = "/org/freedesktop/portal/desktop";
const char* const strRequestInterface = "org.freedesktop.portal.Request";

enum class Shape { Colour, NoColour, ColourAsText, OtherSignature };

struct Answer {
    uint intResponse = 0;
    Shape enmShape = Shape::Colour;
    double dblRed = 0;
    double dblGreen = 0;
    double dblBlue = 0;
    bool blnEarly = false;
    bool blnSilent = false;
    bool blnOtherPath = false;
    bool blnForged = false;
    bool blnBackend = false;
};

void Say(const QString& strLine) {
    std::printf("%s\n", strLine.toUtf8().constData());
    std::fflush(stdout);
}

// Waits until the bus has taken everything this connection sent before, so that what another
// connection sends next reaches the caller after it.
void RoundTrip(const QDBusConnection& objBus) {
    objBus.interface()->serviceOwner(QStringLiteral("org.freedesktop.DBus"));
}

QVariant Colour(double dblRed, double dblGreen, double dblBlue) {
    QDBusArgument objColour;
    objColour.beginStructure();
    objColour << dblRed << dblGreen << dblBlue;
    objColour.endStructure();
    return QVariant::fromValue(objColour);
}

class FakePortal : public QDBusVirtualObject {
public:
    explicit FakePortal(const Answer& objAnswer)
        : objAnswer(objAnswer),
          objForger(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                  QStringLiteral("huevra_fake_portal_forger"))) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& objCall, const QDBusConnection& objBus) override {
        if (objAnswer.blnBackend) return BackendMessage(objCall, objBus);
        if (objCall.interface() == QLatin1String(strRequestInterface) &&
            objCall.member() == QLatin1String("Close")) {
            Say(QStringLiteral("close ") + objCall.path());
            QDBusConnection(objBus).send(objCall.createReply());
            return true;
        }
        if (objCall.interface() != QLatin1String("org.freedesktop.portal.Screenshot") ||
            objCall.member() != QLatin1String("PickColor") || objCall.arguments().size() != 2)
            return false;
        const auto mapOptions = qdbus_cast<QVariantMap>(objCall.arguments().at(1));
        const QString strToken = mapOptions.value(QStringLiteral("handle_token")).toString();
        QString strSender = objCall.service();
        strSender.remove(0, 1).replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString strPath = QLatin1String(strRoot) + QStringLiteral("/request/") + strSender +
                                QLatin1Char('/') + strToken;

        QVariantMap mapResults;
        if (objAnswer.enmShape == Shape::Colour)
            mapResults.insert(QStringLiteral("color"),
                              Colour(objAnswer.dblRed, objAnswer.dblGreen, objAnswer.dblBlue));
        if (objAnswer.enmShape == Shape::ColourAsText)
            mapResults.insert(QStringLiteral("color"), QStringLiteral("#00ff00"));
        QDBusMessage objResponse = QDBusMessage::createSignal(
            objAnswer.blnOtherPath ? strPath + QStringLiteral("_other") : strPath,
            QLatin1String(strRequestInterface), QStringLiteral("Response"));
        if (objAnswer.enmShape == Shape::OtherSignature)
            objResponse << objAnswer.intResponse << QStringLiteral("picked");
        else
            objResponse << objAnswer.intResponse << mapResults;
        const QDBusMessage objReply =
            objCall.createReply(QVariant::fromValue(QDBusObjectPath(strPath)));

        QDBusConnection objSender = objBus;
        Say(QStringLiteral("pick ") + strToken);
        if (objAnswer.blnSilent) {
            objSender.send(objReply);
            return true;
        }
        if (objAnswer.blnForged) Forge(strPath);
        if (objAnswer.blnEarly) objSender.send(objResponse);
        objSender.send(objReply);
        if (objAnswer.blnForged) {
            RoundTrip(objSender);
            Forge(strPath);
        }
        if (!objAnswer.blnEarly) objSender.send(objResponse);
        return true;
    }

private:
    // The backend's side: the front end asks for the pick and passes the answer on.
    bool BackendMessage(const QDBusMessage& objCall, const QDBusConnection& objBus) {
        QDBusConnection objSender = objBus;
        if (objCall.interface() == QLatin1String("org.freedesktop.DBus.Properties")) {
            if (objCall.member() == QLatin1String("GetAll")) {
                QVariantMap mapProperties;
                mapProperties.insert(QStringLiteral("version"), 2U);
                objSender.send(objCall.createReply(mapProperties));
            } else {
                objSender.send(objCall.createReply(QVariant::fromValue(QDBusVariant(2U))));
            }
            return true;
        }
        if (objCall.interface() != QLatin1String("org.freedesktop.impl.portal.Screenshot") ||
            objCall.member() != QLatin1String("PickColor") || objCall.arguments().size() != 4)
            return false;
        QVariantMap mapResults;
        mapResults.insert(QStringLiteral("color"),
                          Colour(objAnswer.dblRed, objAnswer.dblGreen, objAnswer.dblBlue));
        QList<QVariant> arrOut{0U, mapResults};
        objSender.send(objCall.createReply(arrOut));
        Say(QStringLiteral("backend pick ") +
            qvariant_cast<QDBusObjectPath>(objCall.arguments().at(0)).path());
        return true;
    }

    // Another client on the bus answers in the portal's place.
    void Forge(const QString& strPath) {
        QVariantMap mapResults;
        mapResults.insert(QStringLiteral("color"), Colour(1, 0, 1));
        QDBusMessage objForged = QDBusMessage::createSignal(
            strPath, QLatin1String(strRequestInterface), QStringLiteral("Response"));
        objForged << 0U << mapResults;
        objForger.send(objForged);
        RoundTrip(objForger);
    }

    Answer objAnswer;
    QDBusConnection objForger;
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
        const QStringList arrFlags = arrArgs.mid(4);
        objAnswer.blnEarly = arrFlags.contains(QLatin1String("early"));
        objAnswer.blnForged = arrFlags.contains(QLatin1String("forged"));
    } else if (strMode == QLatin1String("backend") && arrArgs.size() >= 4) {
        objAnswer.dblRed = arrArgs[1].toDouble();
        objAnswer.dblGreen = arrArgs[2].toDouble();
        objAnswer.dblBlue = arrArgs[3].toDouble();
        objAnswer.blnBackend = true;
    } else if (strMode == QLatin1String("cancel")) {
        objAnswer.intResponse = 1;
        objAnswer.enmShape = Shape::NoColour;
    } else if (strMode == QLatin1String("fail")) {
        objAnswer.intResponse = 2;
        objAnswer.enmShape = Shape::NoColour;
    } else if (strMode == QLatin1String("nocolour")) {
        objAnswer.enmShape = Shape::NoColour;
    } else if (strMode == QLatin1String("wrongtype")) {
        objAnswer.enmShape = Shape::ColourAsText;
    } else if (strMode == QLatin1String("badsignature")) {
        objAnswer.enmShape = Shape::OtherSignature;
    } else if (strMode == QLatin1String("otherpath")) {
        objAnswer.blnOtherPath = true;
    } else if (strMode == QLatin1String("silent")) {
        objAnswer.blnSilent = true;
    } else {
        std::fprintf(stderr,
                     "usage: huevra_fake_portal pick R G B [early] [forged] | cancel | fail | "
                     "nocolour | wrongtype | badsignature | otherpath | silent | backend R G B\n");
        return 2;
    }
    QDBusConnection objBus = QDBusConnection::sessionBus();
    FakePortal objPortal(objAnswer);
    // The request objects under the portal's path take the caller's Close.
    if (!objBus.registerVirtualObject(QLatin1String(strRoot), &objPortal,
                                      QDBusConnection::SubPath) ||
        !objBus.registerService(
            objAnswer.blnBackend ? QStringLiteral("org.freedesktop.impl.portal.desktop.huevratest")
                                 : QStringLiteral("org.freedesktop.portal.Desktop"))) {
        std::fprintf(stderr, "huevra_fake_portal: cannot own the portal's name on this bus\n");
        return 1;
    }
    Say(QStringLiteral("ready"));
    return app.exec();
}
