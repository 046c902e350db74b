#include "KestrumApplication.h"

#include "BuildSettings.h"
#include "Desktop.h"

#include <cstdlib>

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

void KestrumApplication::preferX11() {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb;wayland", 0);
}
