// Stores or reads settings texts from a process of its own, for the test that compares what two
// processes see. Texts travel as the hex of their UTF-8 bytes:
//   huevra_settings_probe write <key> <name> <hex> [<name> <hex>...]
//   huevra_settings_probe read <key> <name> [<name>...]   (prints one hex line per name)

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <string>

#include "settings/RegistryStringHandler.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arrArguments = app.arguments();
    if (arrArguments.size() < 3) return 2;
    const QString strMode = arrArguments[1];
    const std::string strKey = arrArguments[2].toStdString();
    RegistryStringHandler objRegistry;
    if (strMode == "write") {
        if (arrArguments.size() % 2 == 0) return 2;
        for (qsizetype i = 3; i + 1 < arrArguments.size(); i += 2) {
            const std::string strData =
                QByteArray::fromHex(arrArguments[i + 1].toLatin1()).toStdString();
            if (!objRegistry.WriteString(RegistryHive::CurrentUser, strKey,
                                         arrArguments[i].toStdString(), strData))
                return 1;
        }
        return 0;
    }
    if (strMode == "read") {
        for (qsizetype i = 3; i < arrArguments.size(); ++i) {
            const std::string strText = objRegistry.ReadString(RegistryHive::CurrentUser, strKey,
                                                               arrArguments[i].toStdString());
            std::printf("%s\n", QByteArray::fromStdString(strText).toHex().constData());
        }
        return 0;
    }
    return 2;
}
