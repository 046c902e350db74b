#include "TempDir.h"
#include "base/Errors.h"
#include "store/FileStore.h"
#include "store/Skins.h"
#include "text/MergeCopy.h"
#include "text/ReadFailureText.h"
#include "text/Search.h"

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrum;

namespace {

// Each way the program reads a file a user may have put in place; true when
// it reported the file as unreadable.
const std::vector<std::pair<std::string, std::function<bool(const std::string&)>>> kReaders = {
    {"load",
     [](const std::string& path) {
         try {
             files::load(path);
             return false;
         } catch (const KestrumError& error) {
             return std::string(error.what()) ==
                    files::readFailureMessage(files::ReadFailure::notRegular, path);
         }
     }},
    {"tryRead", [](const std::string& path) { return !files::tryRead(path); }},
    {"skin picture", [](const std::string& path) { return !readSkinPicture(path); }},
    {"search",
     [](const std::string& path) {
         search::Search run({"x"}, std::vector<std::string>{path}, [](auto&&) {});
         run.wait();
         return run.hits() == 0;
     }},
    {"merge",
     [](const std::string& path) {
         try {
             merge::appendFiles({path}, path + ".merged");
             return false;
         } catch (const KestrumError&) {
             return true;
         }
     }},
};

} // namespace

// A FIFO in place of a file would make a plain open wait for a writer
// forever; every reader must refuse it at once.
TEST(UserFile, EveryReaderRefusesAFifoAtOnce) {
    TempDir dir;
    std::string fifo = dir.file("notes.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& [name, reader] : kReaders) {
        auto done = std::async(std::launch::async, reader, fifo);
        if (done.wait_for(std::chrono::seconds(3)) != std::future_status::ready) {
            ADD_FAILURE() << name << " waits on a FIFO";
            // A writer that comes and goes lets each stuck open return.
            while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
                close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
        }
        EXPECT_TRUE(done.get()) << name;
    }
}

TEST(UserFile, ReadsAsMuchAsAskedAndSaysWhetherThatWasAll) {
    TempDir dir;
    writeBytes(dir.file("a.txt"), "0123456789");
    auto part = files::readUserFile(dir.file("a.txt").c_str(), 4);
    EXPECT_EQ(part.bytes, "0123");
    EXPECT_FALSE(part.whole);
    auto all = files::readUserFile(dir.file("a.txt").c_str(), 10);
    EXPECT_EQ(all.bytes, "0123456789");
    EXPECT_TRUE(all.whole);
    EXPECT_EQ(files::readUserFile(dir.file("missing").c_str()).failure,
              files::ReadFailure::cannotOpen);
}
