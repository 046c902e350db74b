// The search page with a big corpus: how soon the first hits show after
// the last key stroke, how long the whole search takes, and the longest
// stall of the event loop while it runs. Runs offscreen.
// Usage: search_window_bench CORPUS_FOLDER WORD   (folders below it are the categories)
#include "BenchWindows.h"
#include "ProgramText.h"
#include "store/CategoryTable.h"
#include "text/Gb18030.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchWindows windows("kestrum-search-window-bench");
    kestrum::ProgramState& state = windows.state;
    state.openSettings();
    for (const auto& entry :
         QDir(QString::fromLocal8Bit(argv[1])).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        kestrum::categories::write(state.settings, fromQt(entry),
                                   kestrum::gb(argv[1]) + "/" + fromQt(entry));
    TForm2& editor = windows.start();

    qint64 longestStall = 0, firstHit = -1;
    QElapsedTimer clock, sinceTick;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestStall = std::max(longestStall, sinceTick.elapsed());
        sinceTick.restart();
        if (firstHit < 0 && editor.ListBox4->count() > 0)
            firstHit = clock.elapsed();
    });
    editor.Edit3->setText(QString::fromUtf8(argv[2])); // the last key stroke
    clock.start();
    sinceTick.start();
    ticker.start();
    while (!editor.messagePanel->text().startsWith(QStringLiteral("找到")) &&
           clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("window search for %s: first hits after %lld ms, done after %lld ms (%s), "
                "longest event-loop stall %lld ms\n",
                argv[2], static_cast<long long>(firstHit), static_cast<long long>(clock.elapsed()),
                editor.messagePanel->text().toUtf8().constData(),
                static_cast<long long>(longestStall));
    return 0;
}
