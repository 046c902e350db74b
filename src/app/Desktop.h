#pragma once

#include <QString>
#include <QUrl>
#include <exception>

class QWidget;

// Everything that waits on the user or reaches outside the program, behind
// one interface so the tests can stand in for it.
class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual void showError(const QString& text) = 0;
    virtual void showWarning(const QString& title, const QString& text) = 0;
    // False when nothing on this desktop could open it.
    virtual bool openUrl(const QUrl& url) = 0;
    virtual void playCaptureSound() = 0;
};

class QtDesktop : public Desktop {
  public:
    void showError(const QString& text) override;
    void showWarning(const QString& title, const QString& text) override;
    bool openUrl(const QUrl& url) override;
    void playCaptureSound() override;
};

// Runs a handler's body; a failure it raises is shown as the program's error
// box, and the program goes on.
void showFailure(Desktop& desktop, const std::exception& failure);

template <typename Body> void guarded(Desktop& desktop, Body body) {
    try {
        body();
    } catch (const std::exception& failure) {
        showFailure(desktop, failure);
    }
}
