#include "Desktop.h"

#include "AppTexts.h"
#include "CaptureSound.h"
#include "ProgramText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QMimeData>

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

bool QtDesktop::askOkCancel(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    return box.exec() == QMessageBox::Ok;
}

Desktop::UnsavedAnswer QtDesktop::askAboutUnsaved(const QString& text) {
    QMessageBox box(QMessageBox::Question, apptexts::applicationTitle(), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.button(QMessageBox::Save)
        ->setText(QCoreApplication::translate("Desktop", "保存到类别目录"));
    box.button(QMessageBox::Discard)
        ->setText(QCoreApplication::translate("Desktop", "不保存，退出"));
    box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("Desktop", "返回"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedAnswer::Save;
    case QMessageBox::Discard:
        return UnsavedAnswer::Discard;
    default:
        return UnsavedAnswer::Stay;
    }
}

QString QtDesktop::chooseFolder(const QString& title) {
    // No folder is preselected: the dialog starts at the top of the user's own.
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, QDir::homePath());
}

QStringList QtDesktop::chooseFilesToOpen(const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileNames(QApplication::activeWindow(), QString(), folder, filter);
}

QString QtDesktop::chooseFileToSave(const QString& start, const QString& filter,
                                    const QString& defaultSuffix) {
    QFileDialog dialog(QApplication::activeWindow(), QString(), start, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

std::optional<QFont> QtDesktop::chooseFont(const QFont& initial) {
    bool chosen = false;
    QFont font = QFontDialog::getFont(&chosen, initial, QApplication::activeWindow());
    return chosen ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<QString> QtDesktop::clipboardText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return std::nullopt;
    return data->text();
}

void QtDesktop::setClipboardText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

void QtDesktop::clearClipboard() {
    QApplication::clipboard()->clear();
}

void showFailure(Desktop& desktop, const std::exception& failure) {
    // The core's texts are program text; a few system texts are plain ASCII.
    desktop.showError(toQt(failure.what()));
}
