// The editor at the size users reach: a key release in an editor holding a
// 10 MB working file, with the text unchanged and with one character
// changed, and the reflow and a conversion of 10 MB through the window.
// Runs offscreen; prints the median of runs.
#include "BenchWindows.h"
#include "MedianTime.h"
#include "store/FileStore.h"
#include "text/Gb18030.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

// Paragraphs of Chinese and English, each line long enough to be cut.
std::string tenMegabytes() {
    std::string line = kestrum::gb("一行收集来的文字，夹着 some English words 和标点，"
                                   "长到重排时要切成两行或者更多行才行。\r\n");
    std::string text;
    while (text.size() < (10u << 20))
        text += line;
    return text;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchWindows windows("kestrum-editor-bench");
    std::filesystem::create_directories(windows.root / "notes");
    kestrum::ProgramState& state = windows.state;
    kestrum::files::replace(state.folders.settingsFile(),
                            kestrum::gb("[类别]\r\nnotes=") + windows.base + "notes\r\n");
    kestrum::files::replace(state.folders.categoryWorkingFile("notes"), tenMegabytes());
    TForm2& editor = windows.start();
    TForm1& drop = *windows.drop;
    drop.mshowClick();
    QPlainTextEdit* edit = editor.RichEdit2;

    auto release = [&] {
        QKeyEvent key(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &key);
    };
    release(); // settles what is on disk
    double unchanged = medianMs(51, release);
    double changed = medianMs(11, [&] {
        QTextCursor cursor(edit->document());
        cursor.insertText(QStringLiteral("x"));
        release();
    });
    std::string text = tenMegabytes();
    auto fresh = [&] { editor.showWorkingFile("notes", text); };
    double reflow = medianMs(
        3, [&] { editor.mfile->trigger(); }, fresh);
    double convert = medianMs(
        3, [&] { editor.GBBIG5->trigger(); }, fresh);
    std::printf("key release, unchanged 10 MB:  %8.4f ms (target 1)\n", unchanged);
    std::printf("key release, one change:       %8.1f ms (target 60)\n", changed);
    std::printf("reflow 10 MB in the window:    %8.1f ms (target 1500)\n", reflow);
    std::printf("GB->Big5 10 MB in the window:  %8.1f ms\n", convert);
    return 0;
}
