#include "store/Capture.h"
#include "TempDir.h"
#include "base/Errors.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/ProgramState.h"
#include "store/SettingKeys.h"
#include "text/Gb18030.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace kestrum;

namespace {

class RecordingPresenter : public CapturePresenter {
  public:
    std::vector<std::string> calls;
    std::string status, hint, editor, editorCategory;
    void showStatus(const std::string& t) override { record("status"), status = t; }
    void showSavedHint(const std::string& t) override { record("hint"), hint = t; }
    void showWorkingFile(const std::string& category, const std::string& t) override {
        record("editor"), editor = t, editorCategory = category;
    }
    void selectCategory(int i) override { record("select " + std::to_string(i)); }
    void playCaptureSound() override { record("sound"); }
    void refreshFileList() override { record("files"); }
    void returnToPicture() override { record("picture"); }

  private:
    void record(const std::string& what) { calls.push_back(what); }
};

using Calls = std::vector<std::string>;

class CaptureTest : public ::testing::Test {
  protected:
    TempDir root;
    ProgramState state;
    RecordingPresenter presenter;
    std::string notes;

    void SetUp() override {
        for (const char* sub : {"program", "tmp", "docs", "notes"})
            std::filesystem::create_directories(root.path() + sub);
        state.folders = {root.path() + "program/", root.path() + "tmp/", root.path() + "docs/"};
        std::filesystem::create_directories(state.folders.working());
        state.openSettings();
        notes = root.path() + "notes";
        categories::write(state.settings, "notes", notes);
        state.autoSave = true;
        chooseCategory("notes", notes, 1);
    }
    void chooseCategory(const std::string& name, const std::string& folder, int index) {
        state.captureCategory = name;
        state.captureFolder = folder;
        state.dropIndex = index;
    }
    std::string workingFile() { return state.folders.categoryWorkingFile("notes"); }
    std::string inNotes(const std::string& name) { return notes + "/" + name; }
    std::string inWorking(const std::string& name) { return state.folders.working() + name; }
};

} // namespace

TEST_F(CaptureTest, ADropIsStoredInAllThreePlacesAndReportedInOrder) {
    captureDrop(state, "  \nHello, world: 2.0\nsecond", false, presenter);
    const std::string stored = "  \r\nHello, world: 2.0\r\nsecond";
    EXPECT_EQ(readBytes(inNotes("Helloworld20.txt")), stored);
    EXPECT_EQ(readBytes(inWorking("Helloworld20.txt")), stored);
    EXPECT_EQ(readBytes(workingFile()), stored);
    EXPECT_EQ(presenter.calls, (Calls{"hint", "editor", "status", "sound", "picture", "select 1",
                                      "editor", "files"}));
    EXPECT_EQ(presenter.hint, gb("已经保存在notes\r保存目录是") + notes);
    EXPECT_EQ(presenter.status, gb("这是notes保存目录是") + notes);
    EXPECT_EQ(presenter.editor, stored);
}

TEST_F(CaptureTest, TwoCapturesInARowPutTheNewestOnTopAndNumberTheNames) {
    captureDrop(state, "same", false, presenter);
    captureDrop(state, "same\nagain", false, presenter);
    EXPECT_EQ(readBytes(workingFile()), "same\r\nagain\r\nsame");
    EXPECT_EQ(readBytes(inNotes("same.txt")), "same");
    EXPECT_EQ(readBytes(inNotes("same(1).txt")), "same\r\nagain");
    EXPECT_EQ(readBytes(inWorking("same(1).txt")), "same\r\nagain");
}

TEST_F(CaptureTest, WithAutoSaveOffNothingGoesIntoTheCategoryFolder) {
    state.autoSave = false;
    captureDrop(state, "text", false, presenter);
    EXPECT_TRUE(std::filesystem::is_empty(notes));
    EXPECT_TRUE(files::exists(inWorking("text.txt")));
    EXPECT_EQ(presenter.hint, "");
    EXPECT_EQ(presenter.status, gb("这是notes保存目录是") + notes);
}

TEST_F(CaptureTest, TheSoundFlagIsReadAgainAtEveryCapture) {
    writeSetting(state.settings, settingKeys().sound, false);
    captureDrop(state, "one", false, presenter);
    EXPECT_FALSE(state.sound);
    writeSetting(state.settings, settingKeys().sound, true);
    captureDrop(state, "two", false, presenter);
    EXPECT_TRUE(state.sound);
    EXPECT_EQ(std::count(presenter.calls.begin(), presenter.calls.end(), "sound"), 1);
}

TEST_F(CaptureTest, AnEmptyDropOrAnEmptyListStoresNothingButStillReturnsToThePicture) {
    captureDrop(state, "", false, presenter);
    captureDrop(state, "text", true, presenter);
    EXPECT_FALSE(files::exists(workingFile()));
    EXPECT_EQ(presenter.calls,
              (Calls{"picture", "select 1", "files", "picture", "select 1", "files"}));
}

TEST_F(CaptureTest, AMissingCategoryFolderStopsTheCaptureAtThatStep) {
    chooseCategory("notes", root.path() + "gone", 0);
    try {
        captureDrop(state, "text", false, presenter);
        FAIL();
    } catch (const KestrumError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + root.path() + "gone/text.txt");
    }
    EXPECT_FALSE(files::exists(inWorking("text.txt")));
    EXPECT_FALSE(files::exists(workingFile()));
    EXPECT_EQ(presenter.calls, Calls{"picture"});
}

TEST_F(CaptureTest, WhenAllNumberedNamesExistNothingIsReplacedAndTheUserIsTold) {
    files::createNew(inNotes("full.txt"), "keep");
    for (int n = 1; n <= 1000; ++n)
        files::createNew(inNotes("full(" + std::to_string(n) + ").txt"), "keep");
    EXPECT_THROW(captureDrop(state, "full", false, presenter), KestrumError);
    EXPECT_EQ(readBytes(inNotes("full.txt")), "keep");
    EXPECT_EQ(readBytes(inNotes("full(1000).txt")), "keep");
    EXPECT_FALSE(files::exists(workingFile()));
}

TEST_F(CaptureTest, APasteGoesToTheFirstCategoryWithTheDropWindowsFolderDefault) {
    std::vector<std::string> list{"absent", "notes"};
    capturePaste(state, list, std::string(gb("第一行很长的标题\r\n第二行")), presenter);
    std::string docs = state.folders.documents;
    EXPECT_EQ(state.captureCategory, "absent");
    EXPECT_EQ(state.captureFolder, docs);
    EXPECT_TRUE(files::exists(docs + "/" + gb("第一行很长的标题.txt")));
    EXPECT_EQ(readBytes(state.folders.categoryWorkingFile("absent")),
              gb("第一行很长的标题\r\n第二行"));
    EXPECT_EQ(presenter.calls, (Calls{"hint", "editor", "select 0", "status", "sound", "files"}));
}

TEST_F(CaptureTest, APasteWithoutClipboardTextOrCategoriesDoesNothing) {
    capturePaste(state, {"notes"}, std::nullopt, presenter);
    capturePaste(state, {}, std::string("text"), presenter);
    capturePaste(state, {"notes"}, std::string(""), presenter);
    EXPECT_TRUE(presenter.calls.empty());
    EXPECT_FALSE(files::exists(workingFile()));
}

TEST_F(CaptureTest, AnUnsafeCategoryNameNeverWritesOutsideTheTemporaryFolder) {
    chooseCategory("../escape", notes, 0);
    EXPECT_THROW(captureDrop(state, "text", false, presenter), KestrumError);
    EXPECT_FALSE(files::exists(root.path() + "escapetemp.txt"));
}

// With "文件用UTF-8保存" on, the copy in the category folder is UTF-8 that
// a Linux editor opens as the same text; everything inside stays GB18030.
TEST_F(CaptureTest, TheUtf8OptionWritesTheCategoryFolderCopyAsUtf8) {
    writeSetting(state.settings, settingKeys().saveUtf8, false);
    captureDrop(state, gb("中文\r\n第二行"), false, presenter);
    EXPECT_EQ(readBytes(inNotes(gb("中文.txt"))), gb("中文\r\n第二行")); // off: as today
    writeSetting(state.settings, settingKeys().saveUtf8, true);
    captureDrop(state, gb("汉字\r\n第二行"), false, presenter);
    EXPECT_EQ(readBytes(inNotes(gb("汉字.txt"))), "汉字\r\n第二行");
    EXPECT_EQ(readBytes(inWorking(gb("汉字.txt"))), gb("汉字\r\n第二行"));
    EXPECT_EQ(readBytes(workingFile()).rfind(gb("汉字"), 0), 0u);
    // 一 is D2 BB in GB18030, which would pass for UTF-8: converted all the same.
    EXPECT_EQ(categoryFileBytes(state.settings, gb("一")), "一");
}

// A new user's settings file is made with the option on; a user upgrading,
// whose file has no such key, keeps GB18030 and a file left as it was.
TEST(NewSettings, ANewSettingsFileSavesUtf8AndAnOldOneKeepsItsFiles) {
    for (bool existed : {false, true}) {
        TempDir root;
        ProgramState state;
        state.folders = {root.path(), root.path(), root.path()};
        std::string old = gb("[程序参数]\r\n是否有声=1\r\n");
        if (existed)
            files::replace(state.folders.settingsFile(), old);
        state.openSettings();
        EXPECT_EQ(readSetting(state.settings, settingKeys().saveUtf8), !existed);
        if (existed) {
            EXPECT_EQ(files::load(state.folders.settingsFile()), old);
        }
    }
}
