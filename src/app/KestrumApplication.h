#pragma once

#include <QApplication>

class Desktop;

// The application object: an exception that escapes an event handler is
// shown in the error box, and the program goes on.
class KestrumApplication : public QApplication {
  public:
    KestrumApplication(int& argc, char** argv, Desktop& desktop);
    bool notify(QObject* receiver, QEvent* event) override;

    // X11 first (absolute window positions), Wayland as the fallback, unless
    // the user chose a platform.
    static void preferX11();

  private:
    Desktop& desktop_;
};
