#pragma once

// The settings dialogs on fake services: a desktop folder of the test's own and an empty store.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <string>

#include "core/modSupport.h"
#include "settings/SettingsStore.h"
#include "tests/support/Fakes.h"

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(objRoot.isValid());
        ASSERT_TRUE(QDir(objRoot.path()).mkpath("Desktop"));
        strDesktop = Folder("Desktop");
        SetDesktopLocationProvider([this] { return strDesktop; });
    }
    void TearDown() override {
        SetDesktopLocationProvider({});
        modSupport::SetEventPump({});
        modSupport::SetFatalErrorHandler({});
    }

    void Store(const std::string& strName, const std::string& strText) {
        objRegistry.mapValue[{strSettingsKey, strName}] = strText;
    }
    std::string Stored(const std::string& strName) const {
        const auto it = objRegistry.mapValue.find({strSettingsKey, strName});
        return it == objRegistry.mapValue.end() ? "(absent)" : it->second;
    }
    /// The native path of a folder under the test's root, created when blnCreate is set.
    std::string Folder(const QString& strRelative, bool blnCreate = false) const {
        if (blnCreate) QDir(objRoot.path()).mkpath(strRelative);
        return QDir::toNativeSeparators(objRoot.path() + "/" + strRelative).toStdString();
    }
    /// True when a fresh start would take the stored settings without restoring them.
    bool NextStartAcceptsTheStore() {
        ProgramSettings objNext;
        FakeMessageBox objNextMessages;
        LoadSettings(objNext, objRegistry, objNextMessages);
        return objNextMessages.arrShown.empty();
    }
    /// Shows a dialog as the active window, as a user would meet it.
    static void ShowActive(QWidget& objWindow) {
        objWindow.show();
        objWindow.activateWindow();
        QApplication::setActiveWindow(&objWindow);
    }

    QTemporaryDir objRoot;
    std::string strDesktop;
    FakeRegistry objRegistry;
    FakeMessageBox objMessages;
    ProgramSettings objSettings;
};
