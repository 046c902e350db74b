// What the user typed or kept survives what a person does with the windows:
// clicks on list entries, right clicks and menus, keys, the exit and the
// window manager's close.
#include "AppFixture.h"
#include "FileSizeLimit.h"
#include "UserInput.h"
#include "store/CategoryTable.h"
#include "store/SettingKeys.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTextEdit>

using namespace kestrum;

namespace {

std::string workingFileOf(const Windows& app, const char* category) {
    return app.state.folders.categoryWorkingFile(gb(category));
}

} // namespace

class NothingLostTest : public QObject {
    Q_OBJECT
  private slots:
    void deletingTheShownCategoryLeavesNoOtherCategoryToTypeInto() {
        Windows app;
        app.addCategories(3);
        files::replace(workingFileOf(app, "类别1"), gb("B的收集"));
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        input::click(editor->ListBox1, 0);
        input::click(editor->RichEdit2);
        input::type(editor->RichEdit2, QStringLiteral("AAA"));
        QVERIFY(input::chooseOnRow(editor->ListBox1, 0, editor->listdel));
        QCOMPARE(editor->ListBox1->count(), 2);
        input::type(editor->RichEdit2, QStringLiteral("q"));
        QCOMPARE(app.onDisk(workingFileOf(app, "类别1")), gb("B的收集"));
        QVERIFY(!app.onDiskExists(workingFileOf(app, "类别0")));
        QVERIFY(editor->ListBox1->selectedItems().isEmpty());
        QCOMPARE(editor->RichEdit2->toPlainText(), QStringLiteral("AAAq")); // still shown
    }

    void aFileDeleteActsOnlyOnTheHighlightedFileAfterTheListIsReadAgain() {
        Windows app;
        app.addCategories(1);
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            files::replace(app.path(std::string("cat0/") + name), name);
        app.start();
        app.drop->mshowClick();
        auto* list = app.editor->FileListBox1;
        app.editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app.editor));
        input::click(list, 1);
        QVERIFY(input::chooseOnRow(list, 1, app.editor->N11)); // answered Cancel
        // Focus coming back with the window, as after the question, makes a
        // row of the list read again current without highlighting it.
        QVERIFY(input::switchAway(app.editor, app.drop.get()));
        QVERIFY(list->selectedItems().isEmpty());
        app.desktop.answers << true;
        QVERIFY(input::chooseOnRow(list, 2, app.editor->N11));
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            QVERIFY2(files::exists(app.path(std::string("cat0/") + name)), name);
        QCOMPARE(app.desktop.questions.size(), 1); // nothing highlighted: nothing asked

        input::click(list, 2);
        QVERIFY(input::chooseOnRow(list, 2, app.editor->N11));
        QVERIFY(!files::exists(app.path("cat0/c.txt")));
        QVERIFY(files::exists(app.path("cat0/a.txt")));
    }

    void theExitAsksAboutUnsavedTextAndDeletesNothingBeforeTheAnswer() {
        Windows app;
        app.addCategories(2);
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        input::click(editor->ListBox1, 1);
        input::click(editor->RichEdit2);
        input::type(editor->RichEdit2, QStringLiteral("typed"));
        std::string working = workingFileOf(app, "类别1");
        app.desktop.unsavedAnswers << Desktop::UnsavedAnswer::Stay;
        app.drop->mexitClick();
        QCOMPARE(app.desktop.questions.size(), 1);
        QVERIFY(app.desktop.questions.last().contains(QStringLiteral("类别1")));
        QCOMPARE(files::load(working), std::string("typed"));
        QVERIFY(app.drop->isVisible());

        app.desktop.unsavedAnswers << Desktop::UnsavedAnswer::Save;
        app.drop->mexitClick();
        QVERIFY(!files::exists(working));
        QCOMPARE(files::load(app.path("cat1/typed.txt")), std::string("typed"));
    }

    // A run that ended without the exit (closed, killed) left it: nothing
    // says it was saved.
    void aWorkingFileLeftByAnEarlierRunIsAskedAbout() {
        Windows app;
        app.addCategories(2);
        files::replace(workingFileOf(app, "类别0"), "left behind");
        app.start();
        app.desktop.unsavedAnswers << Desktop::UnsavedAnswer::Save;
        app.drop->mexitClick();
        QCOMPARE(app.desktop.questions.size(), 1);
        QCOMPARE(files::load(app.path("cat0/leftbehind.txt")), std::string("left behind"));
    }

    void capturesThatAutoSaveKeptAreNoReasonToAsk() {
        Windows app;
        app.addCategories(1);
        app.start();
        Drag drag(QStringLiteral("kept"));
        QVERIFY(drag.enter(app.drop.get(), {5, 5}));
        drag.move(app.drop.get(), {5, 5});
        drag.drop(app.drop.get(), {5, 5});
        QVERIFY(files::exists(app.path("cat0/kept.txt")));
        app.drop->mexitClick();
        QVERIFY(app.desktop.questions.isEmpty());
        QVERIFY(!app.onDiskExists(workingFileOf(app, "类别0")));
    }

    // Writes of a big working file take the writer a while: whatever comes
    // at once after a burst of keys still finds every key on disk.
    void aBurstOfKeysIsOnDiskForWhateverComesNext() {
        Windows app;
        app.addCategories(2);
        std::string big;
        while (big.size() < (4u << 20))
            big += std::string(78, 'x') + "\r\n";
        files::replace(workingFileOf(app, "类别0"), big);
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        auto burst = [&](const QString& keys) {
            input::click(editor->RichEdit2);
            QTest::keyClick(editor->RichEdit2, Qt::Key_Home, Qt::ControlModifier);
            input::type(editor->RichEdit2, keys);
        };
        burst(QStringLiteral("first "));
        input::click(editor->ListBox1, 1); // away and straight back
        input::click(editor->ListBox1, 0);
        QVERIFY(editor->RichEdit2->toPlainText().startsWith(QStringLiteral("first x")));

        burst(QStringLiteral("second "));
        Drag drag(QStringLiteral("captured"));
        QVERIFY(drag.enter(app.drop.get(), {5, 5}));
        QPoint first = app.drop->ListBox1->visualItemRect(app.drop->ListBox1->item(0)).center();
        drag.move(app.drop.get(), first);
        drag.drop(app.drop.get(), first);
        std::string seen = "captured\r\nsecond first " + big;
        QCOMPARE(editor->editorText(), seen);

        burst(QStringLiteral("third "));
        app.desktop.unsavedAnswers << Desktop::UnsavedAnswer::Save;
        app.drop->mexitClick();
        QCOMPARE(files::load(app.path("cat0/thirdcaptured.txt")), "third " + seen);
    }

    void clearingEverythingIsUndoneByUndo() {
        Windows app;
        app.addCategories(1);
        files::replace(workingFileOf(app, "类别0"), gb("第一行\r\n第二行"));
        app.start();
        app.drop->mshowClick();
        auto* edit = app.editor->RichEdit2;
        app.editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app.editor));
        input::click(edit);
        QTest::keyClick(edit, Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(edit->toPlainText().isEmpty());
        QVERIFY(!app.onDiskExists(workingFileOf(app, "类别0"))); // the key's release: blank
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->toPlainText(), QStringLiteral("第一行\n第二行"));
        QCOMPARE(app.onDisk(workingFileOf(app, "类别0")), gb("第一行\r\n第二行"));
    }

    void anExitThatCannotWriteItsSettingsLeavesTheProgramWorking() {
        Windows app;
        app.addCategories(1);
        app.start();
        std::string working = workingFileOf(app, "类别0");
        files::replace(working, "captured");
        {
            FileSizeLimit full(8);
            app.drop->mexitClick();
        }
        QCOMPARE(app.desktop.errors.size(), 1);
        QVERIFY(files::exists(working));
        QVERIFY(files::exists(app.state.folders.working()));
        QVERIFY(app.drop->isVisible());
        QVERIFY(app.drop->TrayIcon1 || !QSystemTrayIcon::isSystemTrayAvailable());
        // Captures still reach all three places.
        Drag drag(QStringLiteral("later"));
        QVERIFY(drag.enter(app.drop.get(), {5, 5}));
        drag.move(app.drop.get(), {5, 5});
        QCOMPARE(drag.drop(app.drop.get(), {5, 5}), Qt::CopyAction);
        QVERIFY(files::exists(app.state.folders.working() + "later.txt"));
        QCOMPARE(files::load(working), std::string("later\r\ncaptured"));
    }

    void closingTheDropWindowEndsTheProgramAndKeepsTheWorkingFiles() {
        Windows app;
        app.addCategories(1);
        app.start();
        std::string working = workingFileOf(app, "类别0");
        files::replace(working, "captured");
        QSignalSpy ended(app.drop.get(), &TForm1::closedWithoutExit);
        QVERIFY(app.drop->close()); // what the window manager's close asks for
        QCOMPARE(ended.size(), 1);
        QVERIFY(files::exists(working));
    }

    void aFailedAutoSaveSwitchIsReportedOnce() {
        Windows app;
        app.addCategories(1);
        app.start();
        QPoint lock(app.drop->width() - 3, app.drop->height() / 2);
        {
            FileSizeLimit full(8);
            QTest::mouseClick(app.drop->Image1, Qt::LeftButton, {}, lock);
        }
        QCOMPARE(app.desktop.errors.size(), 1);
    }
};

QTEST_MAIN(NothingLostTest)
#include "NothingLostTest.moc"
