// The system clipboard on the offscreen platform, with the offer again at the first input that a
// Wayland compositor needs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/QtClipboard.h"

namespace {

enum class Input { Key, Click, PointerEntry, SentByProgram };

// Input as the desktop delivers it, except SentByProgram, which the program sends itself.
void Give(QWidget& objWindow, Input intInput) {
    switch (intInput) {
        case Input::Key:
            QTest::keyClick(&objWindow, Qt::Key_Shift);
            break;
        case Input::Click:
            QTest::mouseClick(&objWindow, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
            break;
        case Input::PointerEntry:
            // The pointer's first move over the window enters it.
            QTest::mouseMove(&objWindow, QPoint(5, 5));
            break;
        case Input::SentByProgram: {
            QEnterEvent objEnter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QApplication::sendEvent(objWindow.windowHandle(), &objEnter);
            break;
        }
    }
}

struct ClipboardCase {
    const char* strName;
    bool blnOfferAgain;
    std::function<void(QtClipboard&, QWidget&)> fnSteps;
    Input intInput;
    // The texts the clipboard was given, in order, counting from the first step.
    std::vector<std::string> arrOffers;
};

}  // namespace

TEST(QtClipboard, OffersTheLastTextAgainOnceAtTheFirstInputUnlessReplaced) {
    const auto fnSet = [](const char* strText) {
        return [strText](QtClipboard& objClipboard, QWidget&) { objClipboard.SetText(strText); };
    };
    const std::vector<ClipboardCase> arrCases = {
        {"key", true, fnSet("#FF0000"), Input::Key, {"#FF0000", "#FF0000"}},
        {"click", true, fnSet("#FF0000"), Input::Click, {"#FF0000", "#FF0000"}},
        {"pointer entry", true, fnSet("#FF0000"), Input::PointerEntry, {"#FF0000", "#FF0000"}},
        // Only the desktop's input carries what the compositor asks for.
        {"after an event sent by the program", true,
         [](QtClipboard& objClipboard, QWidget& objWindow) {
             objClipboard.SetText("#FF0000");
             Give(objWindow, Input::SentByProgram);
             objClipboard.SetText("#00FF00");
         },
         Input::Key, {"#FF0000", "#00FF00", "#00FF00"}},
        {"replaced by a later text", true,
         [](QtClipboard& objClipboard, QWidget&) {
             objClipboard.SetText("#FF0000");
             objClipboard.Clear();
             objClipboard.SetText("rgb(0,0,255)");
         },
         Input::Key, {"#FF0000", "", "rgb(0,0,255)", "rgb(0,0,255)"}},
        {"cleared", true,
         [](QtClipboard& objClipboard, QWidget&) {
             objClipboard.SetText("#FF0000");
             objClipboard.Clear();
         },
         Input::Key, {"#FF0000", ""}},
        {"written after the first input", true,
         [](QtClipboard& objClipboard, QWidget& objWindow) {
             Give(objWindow, Input::Click);
             objClipboard.SetText("#FF0000");
         },
         Input::Key, {"#FF0000"}},
        // X11 and the other platforms take the clipboard at once.
        {"not on Wayland", false, fnSet("#FF0000"), Input::Key, {"#FF0000"}},
    };
    for (const ClipboardCase& udtCase : arrCases) {
        SCOPED_TRACE(udtCase.strName);
        QClipboard& objSystem = *QGuiApplication::clipboard();
        objSystem.clear(QClipboard::Clipboard);
        QWidget objWindow;
        objWindow.resize(40, 40);
        objWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&objWindow));
        QtClipboard objClipboard(udtCase.blnOfferAgain);
        std::vector<std::string> arrOffers;
        QObject::connect(&objSystem, &QClipboard::dataChanged, &objWindow, [&] {
            arrOffers.push_back(objSystem.text(QClipboard::Clipboard).toStdString());
        });
        udtCase.fnSteps(objClipboard, objWindow);
        Give(objWindow, udtCase.intInput);
        EXPECT_EQ(arrOffers, udtCase.arrOffers);
        // Input after the first never offers it again.
        Give(objWindow, Input::Click);
        Give(objWindow, Input::Key);
        EXPECT_EQ(arrOffers, udtCase.arrOffers);
    }
}
