#include "Desktop.h"

#include "AppTexts.h"
#include "CaptureSound.h"
#include "ProgramText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>

void QtDesktop::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, apptexts::applicationTitle(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void QtDesktop::showWarning(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtDesktop::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void QtDesktop::playCaptureSound() {
    static const CaptureSound sound;
    sound.play();
}

void showFailure(Desktop& desktop, const std::exception& failure) {
    // The core's texts are program text; a few system texts are plain ASCII.
    desktop.showError(toQt(failure.what()));
}
