// The editor's rules that need no window: command states, when the working
// file follows the editor, and moving text into another category.
#include "TempDir.h"
#include "base/Errors.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/ProgramState.h"
#include "store/SettingKeys.h"
#include "store/TextMove.h"
#include "text/Gb18030.h"
#include "window/CommandStates.h"
#include "window/WorkingFileSync.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace kestrum;

TEST(CommandStates, EachGroupFollowsItsOwnFact) {
    std::vector<StateGroup> rows{StateGroup::Text, StateGroup::Selection, StateGroup::Paste,
                                 StateGroup::ClearClipboard, StateGroup::None};
    using E = std::vector<Enable>;
    EXPECT_EQ(refreshCommandStates(rows, {" \r\n\t", "", false}),
              (E{Enable::Off, Enable::Off, Enable::Off, Enable::Keep, Enable::Keep}));
    EXPECT_EQ(refreshCommandStates(rows, {" x ", " \r\n", true}),
              (E{Enable::On, Enable::Off, Enable::On, Enable::On, Enable::Keep}));
    EXPECT_EQ(refreshCommandStates(rows, {"x", "y", false}),
              (E{Enable::On, Enable::On, Enable::Off, Enable::Keep, Enable::Keep}));
}

TEST(WorkingFileSync, WritesOrDeletesOnlyWhatDiskDoesNotHaveYet) {
    using A = WorkingFileSync::Action;
    using Ev = WorkingFileSync::Event;
    WorkingFileSync sync;
    int asked = 0;
    auto blank = [&](bool answer) {
        return [&asked, answer] {
            ++asked;
            return answer;
        };
    };
    sync.loaded(true, false);
    EXPECT_EQ(sync.after(Ev::KeyRelease, blank(false)), A::None);
    EXPECT_EQ(sync.after(Ev::MouseButton, blank(false)), A::None);
    EXPECT_EQ(asked, 0); // an unchanged text is never looked at
    sync.edited();
    EXPECT_EQ(sync.after(Ev::KeyRelease, blank(false)), A::Write);
    sync.done(A::Write);
    EXPECT_EQ(sync.after(Ev::KeyRelease, blank(false)), A::None);
    EXPECT_EQ(sync.after(Ev::KeyRelease, blank(false)), A::None);
    EXPECT_EQ(asked, 1); // once after the edit, then known

    // Blanks: a key release deletes, a click writes them back.
    sync.edited();
    EXPECT_EQ(sync.after(Ev::KeyRelease, blank(true)), A::Delete);
    sync.done(A::Delete);
    EXPECT_EQ(sync.after(Ev::KeyRelease, blank(true)), A::None);
    EXPECT_EQ(sync.after(Ev::MouseButton, blank(true)), A::Write);
    sync.done(A::Write);
    EXPECT_EQ(sync.after(Ev::KeyRelease, blank(true)), A::Delete);

    // A failed write is tried again at the next event.
    sync.edited();
    EXPECT_EQ(sync.after(Ev::MouseButton, blank(false)), A::Write);
    EXPECT_EQ(sync.after(Ev::MouseButton, blank(false)), A::Write);
}

class TextMoveTest : public ::testing::Test {
  protected:
    TempDir root;
    ProgramState state;
    void SetUp() override {
        for (const char* sub : {"program", "tmp", "docs", "target"})
            std::filesystem::create_directories(root.path() + sub);
        state.folders = {root.path() + "program/", root.path() + "tmp/", root.path() + "docs/"};
        state.openSettings();
        writeSetting(state.settings, settingKeys().saveUtf8, false); // files as the program's text
        categories::write(state.settings, "target", root.path() + "target");
    }
    std::string working() { return state.folders.categoryWorkingFile("target"); }
};

TEST_F(TextMoveTest, MovedTextGoesAfterTheTrimmedOldContent) {
    files::replace(working(), "\r\n xyz \r\n\r\n");
    EXPECT_EQ(moveText(state, "target", "abc"), "xyz\r\nabc\r\n");
    EXPECT_EQ(files::load(working()), "xyz\r\nabc\r\n");
    EXPECT_EQ(textToMove("one\r\ntwo", ""), "one\r\ntwo\r\n");
    EXPECT_EQ(textToMove("one\r\ntwo", "ne"), "ne");
    files::remove(working());
    EXPECT_EQ(moveText(state, "target", "a\nb\rc"), "a\r\nb\r\nc\r\n");
}

TEST_F(TextMoveTest, AutoSaveNeverReplacesAFileAndSaysWhenNamesRunOut) {
    files::replace(working(), gb("旧内容\r\n"));
    std::string first = autoSaveMoved(state, "target", moveText(state, "target", "a"));
    EXPECT_EQ(first, root.path() + "target/" + gb("旧内容.txt"));
    std::string second = autoSaveMoved(state, "target", moveText(state, "target", "b"));
    EXPECT_EQ(second, root.path() + "target/" + gb("旧内容(1).txt"));
    EXPECT_EQ(files::load(second), gb("旧内容\r\na\r\nb\r\n"));
    EXPECT_EQ(files::load(first), gb("旧内容\r\na\r\n"));

    for (int n = 2; n <= 1000; ++n)
        files::replace(root.path() + "target/" + gb("旧内容(") + std::to_string(n) + ").txt", "x");
    EXPECT_THROW(autoSaveMoved(state, "target", gb("旧内容\r\n")), KestrumError);
    EXPECT_EQ(files::load(root.path() + "target/" + gb("旧内容(1000).txt")), "x");
}
