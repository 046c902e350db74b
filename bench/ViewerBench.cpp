// The file pages at the sizes users reach: listing a folder of 10,000 text
// files into the file list (the median of runs), and clicks that show a
// 10 MB file as plain text and as rich text, an RTF of 1.75 million groups
// and a 256 MiB file: the time to the first paint, the longest stall of the
// window meanwhile and the memory it takes. Runs offscreen.
#include "FileListBox.h"
#include "FileViewer.h"
#include "MedianTime.h"
#include "text/Gb18030.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace {

std::string plainText(std::size_t bytes) {
    std::string line = kestrum::gb("一行收集来的文字，夹着 some English words 和标点。\r\n");
    std::string text;
    while (text.size() < bytes)
        text += line;
    return text;
}

// A word processor's shape: paragraphs of \'hh text with bold and size runs.
std::string richText(std::size_t bytes) {
    std::string text = "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0\\fs24 ";
    std::string paragraph;
    char hex[8];
    for (unsigned char c : kestrum::gb("一行收集来的文字，夹着标点。")) {
        std::snprintf(hex, sizeof hex, "\\'%02x", c);
        paragraph += hex;
    }
    paragraph = "{\\b " + paragraph + "}{\\fs32 some English words} " + paragraph + "\\par\n";
    while (text.size() < bytes)
        text += paragraph;
    return text + "}";
}

// 1.75 million small groups of alternating format in 10 MB, as a converter
// may write them.
std::string manyGroups() {
    std::string text = "{\\rtf1\\ansi ";
    while (text.size() < (10u << 20))
        text += "{\\i a}{\\b b}";
    return text + "}";
}

// A field of /proc/self/status in KiB: VmRSS now, VmHWM the peak.
long statusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}

// Turns the event loop until the viewer has the whole part, then paints it:
// the longest the loop was kept from turning, in milliseconds.
double longestStallWhileShowing(QTextEdit& viewer) {
    QElapsedTimer sinceTurn;
    sinceTurn.start();
    double longest = 0;
    auto turned = [&] {
        longest = std::max(longest, static_cast<double>(sinceTurn.nsecsElapsed()) / 1e6);
        sinceTurn.restart();
    };
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, turned);
    tick.start(0);
    while (isShowingFile(&viewer))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    viewer.grab(); // laid out and painted
    turned();
    return longest;
}

struct LargeFileShown {
    double ms = 0;      // from the click to the first paint of the whole part
    double stallMs = 0; // the longest the window stopped answering meanwhile
    long mib = 0;       // the peak memory above what the process held before
};

LargeFileShown showLargeFile(QTextEdit& viewer, const std::filesystem::path& file,
                             std::size_t bytes, const std::string& part) {
    {
        std::ofstream out(file, std::ios::binary);
        for (std::size_t written = 0; written < bytes; written += part.size())
            out << part;
    }
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from now
    long idle = statusKb("VmRSS");
    QElapsedTimer timer;
    timer.start();
    QElapsedTimer clickTurn;
    clickTurn.start();
    showFileAt(&viewer, kestrum::gb(file.string()));
    double clickMs = static_cast<double>(clickTurn.nsecsElapsed()) / 1e6;
    double stallMs = std::max(clickMs, longestStallWhileShowing(viewer));
    double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::filesystem::remove(file);
    return {ms, stallMs, (statusKb("VmHWM") - idle) / 1024};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto folder = std::filesystem::temp_directory_path() / "kestrum-viewer-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (int i = 0; i < 10000; ++i)
        std::ofstream(folder / ("note" + std::to_string(i) + ".txt")) << "x";
    std::string folderText = kestrum::gb(folder.string());

    double listing = medianMs(9, [&] {
        FileListBox list;
        list.setFolder(folderText);
    });
    QTextEdit viewer;
    viewer.resize(600, 200);
    // The first file a hidden viewer shows is never laid out whole; every
    // later one is, as in the window: the first is a warm-up.
    std::string plain = plainText(10 << 20), rich = richText(10 << 20);
    showLargeFile(viewer, folder / "warm-up.txt", plain.size(), plain);
    LargeFileShown plainPart = showLargeFile(viewer, folder / "plain.txt", plain.size(), plain);
    LargeFileShown large =
        showLargeFile(viewer, folder / "large.txt", 256u << 20, plainText(1 << 20));
    std::string groups = manyGroups();
    LargeFileShown manyGroups = showLargeFile(viewer, folder / "groups.rtf", groups.size(), groups);
    LargeFileShown richPart = showLargeFile(viewer, folder / "rich.rtf", rich.size(), rich);
    std::filesystem::remove_all(folder);
    std::printf("list 10,000 .txt files:      %8.1f ms (target 50)\n", listing);
    std::printf("click a 10 MB plain text: first part in %.1f ms (target 300), longest stall "
                "%.1f ms\n",
                plainPart.ms, plainPart.stallMs);
    std::printf("show 256 MiB plain text:     %8.1f ms (target 1000), %ld MiB above idle "
                "(target 64), longest stall %.1f ms\n",
                large.ms, large.mib, large.stallMs);
    std::printf("click a 10 MB rich text (RTF): first part in %.1f ms (target 1000), longest "
                "stall %.1f ms (target 250)\n",
                richPart.ms, richPart.stallMs);
    std::printf("show 10 MB RTF of 1.75 million groups: %.1f ms (target 3000), longest stall "
                "%.1f ms (target 250), %ld MiB above idle\n",
                manyGroups.ms, manyGroups.stallMs, manyGroups.mib);
    return 0;
}
