// The screen tests' entry point: Qt needs its application before any widget, and a display. Unless
// told otherwise the tests run on the offscreen platform, with a runtime folder of their own, Qt's
// Japanese texts and the game's font, exactly as the game sets them up. The settings the windows
// keep (their sizes and places) go to that folder too, never to the player's own.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QByteArray>
#include <QSettings>
#include <cstring>
#include <filesystem>

#include "core/forms/GameLook.h"

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says this on every show; nothing else is hidden.
void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("This plugin does not support propagateSizeHints()"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    char runtime[] = "/tmp/teijiroku-forms-XXXXXX";
    if (mkdtemp(runtime)) qputenv("XDG_RUNTIME_DIR", runtime);
    const QString settings = QString::fromLocal8Bit(runtime) + QStringLiteral("/settings");
    qputenv("XDG_CONFIG_HOME", settings.toLocal8Bit());
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (auto scope : {QSettings::UserScope, QSettings::SystemScope}) QSettings::setPath(format, scope, settings);
    previousHandler = qInstallMessageHandler(filterMessages);

    int result = 0;
    {
        QApplication app(argc, argv);
        tei::applyGameLook(app);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::error_code ec;
    std::filesystem::remove_all(runtime, ec);
    return result;
}
