#include "WindowActivation.h"

#include <QEvent>
#include <QGuiApplication>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Qt's Wayland platform activates with the token in this variable, once.
void activate(QWidget& window, const QString& token) {
    if (!token.isEmpty() && onWayland())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    window.raise();
    window.activateWindow();
}

// A window shown a moment ago is not on the screen yet, and a Wayland
// compositor ignores the activation of a window it has not mapped: the
// token would be spent for nothing. The activation waits until the
// window's first expose has painted it. (Qt's X11 platform holds an early
// activation back until the window is mapped by itself.)
class ActivationOnExpose : public QObject {
  public:
    ActivationOnExpose(QWidget& window, QString token)
        : QObject(window.windowHandle()), window_(window), token_(std::move(token)) {
        window.windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            QTimer::singleShot(0, &window_,
                               [window = &window_, token = token_] { activate(*window, token); });
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
    QString token_;
};

} // namespace

void bringForward(QWidget& window, const QString& activationToken) {
    QWindow* handle = window.windowHandle();
    if (onWayland() && handle && window.isVisible() && !handle->isExposed())
        new ActivationOnExpose(window, activationToken);
    else
        activate(window, activationToken);
}
