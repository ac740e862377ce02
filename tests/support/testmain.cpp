// Test entry point: a QCoreApplication for the Qt-based units (a
// QApplication for the window tests), and a settings
// location in a temporary folder so that no test ever reads or writes the
// user's real settings (nor its cache).
#include "support/testenv.h"

#ifdef LEXICANA_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QTemporaryDir* g_settingsDir = nullptr;
}

namespace lexicana::test {
QString SettingsFolder()
{
    return g_settingsDir->path();
}
} // namespace lexicana::test

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsDir;
    g_settingsDir = &settingsDir;
    qputenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (settingsDir.path() + "/data").toLocal8Bit());
    // The record of the last run of a set, kept by the programs run here too.
    qputenv("XDG_CACHE_HOME", (settingsDir.path() + "/cache").toLocal8Bit());
    for (auto format : { QSettings::NativeFormat, QSettings::IniFormat })
        for (auto scope : { QSettings::UserScope, QSettings::SystemScope })
            QSettings::setPath(format, scope, settingsDir.path());
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
