#pragma once

#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>

#include "core/Platform.h"

class QDBusPendingCallWatcher;

/// One colour pick through the desktop portal (org.freedesktop.portal.Screenshot.PickColor) on
/// the session bus. It reports once and then deletes itself.
class PortalColourPick : public QObject {
    Q_OBJECT
public:
    /// How long a pick may wait for the portal's answer: long enough for a user who takes
    /// their time over the desktop's own picker, short enough that a portal which lost the
    /// request does not leave the pick open for the rest of the run.
    static constexpr int intTimeLimitMs = 2 * 60 * 1000;

    /// Starts a pick; fnDone is called once, from the event loop, at the latest when
    /// intLimitMs have passed (NoAnswer).
    static void Start(DesktopPickDone fnDone, int intLimitMs = intTimeLimitMs);

    /// Returns the component 0..255 of a portal value 0..1, or -1 for a value out of reach.
    static int ComponentOf(double dblValue);

    /// Returns a new handle token: 128 random bits, in characters valid in an object path.
    static QString NewToken();

private slots:
    void Response(const QDBusMessage& objSignal);

private:
    PortalColourPick(DesktopPickDone fnDone, int intLimitMs);
    void Begin();
    void CallFinished(QDBusPendingCallWatcher* objWatcher);
    void Answer(const QDBusMessage& objSignal);
    void TimeUp();
    bool Subscribe(const QString& strPath);
    void Unsubscribe();
    void Finish(DesktopPickResult enmResult, std::int32_t lngColour);

    DesktopPickDone fnDone;
    int intLimitMs;
    QString strRequestPath;
    // The portal's unique bus name, from its reply to the call; only its answer counts.
    QString strPortalOwner;
    // Answers that came before the reply told who the portal is.
    QList<QDBusMessage> arrEarly;
    bool blnFinished = false;
};
