// kestrum-text: Kestrum's text transforms on bytes, for scripts. Input is
// read from the files named, or from standard input; output goes to
// standard output. Text is GB2312/GBK/GB18030 bytes, as Kestrum stores it;
// messages to the terminal are in the locale's encoding. Arguments are
// taken into program text once, at the start, like everything Kestrum holds.
#include "SearchOutput.h"
#include "StandardOutput.h"
#include "base/Errors.h"
#include "store/FileStore.h"
#include "text/CVCode.h"
#include "text/CaptureNames.h"
#include "text/ChineseScript.h"
#include "text/Gb18030.h"
#include "text/MergeCopy.h"
#include "text/Reflow.h"
#include "text/Search.h"

#include <limits>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <iconv.h>
#include <iostream>
#include <iterator>
#include <langinfo.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kNothingFound = 1;
constexpr int kUsageError = 2;
constexpr int kFailure = 3; // a file that cannot be read, output that cannot be written

const char* const kHelp =
    "Usage: kestrum-text COMMAND [OPTIONS] [FILE...]\n"
    "Transforms text from the FILEs (or standard input) to standard output: GB2312/GBK\n"
    "bytes, except where a command says UTF-8.\n"
    "\n"
    "Commands:\n"
    "  reflow --chars N  Reflow paragraphs to N full-width characters (2N bytes) per line.\n"
    "                    N is taken as Kestrum's spin box takes it: empty, 0, or text that\n"
    "                    starts with a letter gives 65 bytes; 1.5 or + is an error.\n"
    "  gb2big5           Convert GB2312 bytes to Big5 bytes (simplified to traditional).\n"
    "  big52gb           Convert Big5 bytes to GB2312 bytes (traditional to simplified).\n"
    "                    These two convert bytes, for files kept in those encodings; UTF-8\n"
    "                    text comes out garbled: use s2t and t2s for it.\n"
    "  s2t               Convert UTF-8 text to traditional characters, UTF-8 out (OpenCC's\n"
    "                    phrase tables: a character goes by the words around it).\n"
    "  t2s               Convert UTF-8 text to simplified characters, UTF-8 out.\n"
    "  merge FILE...     Join the FILEs line by line, each line ending in CR LF, each file\n"
    "                    up to its first Ctrl+Z.\n"
    "  name              Print the file name Kestrum makes from the text's first line.\n"
    "  search [--case] [-l] QUERY FOLDER...\n"
    "                    Print file:line:text (UTF-8) for every line of the folders' .txt\n"
    "                    files that holds QUERY, in GB18030 or UTF-8 files alike; letters\n"
    "                    match in either case unless --case; -l prints only the names of\n"
    "                    the files with a hit.\n"
    "  --help            Show this help.\n"
    "  --version         Show the version.\n"
    "\n"
    "Exit status: 0 on success, 1 when search finds nothing, 2 for bad arguments,\n"
    "3 when a file or folder cannot be read or the output cannot be written (a full\n"
    "disk, a closed pipe); the reason is then on standard error.\n";

// Program text in the terminal's encoding: unchanged under a GB locale,
// converted by iconv under any other, and UTF-8 where iconv cannot help
// (the plain C locale among them).
std::string forTerminal(std::string_view programText) {
    static const std::string codeset = [] {
        std::setlocale(LC_CTYPE, "");
        return std::string(nl_langinfo(CODESET));
    }();
    for (const char* gbFamily : {"GB18030", "GBK", "GB2312", "EUC-CN"})
        if (codeset == gbFamily)
            return std::string(programText);
    iconv_t cd = codeset == "UTF-8" || codeset == "ANSI_X3.4-1968"
                     ? reinterpret_cast<iconv_t>(-1)
                     : iconv_open(codeset.c_str(), "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return kestrum::gb18030::toUtf8(programText);
    std::string out(programText.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(programText.data());
    char* to = out.data();
    size_t inLeft = programText.size(), outLeft = out.size();
    bool whole = iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (!whole)
        return kestrum::gb18030::toUtf8(programText);
    out.resize(out.size() - outLeft);
    return out;
}

void say(std::ostream& stream, const std::string& programText) {
    stream << forTerminal(programText);
}

int usageError(const std::string& message) {
    say(std::cerr, "kestrum-text: " + message + " (see kestrum-text --help)\n");
    return kUsageError;
}

std::string readInput(const std::vector<std::string>& files) {
    if (files.empty())
        return std::string(std::istreambuf_iterator<char>(std::cin), {});
    std::string all;
    for (const auto& file : files)
        all += kestrum::files::load(file);
    return all;
}

// Transforms the FILEs (or standard input) block by block, so memory stays
// bounded whatever the input's size. `lastCut` tells where the bytes read
// may be cut: the transform of the two parts one after the other must give
// the transform of the whole.
int streamCommand(const std::vector<std::string>& files,
                  const std::function<std::size_t(std::string_view)>& lastCut,
                  const std::function<std::string(std::string_view)>& transform) {
    constexpr std::size_t kBlock = 4 << 20;
    std::vector<int> inputs;
    for (const auto& file : files) {
        int fd = ::open(kestrum::files::nativePath(file).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw kestrum::KestrumError("Cannot open file " + file);
        inputs.push_back(fd);
    }
    if (files.empty())
        inputs.push_back(STDIN_FILENO);
    std::string pending;
    for (int fd : inputs) {
        for (ssize_t n = 1; n > 0;) {
            // Reads go straight onto what is pending, a whole block at a time
            // even from a pipe, which hands out 64 KiB per read.
            std::size_t held = pending.size();
            pending.resize(held + kBlock);
            std::size_t filled = 0;
            while (filled < kBlock &&
                   (n = ::read(fd, pending.data() + held + filled, kBlock - filled)) > 0)
                filled += static_cast<std::size_t>(n);
            if (n < 0)
                throw kestrum::KestrumError("Cannot read the input");
            pending.resize(held + filled);
            std::size_t cut = lastCut(pending);
            if (cut == 0)
                continue; // no safe place yet: read on
            writeOutput(transform(std::string_view(pending).substr(0, cut)));
            pending.erase(0, cut);
        }
        if (fd != STDIN_FILENO)
            ::close(fd);
    }
    writeOutput(transform(pending));
    return 0;
}

// After the last byte below 0x40: such a byte is never the second byte of a
// pair in GB2312 or Big5, so the converter starts afresh there.
std::size_t afterLastSingleByte(std::string_view bytes) {
    std::size_t cut = bytes.size();
    while (cut > 0 && static_cast<unsigned char>(bytes[cut - 1]) >= 0x40)
        --cut;
    return cut;
}

int reflowCommand(std::vector<std::string> args) {
    if (args.size() < 2 || args[0] != "--chars")
        return usageError("reflow needs --chars N");
    int width;
    try {
        width = kestrum::reflow::widthFor(args[1]);
    } catch (const kestrum::KestrumError& e) {
        return usageError(e.what());
    }
    std::vector<std::string> files(args.begin() + 2, args.end());
    return streamCommand(files, &kestrum::reflow::lastParagraphCut, [width](std::string_view text) {
        return kestrum::reflow::run(text, width);
    });
}

int mergeCommand(const std::vector<std::string>& files) {
    if (files.empty())
        return usageError("merge needs at least one FILE");
    for (const auto& file : files) {
        FILE* in = std::fopen(kestrum::files::nativePath(file).c_str(), "rb");
        if (!in)
            throw kestrum::KestrumError("Cannot open file " + file);
        auto failure = kestrum::merge::copyLines(fileno(in), STDOUT_FILENO);
        std::string reason = std::strerror(errno);
        std::fclose(in);
        if (failure == kestrum::merge::CopyFailure::writing)
            throw OutputFailed("cannot write to standard output: " + reason);
        if (failure == kestrum::merge::CopyFailure::reading)
            throw kestrum::KestrumError("Cannot read file " + file + ": " + reason);
    }
    return 0;
}

int searchCommand(std::vector<std::string> args) {
    kestrum::search::Query query;
    bool filesOnly = false;
    for (; !args.empty() && (args[0] == "--case" || args[0] == "-l"); args.erase(args.begin()))
        (args[0] == "-l" ? filesOnly : query.exactCase) = true;
    if (args.size() < 2)
        return usageError("search needs a QUERY and at least one FOLDER");
    if (args[0].empty())
        return usageError("search needs a QUERY that is not empty");
    std::vector<std::string> folders(args.begin() + 1, args.end());
    query.text = args[0];
    query.firstPerFile = filesOnly;
    SearchOutput output(filesOnly);
    kestrum::search::Search run(
        query, kestrum::search::Sources{folders, {}},
        [&](std::vector<kestrum::search::Hit>&& hits) { output.add(hits); },
        std::numeric_limits<std::size_t>::max(), 0, [&] { output.ended(); });
    output.finish(run);
    for (const auto& source : run.unreadable())
        say(std::cerr, "kestrum-text: Cannot open " +
                           std::string(source.back() == '/' ? "folder " : "file ") + source + "\n");
    return !run.unreadable().empty() ? kFailure : run.hits() > 0 ? 0 : kNothingFound;
}

int dispatch(const std::string& command, const std::vector<std::string>& args) {
    if (command == "reflow")
        return reflowCommand(args);
    if (command == "gb2big5")
        return streamCommand(args, afterLastSingleByte, &kestrum::cvcode::ConvertGbToBig5);
    if (command == "big52gb")
        return streamCommand(args, afterLastSingleByte, &kestrum::cvcode::ConvertBig5ToGb);
    if (command == "s2t" || command == "t2s") {
        auto target = command == "s2t" ? kestrum::script::Target::Traditional
                                       : kestrum::script::Target::Simplified;
        return streamCommand(args, &kestrum::script::lastCut, [target](std::string_view text) {
            return kestrum::script::convert(text, target);
        });
    }
    if (command == "merge")
        return mergeCommand(args);
    if (command == "name") {
        writeOutput(kestrum::names::firstLineName(readInput(args)) + "\n");
        return 0;
    }
    if (command == "search")
        return searchCommand(args);
    return usageError("unknown command '" + command + "'");
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2)
        return usageError("no command given");
    std::string command = argv[1];
    try {
        if (command == "--help" || command == "-h") {
            writeOutput(kHelp);
            return 0;
        }
        if (command == "--version") {
            writeOutput(std::string("kestrum-text ") + KESTRUM_VERSION + "\n");
            return 0;
        }
        std::vector<std::string> args;
        for (int i = 2; i < argc; ++i)
            args.push_back(kestrum::gb(argv[i]));
        return dispatch(kestrum::gb(command), args);
    } catch (const std::exception& e) {
        say(std::cerr, std::string("kestrum-text: ") + e.what() + "\n");
        return kFailure;
    }
}
