// kestrum-text as a user runs it: a separate process, bytes in and out.
#include "text/CVCode.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs the tool with `input` on standard input, through files so that no
// pipe can fill up and block; `output` takes standard output elsewhere.
Result run(const std::string& arguments, const std::string& input = "",
           const std::string& environment = "", const std::string& output = "") {
    char dir[] = "/tmp/kestrum-tool-XXXXXX";
    std::string base = mkdtemp(dir);
    std::ofstream(base + "/in", std::ios::binary) << input;
    std::string command = environment + " " + std::string(KESTRUM_TEXT) + " " + arguments + " <" +
                          base + "/in >" + (output.empty() ? base + "/out" : output) + " 2>" +
                          base + "/err";
    int status = std::system(command.c_str());
    Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(base + "/out"),
             slurp(base + "/err")};
    std::filesystem::remove_all(base);
    return r;
}

} // namespace

TEST(KestrumText, ReflowTakesTheWidthLikeTheSpinBox) {
    auto r = run("reflow --chars 5", "\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9\xC6\xDF");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\r\n\xC1\xF9\xC6\xDF\r\n");
    EXPECT_EQ(run("reflow --chars abc", std::string(66, 'x')).out,
              std::string(65, 'x') + "\r\nx\r\n");
}

TEST(KestrumText, BadArgumentsGiveOneLineAndStatusTwo) {
    for (const char* args : {"reflow --chars 1.5", "reflow", "frobnicate", "merge", "",
                             "reflow --chars 0x8000000000000005"}) {
        auto r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args;
    }
    EXPECT_NE(run("reflow --chars 1.5").err.find("'1.5' is not a valid integer value"),
              std::string::npos);
    auto version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("kestrum-text 3.", 0), 0u) << version.out;
}

// Messages follow the terminal's encoding; the data stays the program's bytes.
TEST(KestrumText, MessagesAreWrittenInTheLocalesEncoding) {
    auto r = run("reflow --chars -3", "", "LC_ALL=C.UTF-8");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("每行字数不能是负数：-3"), std::string::npos) << r.err;
    r = run("name", "\xD6\xD0\xCE\xC4", "LC_ALL=C.UTF-8");
    EXPECT_EQ(r.out, "\xD6\xD0\xCE\xC4\n");
}

TEST(KestrumText, ConvertersTakeAnyBytes) {
    EXPECT_EQ(run("gb2big5", "\xD6\xD0\xB9\xFA\r\n").out, "\xA4\xA4\xB0\xEA\r\n");
    EXPECT_EQ(run("big52gb", "\xA4\xA4\xB0\xEA\xFF").out, "\xD6\xD0\xB9\xFA\xFF");
    std::string zeros("a\0b\xB0", 4);
    EXPECT_EQ(run("gb2big5", zeros).out, zeros);
}

TEST(KestrumText, MergeJoinsFilesLineByLine) {
    char dir[] = "/tmp/kestrum-merge-XXXXXX";
    std::string base = mkdtemp(dir);
    std::ofstream(base + "/1.txt", std::ios::binary) << "one\r\ntwo";
    std::ofstream(base + "/2.txt", std::ios::binary) << "three\r\n\x1A"
                                                        "gone";
    auto r = run("merge " + base + "/1.txt " + base + "/2.txt");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(run("merge " + base + "/missing.txt").status, 3);
    std::filesystem::remove_all(base);
}

TEST(KestrumText, NameGivesTheFirstLineName) {
    EXPECT_EQ(run("name", "\r\n  Chapter 1: Start  \r\nbody").out, "Chapter1Start\n");
    EXPECT_NE(run("--help").out.find("reflow --chars N"), std::string::npos);
}

TEST(KestrumText, SearchPrintsFileLineAndTextInUtf8) {
    char dir[] = "/tmp/kestrum-search-XXXXXX";
    std::string base = mkdtemp(dir);
    std::ofstream(base + "/gb.txt", std::ios::binary) << "abc\r\n\xD6\xD0\xCE\xC4\r\n"; // 中文
    std::ofstream(base + "/utf8.txt", std::ios::binary) << "x\n\xE4\xB8\xAD\xE6\x96\x87!\n";
    std::ofstream(base + "/other.log", std::ios::binary) << "\xD6\xD0\xCE\xC4\r\n"; // not .txt
    auto r = run("search \xE4\xB8\xAD\xE6\x96\x87 " + base); // the query 中文 in UTF-8
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(base + "/gb.txt:2:\xE4\xB8\xAD\xE6\x96\x87\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(base + "/utf8.txt:2:\xE4\xB8\xAD\xE6\x96\x87!\n"), std::string::npos);
    EXPECT_EQ(r.out.find("other.log"), std::string::npos);
    EXPECT_EQ(run("search --case ABC " + base).status, 1);
    EXPECT_EQ(run("search ABC " + base).status, 0);
    EXPECT_EQ(run("search onlyquery").status, 2);
    std::ofstream(base + "/twice.txt", std::ios::binary) << "Kestrum\r\nkestrum\r\n";
    EXPECT_EQ(run("search -l kestrum " + base).out, base + "/twice.txt\n"); // once, no line
    std::filesystem::remove_all(base);
}

// The converters read in blocks of 4 MiB; pairs that straddle a block's
// end, and blocks with no place to cut at all, give the whole input's bytes.
TEST(KestrumText, ConvertingInBlocksGivesTheSameBytesAsAtOnce) {
    std::string text = "x"; // pairs at odd offsets: a block's end falls inside one
    for (int i = 0; text.size() < (9u << 20); ++i)
        text += i % 1000 == 999 ? std::string("\r\n") : std::string("\xD6\xD0\xB9\xFA\xA1\xA1", 6);
    text += std::string(5 << 20, '\xB0'); // 5 MiB without a byte below 0x40
    for (const char* command : {"gb2big5", "big52gb"}) {
        std::string expected = std::string(command) == "gb2big5"
                                   ? kestrum::cvcode::ConvertGbToBig5(text)
                                   : kestrum::cvcode::ConvertBig5ToGb(text);
        auto r = run(command, text);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out == expected) << command;
    }
}

// Phrases, not characters: 头发 and 发现 take different traditional
// characters for 发. Many blocks without a line end convert as one text
// would, and bytes that are not UTF-8 are an error, not garbage.
TEST(KestrumText, ScriptConversionGoesByPhrasesAndRefusesOtherBytes) {
    auto r = run("s2t", "头发，发现\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "頭髮，發現\n");
    EXPECT_EQ(run("t2s", "頭髮，發現\n").out, "头发，发现\n");
    // Two characters first put the first block's end between 头 and 发.
    std::string simplified = "一二", traditional = "一二";
    while (simplified.size() < (9u << 20)) {
        simplified += "他的头发被发现了。";
        traditional += "他的頭髮被發現了。";
    }
    r = run("s2t", simplified);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out == traditional);
    r = run("s2t", "\xD6\xD0\xCE\xC4\n"); // GB2312 bytes
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("not UTF-8"), std::string::npos) << r.err;
}

// Output that cannot be written is never success: each command says so
// and exits 3, and a folder that cannot be read is not "nothing found".
TEST(KestrumText, EveryFailureIsToldAndExitsThree) {
    char dir[] = "/tmp/kestrum-full-XXXXXX";
    std::string base = mkdtemp(dir);
    std::ofstream(base + "/a.txt", std::ios::binary) << "needle\r\n";
    for (std::string command :
         {"search needle " + base, "search -l needle " + base, std::string("name"),
          std::string("reflow --chars 5"), std::string("gb2big5"), std::string("big52gb"),
          std::string("s2t"), "merge " + base + "/a.txt", std::string("--help")}) {
        auto r = run(command, "abc\r\n", "", "/dev/full");
        EXPECT_EQ(r.status, 3) << command;
        EXPECT_NE(r.err.find("standard output"), std::string::npos) << command << r.err;
    }
    auto r = run("search needle " + base + " " + base + "/missing");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find(base + "/missing"), std::string::npos) << r.err;
    EXPECT_EQ(run("search nothing " + base).status, 1);
    std::filesystem::remove_all(base);
}

// With SIGPIPE ignored, a reader that goes away is a failed write (EPIPE):
// the search stops and says so instead of scanning on and exiting 0.
TEST(KestrumText, AClosedPipeStopsTheSearch) {
    char dir[] = "/tmp/kestrum-pipe-XXXXXX";
    std::string base = mkdtemp(dir);
    for (int i = 0; i < 20; ++i) {
        std::ofstream out(base + "/" + std::to_string(i) + ".txt", std::ios::binary);
        for (int line = 0; line < 20000; ++line)
            out << "needle\r\n";
    }
    std::ofstream(base + "/run.sh") << "trap '' PIPE\n"
                                    << KESTRUM_TEXT << " search needle " << base << " 2>" << base
                                    << "/err | head -c 1 >/dev/null\n"
                                    << "exit ${PIPESTATUS[0]}\n";
    int status = std::system(("bash " + base + "/run.sh").c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 3);
    EXPECT_NE(slurp(base + "/err").find("Broken pipe"), std::string::npos);
    std::filesystem::remove_all(base);
}
