#include "text/MergeCopy.h"
#include "TempDir.h"
#include "base/Errors.h"

#include <gtest/gtest.h>

using namespace kestrum;

namespace {
std::string copied(const std::string& bytes, std::size_t blockSize = 65536) {
    merge::LineCopy copy;
    std::string out;
    // As the file copy does: a block that passes unchanged is taken as it is.
    for (std::size_t at = 0; at < bytes.size(); at += blockSize) {
        std::string_view block = std::string_view(bytes).substr(at, blockSize);
        if (copy.passUnchanged(block))
            out += block;
        else
            copy.feed(block, out);
    }
    copy.finish(out);
    return out;
}
} // namespace

TEST(MergeCopy, LinesEndAtCrAndEveryLineIsWrittenWithCrLf) {
    EXPECT_EQ(copied("one\r\ntwo"), "one\r\ntwo\r\n");
    EXPECT_EQ(copied("three\r\n"), "three\r\n");
    EXPECT_EQ(copied("a\nb\n"), "a\nb\n\r\n"); // LF-only ends are ordinary bytes
    EXPECT_EQ(copied("a\rb"), "a\r\nb\r\n");
    EXPECT_EQ(copied("\r\n\r\n"), "\r\n\r\n");
    EXPECT_EQ(copied(""), "");
}

TEST(MergeCopy, CopyingStopsAtTheFirstCtrlZ) {
    EXPECT_EQ(copied("keep\x1A"
                     "drop\r\n"),
              "keep\r\n");
    EXPECT_EQ(copied("keep\r\n\x1A"
                     "drop"),
              "keep\r\n");
}

TEST(MergeCopy, TheResultDoesNotDependOnTheBlockSize) {
    std::string mixed = "x\r\ny\rz\n\r\n\rq\r\n\nw\r";
    for (std::size_t block = 1; block <= mixed.size(); ++block)
        EXPECT_EQ(copied(mixed, block), copied(mixed)) << block;
}

TEST(MergeCopy, FilesAreAppendedInOrderWithNothingBetweenThem) {
    TempDir dir;
    writeBytes(dir.file("1.txt"), "one\r\ntwo");
    writeBytes(dir.file("2.txt"), "three\r\n");
    std::string target = dir.file("addtemp.txt");
    merge::appendFiles({dir.file("1.txt"), dir.file("2.txt"), dir.file("1.txt")}, target);
    EXPECT_EQ(readBytes(target), "one\r\ntwo\r\nthree\r\none\r\ntwo\r\n");
}

TEST(MergeCopy, AMissingSourceStopsTheMergeKeepingWhatWasCopied) {
    TempDir dir;
    writeBytes(dir.file("1.txt"), "one");
    std::string target = dir.file("addtemp.txt");
    EXPECT_THROW(merge::appendFiles({dir.file("1.txt"), dir.file("gone.txt")}, target),
                 KestrumError);
    EXPECT_EQ(readBytes(target), "one\r\n");
    EXPECT_THROW(merge::appendFiles({dir.file("1.txt")}, dir.file("no/dir/out.txt")), KestrumError);
}
