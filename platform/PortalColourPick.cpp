#include "platform/PortalColourPick.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QRandomGenerator>
#include <QTimer>
#include <QVariant>
#include <cmath>
#include <utility>  // std::exchange

#include "core/ColourValue.h"

namespace {

const char* const strPortalService = "org.freedesktop.portal.Desktop";
const char* const strPortalPath = "/org/freedesktop/portal/desktop";
const char* const strScreenshotInterface = "org.freedesktop.portal.Screenshot";
const char* const strRequestInterface = "org.freedesktop.portal.Request";
// Answers kept while the portal's reply is awaited; more are not waited for by anyone honest.
constexpr int intMostEarlyAnswers = 32;

// Reads the (ddd) colour of a portal answer; false when it is missing or of another shape.
bool ReadColour(const QVariant& objValue, double& dblRed, double& dblGreen, double& dblBlue) {
    if (objValue.metaType() != QMetaType::fromType<QDBusArgument>()) return false;
    const auto objArgument = objValue.value<QDBusArgument>();
    if (objArgument.currentSignature() != QLatin1String("(ddd)")) return false;
    objArgument.beginStructure();
    objArgument >> dblRed >> dblGreen >> dblBlue;
    objArgument.endStructure();
    return true;
}

}  // namespace

void PortalColourPick::Start(DesktopPickDone fnDone, int intLimitMs) {
    // Owned by the application, so that a pick still open at exit is cleaned up.
    auto* objPick = new PortalColourPick(std::move(fnDone), intLimitMs);
    objPick->Begin();
}

int PortalColourPick::ComponentOf(double dblValue) {
    if (!std::isfinite(dblValue) || dblValue < 0.0 || dblValue > 1.0) return -1;
    return static_cast<int>(std::lround(dblValue * 255.0));
}

QString PortalColourPick::NewToken() {
    // Another program on the bus must not be able to guess where the answer will be sent.
    QString strToken = QStringLiteral("huevra_");
    for (int i = 0; i < 4; ++i)
        strToken += QString::number(QRandomGenerator::system()->generate(), 16)
                        .rightJustified(8, QLatin1Char('0'));
    return strToken;
}

PortalColourPick::PortalColourPick(DesktopPickDone fnDone, int intLimitMs)
    : QObject(QCoreApplication::instance()), fnDone(std::move(fnDone)), intLimitMs(intLimitMs) {}

void PortalColourPick::Begin() {
    QDBusConnection objBus = QDBusConnection::sessionBus();
    if (!objBus.isConnected()) {
        // Reported from the event loop, as every other end of a pick is.
        QTimer::singleShot(0, this, [this] { Finish(DesktopPickResult::Unavailable, 0); });
        return;
    }
    // The portal answers on a request object named after our bus name and a token of ours;
    // listening there before the call makes sure that no answer is missed.
    const QString strToken = NewToken();
    QString strSender = objBus.baseService();
    if (strSender.startsWith(QLatin1Char(':'))) strSender.remove(0, 1);
    strSender.replace(QLatin1Char('.'), QLatin1Char('_'));
    Subscribe(QLatin1String(strPortalPath) + QStringLiteral("/request/") + strSender +
              QLatin1Char('/') + strToken);

    QDBusMessage objCall = QDBusMessage::createMethodCall(
        QLatin1String(strPortalService), QLatin1String(strPortalPath),
        QLatin1String(strScreenshotInterface), QStringLiteral("PickColor"));
    QVariantMap mapOptions;
    mapOptions.insert(QStringLiteral("handle_token"), strToken);
    objCall << QString() << mapOptions;
    // A portal that goes away before it answers will never answer.
    auto* objService = new QDBusServiceWatcher(QLatin1String(strPortalService), objBus,
                                               QDBusServiceWatcher::WatchForUnregistration, this);
    connect(objService, &QDBusServiceWatcher::serviceUnregistered, this,
            [this] { Finish(DesktopPickResult::Unavailable, 0); });
    // Nor will one that has lost the request.
    auto* objLimit = new QTimer(this);
    objLimit->setSingleShot(true);
    connect(objLimit, &QTimer::timeout, this, [this] { TimeUp(); });
    objLimit->start(intLimitMs);
    auto* objWatcher = new QDBusPendingCallWatcher(objBus.asyncCall(objCall), this);
    connect(objWatcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* objDone) { CallFinished(objDone); });
}

void PortalColourPick::CallFinished(QDBusPendingCallWatcher* objWatcher) {
    objWatcher->deleteLater();
    const QDBusPendingReply<QDBusObjectPath> objReply = *objWatcher;
    // The reply comes from whoever owned the portal's name when the call reached it.
    const QString strOwner = objWatcher->reply().service();
    if (objReply.isError() || strOwner.isEmpty()) {
        Finish(DesktopPickResult::Unavailable, 0);
        return;
    }
    if (blnFinished) return;
    strPortalOwner = strOwner;
    // Older portals choose the request object themselves.
    const QString strPath = objReply.value().path();
    if (strPath != strRequestPath) {
        arrEarly.clear();
        Unsubscribe();
        if (!Subscribe(strPath)) Finish(DesktopPickResult::Unavailable, 0);
        return;
    }
    const QList<QDBusMessage> arrArrived = std::exchange(arrEarly, {});
    for (const QDBusMessage& objSignal : arrArrived) {
        if (blnFinished) return;
        Response(objSignal);
    }
}

bool PortalColourPick::Subscribe(const QString& strPath) {
    strRequestPath = strPath;
    // Any sender and any signature: the portal's unique name is known only from its reply,
    // which may come after its answer, and an answer of another shape still ends the pick.
    return QDBusConnection::sessionBus().connect(
        QString(), strPath, QLatin1String(strRequestInterface), QStringLiteral("Response"), this,
        SLOT(Response(QDBusMessage)));
}

void PortalColourPick::Unsubscribe() {
    if (strRequestPath.isEmpty()) return;
    QDBusConnection::sessionBus().disconnect(
        QString(), strRequestPath, QLatin1String(strRequestInterface), QStringLiteral("Response"),
        this, SLOT(Response(QDBusMessage)));
    strRequestPath.clear();
}

void PortalColourPick::Response(const QDBusMessage& objSignal) {
    if (blnFinished) return;
    if (strPortalOwner.isEmpty()) {
        if (arrEarly.size() < intMostEarlyAnswers) arrEarly.append(objSignal);
        return;
    }
    // Any program on the bus can send a signal on this path; only the portal's answer counts.
    if (objSignal.service() != strPortalOwner) return;
    Answer(objSignal);
}

void PortalColourPick::Answer(const QDBusMessage& objSignal) {
    const QList<QVariant> arrArguments = objSignal.arguments();
    if (objSignal.signature() != QLatin1String("ua{sv}") || arrArguments.size() != 2) {
        Finish(DesktopPickResult::InvalidColour, 0);
        return;
    }
    const uint intResponse = arrArguments.at(0).toUInt();
    // 1: the user cancelled. 2: the picker "ended in some other way", which is how the wlroots
    // desktops' portal reports Escape in its picker; the picker ran, so the desktop has one, and
    // nothing was picked: for the user, a cancel.
    if (intResponse == 1 || intResponse == 2) {
        Finish(DesktopPickResult::Cancelled, 0);
        return;
    }
    if (intResponse != 0) {
        // An answer the portal does not define: the desktop could not run its picker.
        Finish(DesktopPickResult::Unavailable, 0);
        return;
    }
    const auto mapResults = qdbus_cast<QVariantMap>(arrArguments.at(1));
    double dblRed = 0;
    double dblGreen = 0;
    double dblBlue = 0;
    if (!ReadColour(mapResults.value(QStringLiteral("color")), dblRed, dblGreen, dblBlue)) {
        Finish(DesktopPickResult::InvalidColour, 0);
        return;
    }
    const int intRed = ComponentOf(dblRed);
    const int intGreen = ComponentOf(dblGreen);
    const int intBlue = ComponentOf(dblBlue);
    if (intRed < 0 || intGreen < 0 || intBlue < 0) {
        Finish(DesktopPickResult::InvalidColour, 0);
        return;
    }
    Finish(DesktopPickResult::Picked, PackColour(intRed, intGreen, intBlue));
}

void PortalColourPick::TimeUp() {
    if (blnFinished) return;
    // The portal's own picker, if still shown, is closed, since its colour would go nowhere.
    if (!strRequestPath.isEmpty()) {
        QDBusMessage objClose = QDBusMessage::createMethodCall(
            strPortalOwner.isEmpty() ? QString::fromLatin1(strPortalService) : strPortalOwner,
            strRequestPath, QLatin1String(strRequestInterface), QStringLiteral("Close"));
        objClose.setAutoStartService(false);
        QDBusConnection::sessionBus().send(objClose);
    }
    Finish(DesktopPickResult::NoAnswer, 0);
}

void PortalColourPick::Finish(DesktopPickResult enmResult, std::int32_t lngColour) {
    if (blnFinished) return;
    blnFinished = true;
    Unsubscribe();
    arrEarly.clear();
    deleteLater();
    try {
        fnDone(enmResult, lngColour);
    } catch (...) {
        // The receiver guards its own work; nothing may leave a slot.
    }
}
