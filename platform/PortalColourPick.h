#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <cstdint>

#include "core/Platform.h"

class QDBusPendingCallWatcher;

/// One colour pick through the desktop portal (org.freedesktop.portal.Screenshot.PickColor) on
/// the session bus. It reports once and then deletes itself.
class PortalColourPick : public QObject {
    Q_OBJECT
public:
    /// Starts a pick; fnDone is called once, from the event loop.
    static void Start(DesktopPickDone fnDone);

    /// Returns the component 0..255 of a portal value 0..1, or -1 for a value out of reach.
    static int ComponentOf(double dblValue);

private slots:
    void Response(uint intResponse, const QVariantMap& mapResults);

private:
    explicit PortalColourPick(DesktopPickDone fnDone);
    void Begin();
    void CallFinished(QDBusPendingCallWatcher* objWatcher);
    bool Subscribe(const QString& strPath);
    void Unsubscribe();
    void Finish(DesktopPickResult enmResult, std::int32_t lngColour);

    DesktopPickDone fnDone_;
    QString strRequestPath_;
    bool blnFinished_ = false;
};
