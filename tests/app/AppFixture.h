#pragma once

// The two windows wired as the program wires them, over folders of the
// test's own, with a desktop that records instead of asking the user.
#include "Desktop.h"
#include "ProgramText.h"
#include "net/DialUp.h"
#include "save1.h"
#include "save2.h"
#include "store/FileStore.h"
#include "store/ProgramState.h"
#include "text/Gb18030.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class RecordingDesktop : public Desktop {
  public:
    QStringList errors, warnings;
    QList<QUrl> urls;
    int sounds = 0;
    bool opens = true; // whether the desktop has a program for every address
    void showError(const QString& text) override { errors << text; }
    void showWarning(const QString& title, const QString& text) override {
        warnings << title + "|" + text;
    }
    bool openUrl(const QUrl& url) override {
        urls << url;
        return opens;
    }
    void playCaptureSound() override { ++sounds; }

    // Scripted answers, taken first to last; an empty queue answers Cancel.
    QList<bool> answers;
    QStringList folders, saveNames;
    QList<QStringList> openChoices;
    QStringList questions, openStarts, saveStarts;
    bool askOkCancel(const QString& title, const QString& text) override {
        questions << title + "|" + text;
        return !answers.isEmpty() && answers.takeFirst();
    }
    QList<UnsavedAnswer> unsavedAnswers; // an empty queue answers Discard, as the exit did
    UnsavedAnswer askAboutUnsaved(const QString& text) override {
        questions << text;
        return unsavedAnswers.isEmpty() ? UnsavedAnswer::Discard : unsavedAnswers.takeFirst();
    }
    QString chooseFolder(const QString& title) override {
        questions << title;
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QStringList chooseFilesToOpen(const QString& folder, const QString&) override {
        openStarts << folder;
        return openChoices.isEmpty() ? QStringList() : openChoices.takeFirst();
    }
    QString chooseFileToSave(const QString& start, const QString&, const QString&) override {
        saveStarts << start;
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }
    QList<QFont> fontsAskedFrom, fontAnswers;
    std::optional<QFont> chooseFont(const QFont& initial) override {
        fontsAskedFrom << initial;
        return fontAnswers.isEmpty() ? std::nullopt : std::optional<QFont>(fontAnswers.takeFirst());
    }
    std::optional<QString> clipboard;
    std::optional<QString> clipboardText() override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }
    void clearClipboard() override { clipboard.reset(); }
};

// A one-colour bitmap at `path`, its folders made, as a skin's picture.
inline void writeBitmap(const std::string& path, QSize size, QColor colour) {
    QDir().mkpath(QFileInfo(toQt(path)).path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(toQt(path), "BMP"));
}

struct Windows {
    QTemporaryDir root;
    RecordingDesktop desktop;
    kestrum::ProgramState state;
    std::unique_ptr<TForm1> drop;
    TForm2* editor = nullptr; // owned by the drop window

    Windows() {
        for (const char* sub : {"program", "tmp", "docs", "share/manual"})
            QDir(root.path()).mkpath(sub);
        state.folders = {path("program/"), path("tmp/"), path("docs/"), path("share/"),
                         path("config/autostart/")};
    }
    std::string path(const std::string& relative) const {
        return fromQt(root.path()) + "/" + relative;
    }
    kestrum::IniFile settings() const { return kestrum::IniFile(state.folders.settingsFile()); }
    // The editor's writes are done and their news told, as a moment later.
    void settle() {
        state.workingFiles.wait();
        QCoreApplication::processEvents();
    }
    // What a file holds, or whether it is there, once the writes are done.
    std::string onDisk(const std::string& file) {
        settle();
        return kestrum::files::load(file);
    }
    bool onDiskExists(const std::string& file) {
        settle();
        return kestrum::files::exists(file);
    }
    void writeSettings(const std::string& utf8) {
        kestrum::files::replace(state.folders.settingsFile(), kestrum::gb(utf8));
    }
    // Start-up in the program's order; `dialUp` answers the connection query.
    void start(std::unique_ptr<kestrum::DialUpQuery> dialUp = nullptr, std::string url = "") {
        drop = std::make_unique<TForm1>(state, desktop);
        drop->setConnectionStatusSource(std::move(dialUp), std::move(url));
        drop->FormCreate();
        drop->startUp();
        editor = &drop->editor();
    }
    void addCategories(int count) {
        std::string table = "[类别]\r\n";
        for (int i = 0; i < count; ++i) {
            std::string folder = path("cat" + std::to_string(i));
            QDir().mkpath(QString::fromStdString(folder));
            table += "类别" + std::to_string(i) + "=" + folder + "\r\n";
        }
        writeSettings(table);
    }
};

// Qt drag events as the platform would deliver them to the drop window.
struct Drag {
    QMimeData data;
    Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    explicit Drag(const QString& text) { data.setText(text); }
    Drag() = default;

    bool enter(QWidget* w, QPoint p) {
        QDragEnterEvent e(p, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
        return e.isAccepted();
    }
    Qt::DropAction move(QWidget* w, QPoint p) {
        QDragMoveEvent e(p, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    void leave(QWidget* w) {
        QDragLeaveEvent e;
        QCoreApplication::sendEvent(w, &e);
    }
    Qt::DropAction drop(QWidget* w, QPoint p) {
        QDropEvent e(p, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
};
