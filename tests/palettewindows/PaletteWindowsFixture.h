#pragma once

// Three stand-alone scroll bars in place of the main window's, which record every colour the
// palette windows leave on them.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QScrollBar>
#include <QTest>
#include <array>
#include <memory>
#include <vector>

#include "core/modSupport.h"
#include "palettewindows/PaletteCells.h"
#include "palettewindows/PaletteWindow.h"
#include "settings/SettingsStore.h"

class PaletteWindowTest : public ::testing::Test {
protected:
    std::array<std::unique_ptr<QScrollBar>, 3> arrBar;
    /// The three values after each change, as the main window's update path would see them.
    std::vector<std::array<int, 3>> arrSeen;

    void SetUp() override {
        SharedSettings() = ProgramSettings{};
        for (auto& objBar : arrBar) {
            objBar = std::make_unique<QScrollBar>(Qt::Horizontal);
            objBar->setRange(0, 255);
            objBar->setTracking(false);
            objBar->setValue(7);
            QObject::connect(objBar.get(), &QScrollBar::valueChanged, [this] {
                arrSeen.push_back(Bars());
                // The main window's update path lets pending events run.
                modSupport::DoEvents();
            });
        }
    }

    void TearDown() override {
        modSupport::SetEventPump({});
        modSupport::SetFatalErrorHandler({});
        for (auto& objBar : arrBar) objBar.reset();
        // Windows closed by the bars' going are deleted here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SharedSettings() = ProgramSettings{};
    }

    PaletteScrollBars ScrollBars() const {
        return {arrBar[0].get(), arrBar[1].get(), arrBar[2].get()};
    }

    std::array<int, 3> Bars() const {
        return {arrBar[0]->value(), arrBar[1]->value(), arrBar[2]->value()};
    }

    static void Press(PaletteCells* objCells, int intIndex, Qt::MouseButton enmButton) {
        QTest::mouseClick(objCells, enmButton, Qt::NoModifier,
                          objCells->CellRect(intIndex).center());
    }
};
