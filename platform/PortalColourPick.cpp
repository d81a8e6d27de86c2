#include "platform/PortalColourPick.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QTimer>
#include <QVariant>
#include <cmath>

#include "core/ColourValue.h"

namespace {

const char* const strPortalService = "org.freedesktop.portal.Desktop";
const char* const strPortalPath = "/org/freedesktop/portal/desktop";
const char* const strScreenshotInterface = "org.freedesktop.portal.Screenshot";
const char* const strRequestInterface = "org.freedesktop.portal.Request";

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

void PortalColourPick::Start(DesktopPickDone fnDone) {
    // Owned by the application, so that a pick still open at exit is cleaned up.
    auto* objPick = new PortalColourPick(std::move(fnDone));
    objPick->Begin();
}

int PortalColourPick::ComponentOf(double dblValue) {
    if (!std::isfinite(dblValue) || dblValue < 0.0 || dblValue > 1.0) return -1;
    return static_cast<int>(std::lround(dblValue * 255.0));
}

PortalColourPick::PortalColourPick(DesktopPickDone fnDone)
    : QObject(QCoreApplication::instance()), fnDone_(std::move(fnDone)) {}

void PortalColourPick::Begin() {
    QDBusConnection objBus = QDBusConnection::sessionBus();
    if (!objBus.isConnected()) {
        // Reported from the event loop, as every other end of a pick is.
        QTimer::singleShot(0, this, [this] { Finish(DesktopPickResult::Unavailable, 0); });
        return;
    }
    // The portal answers on a request object named after our bus name and a token of ours;
    // listening there before the call makes sure that no answer is missed.
    static unsigned int intTokens = 0;
    const QString strToken = QStringLiteral("huevra%1").arg(++intTokens);
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
    auto* objWatcher = new QDBusPendingCallWatcher(objBus.asyncCall(objCall), this);
    connect(objWatcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* objDone) { CallFinished(objDone); });
}

void PortalColourPick::CallFinished(QDBusPendingCallWatcher* objWatcher) {
    objWatcher->deleteLater();
    const QDBusPendingReply<QDBusObjectPath> objReply = *objWatcher;
    if (objReply.isError()) {
        Finish(DesktopPickResult::Unavailable, 0);
        return;
    }
    // Older portals choose the request object themselves.
    const QString strPath = objReply.value().path();
    if (!blnFinished_ && strPath != strRequestPath_) {
        Unsubscribe();
        if (!Subscribe(strPath)) Finish(DesktopPickResult::Unavailable, 0);
    }
}

bool PortalColourPick::Subscribe(const QString& strPath) {
    strRequestPath_ = strPath;
    // Any sender: the portal's unique name may not be known yet when it is started on demand.
    return QDBusConnection::sessionBus().connect(
        QString(), strPath, QLatin1String(strRequestInterface), QStringLiteral("Response"), this,
        SLOT(Response(uint, QVariantMap)));
}

void PortalColourPick::Unsubscribe() {
    if (strRequestPath_.isEmpty()) return;
    QDBusConnection::sessionBus().disconnect(
        QString(), strRequestPath_, QLatin1String(strRequestInterface), QStringLiteral("Response"),
        this, SLOT(Response(uint, QVariantMap)));
    strRequestPath_.clear();
}

void PortalColourPick::Response(uint intResponse, const QVariantMap& mapResults) {
    if (intResponse == 1) {
        Finish(DesktopPickResult::Cancelled, 0);
        return;
    }
    double dblRed = 0;
    double dblGreen = 0;
    double dblBlue = 0;
    if (intResponse != 0 ||
        !ReadColour(mapResults.value(QStringLiteral("color")), dblRed, dblGreen, dblBlue)) {
        Finish(DesktopPickResult::Unavailable, 0);
        return;
    }
    const int intRed = ComponentOf(dblRed);
    const int intGreen = ComponentOf(dblGreen);
    const int intBlue = ComponentOf(dblBlue);
    if (intRed < 0 || intGreen < 0 || intBlue < 0) {
        Finish(DesktopPickResult::Unavailable, 0);
        return;
    }
    Finish(DesktopPickResult::Picked, PackColour(intRed, intGreen, intBlue));
}

void PortalColourPick::Finish(DesktopPickResult enmResult, std::int32_t lngColour) {
    if (blnFinished_) return;
    blnFinished_ = true;
    Unsubscribe();
    deleteLater();
    try {
        fnDone_(enmResult, lngColour);
    } catch (...) {
        // The receiver guards its own work; nothing may leave a slot.
    }
}
