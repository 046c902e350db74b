#include "KestrumApplication.h"

#include "BuildSettings.h"
#include "Desktop.h"
#include "window/PlatformChoice.h"

#include <cstdlib>
#include <string>

KestrumApplication::KestrumApplication(int& argc, char** argv, Desktop& desktop)
    : QApplication(argc, argv), desktop_(desktop) {
    setApplicationName(QStringLiteral("Kestrum"));
    setApplicationVersion(QString::fromUtf8(buildsettings::version));
    // Docks and task switchers tie the windows to the menu entry by it.
    setDesktopFileName(QStringLiteral("org.kestrum.Kestrum"));
    setQuitOnLastWindowClosed(false);
}

bool KestrumApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        showFailure(desktop_, failure);
    } catch (...) {
        desktop_.showError(QStringLiteral("Unknown error"));
    }
    return false;
}

void KestrumApplication::choosePlatform() {
    std::string chosen = kestrum::platform::preferred(
        std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
    if (!chosen.empty())
        setenv("QT_QPA_PLATFORM", chosen.c_str(), 1);
}
