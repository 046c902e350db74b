#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <exception>
#include <optional>

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
    // True for OK, false for Cancel.
    virtual bool askOkCancel(const QString& title, const QString& text) = 0;
    enum class UnsavedAnswer { Save, Discard, Stay };
    // The exit's question about text that would be lost; closing it is Stay.
    virtual UnsavedAnswer askAboutUnsaved(const QString& text) = 0;
    // A folder the user picks; empty when cancelled.
    virtual QString chooseFolder(const QString& title) = 0;
    // Files to read, in the order the dialog gives them; empty when cancelled.
    virtual QStringList chooseFilesToOpen(const QString& folder, const QString& filter) = 0;
    // A file to write, starting at `start` (a folder, or a folder and a
    // name); the dialog asks before a file is replaced and adds
    // `defaultSuffix` to a name typed without one. Empty when cancelled.
    virtual QString chooseFileToSave(const QString& start, const QString& filter,
                                     const QString& defaultSuffix) = 0;
    // The font the user picks, starting from `initial`; nothing when cancelled.
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
    // The clipboard's text; nothing when it offers no text.
    virtual std::optional<QString> clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void clearClipboard() = 0;
};

class QtDesktop : public Desktop {
  public:
    void showError(const QString& text) override;
    void showWarning(const QString& title, const QString& text) override;
    bool openUrl(const QUrl& url) override;
    void playCaptureSound() override;
    bool askOkCancel(const QString& title, const QString& text) override;
    UnsavedAnswer askAboutUnsaved(const QString& text) override;
    QString chooseFolder(const QString& title) override;
    QStringList chooseFilesToOpen(const QString& folder, const QString& filter) override;
    QString chooseFileToSave(const QString& start, const QString& filter,
                             const QString& defaultSuffix) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    std::optional<QString> clipboardText() override;
    void setClipboardText(const QString& text) override;
    void clearClipboard() override;
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
