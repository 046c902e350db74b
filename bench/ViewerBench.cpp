// The file pages at the sizes users reach: listing a folder of 10,000 text
// files into the file list, and showing a 10 MB file in the viewer, as
// plain text and as rich text. Runs offscreen; prints the median of runs.
#include "FileListBox.h"
#include "FileViewer.h"
#include "MedianTime.h"
#include "text/Gb18030.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextEdit>
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
    std::string plain = plainText(10 << 20), rich = richText(10 << 20);
    double showPlain = medianMs(5, [&] { showFileIn(&viewer, plain); });
    double showRich = medianMs(3, [&] { showFileIn(&viewer, rich); });
    std::filesystem::remove_all(folder);
    std::printf("list 10,000 .txt files:      %8.1f ms (target 50)\n", listing);
    std::printf("show 10 MB plain text:       %8.1f ms (target 300)\n", showPlain);
    std::printf("show 10 MB rich text (RTF):  %8.1f ms (target 1000)\n", showRich);
    return 0;
}
