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
std::string textOf(std::size_t megabytes) {
    std::string line = kestrum::gb("一行收集来的文字，夹着 some English words 和标点，"
                                   "长到重排时要切成两行或者更多行才行。\r\n");
    std::string text;
    while (text.size() < (megabytes << 20))
        text += line;
    return text;
}

std::string tenMegabytes() {
    return textOf(10);
}

// Sorted wall times of `runs` runs, in milliseconds.
std::vector<double> timesMs(int runs, const std::function<void()>& body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        body();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times;
}

void report(const char* what, const std::vector<double>& times) {
    std::printf("%-44s %8.1f ms (%.1f-%.1f)\n", what, times[times.size() / 2], times.front(),
                times.back());
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
    auto typeOne = [&] {
        QTextCursor cursor(edit->document());
        cursor.insertText(QStringLiteral("x"));
        release();
    };
    release(); // settles what is on disk
    state.workingFiles.wait();
    double unchanged = medianMs(51, release);
    std::printf("key release, unchanged 10 MB:  %8.4f ms (target 1)\n", unchanged);
    // The window's share of a key release, then the time until the disk
    // holds what the editor shows.
    for (std::size_t megabytes : {1, 10, 50}) {
        editor.showWorkingFile("notes", textOf(megabytes));
        release();
        state.workingFiles.wait();
        std::string label = "key release, one change, " + std::to_string(megabytes) + " MB:";
        report((label + " until on disk").c_str(), timesMs(11, [&] {
                   typeOne();
                   state.workingFiles.wait();
               }));
        std::vector<double> window;
        for (int i = 0; i < 11; ++i) {
            QElapsedTimer timer;
            timer.start();
            typeOne();
            window.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            state.workingFiles.wait();
        }
        std::sort(window.begin(), window.end());
        report((label + " window's thread (target 16)").c_str(), window);
    }
    std::string text = tenMegabytes();
    auto fresh = [&] { editor.showWorkingFile("notes", text); };
    double reflow = medianMs(
        3, [&] { editor.mfile->trigger(); }, fresh);
    double convert = medianMs(
        3, [&] { editor.GBBIG5->trigger(); }, fresh);
    std::printf("reflow 10 MB in the window:    %8.1f ms (target 1500)\n", reflow);
    std::printf("GB->Big5 10 MB in the window:  %8.1f ms\n", convert);
    return 0;
}
