#pragma once

#include <QApplication>

class Desktop;

// The application object: an exception that escapes an event handler is
// shown in the error box, and the program goes on.
class KestrumApplication : public QApplication {
  public:
    KestrumApplication(int& argc, char** argv, Desktop& desktop);
    bool notify(QObject* receiver, QEvent* event) override;

    // Names the windowing platform before the application is made, unless
    // the user chose one: X11 where it is there, else native Wayland.
    static void choosePlatform();

  private:
    Desktop& desktop_;
};
