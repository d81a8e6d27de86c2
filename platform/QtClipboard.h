#pragma once

#include <QObject>
#include <string>

#include "core/Platform.h"

/// The system clipboard (not the X11 selection), plain text.
///
/// A Wayland compositor takes the clipboard only from a program that has had input: Qt offers
/// it with the serial of the last key, button or pointer entry, and before the first of them the
/// offer is refused while Qt reports it as made. Where that holds, the text last written before
/// the program's first input is offered once more at that input, unless a later write or a
/// clear has replaced it.
class QtClipboard : public QObject, public IClipboard {
public:
    /// blnOfferAgainAtFirstInput defaults to whether the program runs natively on Wayland.
    QtClipboard();
    explicit QtClipboard(bool blnOfferAgainAtFirstInput);
    void Clear() override;
    void SetText(const std::string& strText) override;

protected:
    bool eventFilter(QObject* objWatched, QEvent* event) override;

private:
    bool blnWaitingForInput = false;
    bool blnTextPending = false;
    std::string strPendingText;
};
