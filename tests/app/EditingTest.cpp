// The editor's commands through the window: the save name, the working
// file after keys and clicks, moving text, clipboard commands, command
// states, reflow and conversion, and the editor keeping every byte.
#include "AppFixture.h"
#include "HintDisplay.h"
#include "TextSpinBox.h"
#include "UserInput.h"
#include "store/CategoryTable.h"
#include "text/CVCode.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>

using namespace kestrum;

namespace {

// Categories 类别0..类别N-1, the editor open on the first, holding `text`.
struct Editing : Windows {
    QPlainTextEdit* edit = nullptr;
    explicit Editing(int categories = 2, const std::string& text = "") {
        addCategories(categories);
        if (!text.empty())
            files::replace(workingFile(0), text);
        start();
        drop->mshowClick();
        edit = editor->RichEdit2;
    }
    std::string workingFile(int category) const {
        return state.folders.categoryWorkingFile(gb("类别" + std::to_string(category)));
    }
    void select(int from, int to) {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
    }
    void type(const QString& text) {
        edit->moveCursor(QTextCursor::End);
        edit->insertPlainText(text);
    }
    void keyRelease() { QTest::keyClick(edit, Qt::Key_Right); }
    void click() { QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); }
    QAction* moveItem(const QString& caption) {
        for (QAction* a : editor->textmove->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }
};

} // namespace

class EditingTest : public QObject {
    Q_OBJECT
  private slots:
    void saveSuggestsTheSelectionOrTheFirstLineNameAndWritesEveryByte() {
        std::string text = gb("\r\n  第一章:开始  \r\n中文 标题.doc\r\n");
        Editing app(2, text);
        QString folder = toQt(app.path("cat0/"));
        app.editor->msave->trigger();
        QCOMPARE(app.desktop.saveStarts.last(), folder + QStringLiteral("第一章开始"));
        app.select(12, 21);
        app.desktop.saveNames << toQt(app.path("cat0/saved.TXT"));
        app.editor->msave->trigger();
        QCOMPARE(app.desktop.saveStarts.last(), folder + QStringLiteral("中文 标题.doc"));
        QCOMPARE(files::load(app.path("cat0/saved.TXT")), text);
        QCOMPARE(app.editor->FileListBox1->count(), 1); // the list read its folder again

        for (const char* removedOnly : {"...", "---"}) {
            app.edit->setPlainText(QString::fromUtf8(removedOnly));
            app.editor->msave->trigger();
            QCOMPARE(app.desktop.saveStarts.last(),
                     folder + QStringLiteral("OrrinKestrum保存文件"));
        }
        QString fortyOne;
        for (int i = 0; i < 41; ++i)
            fortyOne += QStringLiteral("字");
        QString forty = fortyOne.left(40);
        app.edit->setPlainText(fortyOne);
        app.editor->msave->trigger();
        QCOMPARE(app.desktop.saveStarts.last(), folder + fortyOne.left(20) + "~1");
        app.edit->setPlainText(forty);
        app.editor->msave->trigger();
        QCOMPARE(app.desktop.saveStarts.last(), folder + forty);
        app.edit->setPlainText(QString(101, '\n') + "late");
        app.editor->msave->trigger();
        QCOMPARE(app.desktop.saveStarts.last(), folder + QStringLiteral("OrrinKestrum保存文件"));
        int asked = app.desktop.saveStarts.size();
        app.edit->clear();
        app.editor->msave->trigger();
        QCOMPARE(app.desktop.saveStarts.size(), asked); // nothing to save, no dialog
    }

    // "文件用UTF-8保存" on the settings page: a saved file is UTF-8, the
    // working file stays the program's own text.
    void theUtf8BoxMakesSavedFilesUtf8() {
        Editing app(2, gb("中文\r\n"));
        app.editor->PageControl1->setCurrentIndex(TForm2::SettingsPage);
        app.editor->utf81->click();
        QVERIFY(app.settings().readBool(gb("程序参数"), gb("文件用UTF-8保存"), false));
        app.desktop.saveNames << toQt(app.path("cat0/out.txt"));
        app.editor->msave->trigger();
        QCOMPARE(files::load(app.path("cat0/out.txt")), std::string("中文\r\n"));
        QCOMPARE(app.onDisk(app.workingFile(0)), gb("中文\r\n"));
    }

    void keysAndClicksKeepTheWorkingFileWithTheEditor() {
        Editing app(2, "kept\r\n");
        app.type(QStringLiteral("more"));
        app.keyRelease();
        QCOMPARE(app.onDisk(app.workingFile(0)), std::string("kept\r\nmore"));
        app.edit->setPlainText(QStringLiteral("  \n "));
        app.keyRelease();
        QVERIFY(!app.onDiskExists(app.workingFile(0)));
        app.click();
        QCOMPARE(app.onDisk(app.workingFile(0)), std::string("  \r\n "));

        // Clear all leaves an empty file; Ctrl+Del's key release then deletes it.
        app.edit->setPlainText(QStringLiteral("x"));
        app.editor->mallclear->trigger();
        QCOMPARE(app.onDisk(app.workingFile(0)), std::string());
        app.edit->setPlainText(QStringLiteral("x"));
        app.click();
        app.editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app.editor));
        app.edit->setFocus();
        QTest::keyClick(app.edit, Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(app.edit->toPlainText().isEmpty());
        QVERIFY(!app.onDiskExists(app.workingFile(0)));
    }

    void withoutASelectedCategoryNothingIsWrittenAndTheUserIsTold() {
        Editing app(1);
        emit app.editor->PopupMenu1->aboutToShow();
        app.editor->listdel->trigger();
        app.type(QStringLiteral("orphan"));
        app.keyRelease();
        QVERIFY(app.editor->messagePanel->text().contains(QStringLiteral("没有选中的类别")));
        QVERIFY(!app.onDiskExists(app.state.folders.temporary + "temp.txt"));
        QVERIFY(app.desktop.errors.isEmpty());
    }

    void aFailingWorkingFileIsReportedOnceAndTheTextStays() {
        Editing app(2, "start\r\n");
        QDir(toQt(app.state.folders.temporary)).removeRecursively();
        for (int i = 0; i < 3; ++i) {
            app.type(QStringLiteral("x"));
            app.keyRelease();
            app.settle();
        }
        QCOMPARE(app.desktop.errors.size(), 1);
        QCOMPARE(app.edit->toPlainText(), QStringLiteral("start\nxxx"));
        QDir().mkpath(toQt(app.state.folders.temporary));
        app.type(QStringLiteral("y"));
        app.keyRelease();
        QCOMPARE(app.onDisk(app.workingFile(0)), std::string("start\r\nxxxy"));
    }

    void theMoveSubmenuOffersTheOtherCategoriesAndMovesIntoOne() {
        Editing app(3, "abc\r\nrest\r\n");
        files::replace(app.workingFile(2), "\r\n xyz \r\n\r\n");
        emit app.editor->PopupMenu2->aboutToShow();
        QVERIFY(app.editor->textmove->menuAction()->isVisible());
        QCOMPARE(app.editor->textmove->actions().size(), 2);
        QCOMPARE(app.moveItem(QStringLiteral("类别2"))->objectName(), QStringLiteral("vromove2"));
        app.select(0, 3);
        app.moveItem(QStringLiteral("类别2"))->trigger();
        QCOMPARE(app.onDisk(app.workingFile(2)), std::string("xyz\r\nabc\r\n"));
        QCOMPARE(app.editor->ListBox1->currentRow(), 2);
        QCOMPARE(app.editor->Edit1->text(), QStringLiteral("类别0")); // Open did not run
        QCOMPARE(app.edit->toPlainText(), QStringLiteral("xyz\nabc\n"));
        QCOMPARE(app.onDisk(app.workingFile(0)), std::string("abc\r\nrest\r\n"));

        // No selection: every line; auto-save names the whole content.
        app.state.autoSave = true;
        files::replace(app.workingFile(1), gb("旧内容\r\n"));
        for (int i = 0; i < 2; ++i) {
            emit app.editor->PopupMenu2->aboutToShow();
            app.moveItem(QStringLiteral("类别1"))->trigger();
            app.editor->ListBox1->setCurrentRow(2);
        }
        QVERIFY(files::exists(app.path("cat1/") + gb("旧内容.txt")));
        QCOMPARE(files::load(app.path("cat1/") + gb("旧内容(1).txt")),
                 gb("旧内容\r\nxyz\r\nabc\r\nxyz\r\nabc\r\n"));
    }

    void theMoveSubmenuHidesForOneCategoryOrABlankEditor() {
        Editing one(1, "text\r\n");
        emit one.editor->PopupMenu2->aboutToShow();
        QVERIFY(!one.editor->textmove->menuAction()->isVisible());
        Editing blank(3, " \r\n");
        emit blank.editor->PopupMenu2->aboutToShow();
        QVERIFY(!blank.editor->textmove->menuAction()->isVisible());
    }

    void clipboardCommandsAndTheirStatesFollowTheEditor() {
        Editing app(2, "");
        auto* editor = app.editor;
        editor->refreshCommandStates();
        QVERIFY(!editor->msave->isEnabled() && !editor->mcopy->isEnabled());
        QVERIFY(!editor->mpaste2->isEnabled() && !app.drop->mpaste->isEnabled());
        QVERIFY(!editor->mcopyclear->isEnabled());
        app.type(QStringLiteral("one two"));
        app.select(4, 7);
        editor->refreshCommandStates();
        QVERIFY(editor->msave->isEnabled() && editor->mfile1->isEnabled());
        QVERIFY(editor->mcopy->isEnabled() && editor->mcut1->isEnabled());
        editor->mcopy->trigger();
        QCOMPARE(app.desktop.clipboard, QStringLiteral("two"));
        editor->refreshCommandStates();
        QVERIFY(editor->mpaste21->isEnabled() && app.drop->mpaste->isEnabled());
        QVERIFY(editor->mcopyclear->isEnabled());
        editor->mcopyclear->trigger();
        QVERIFY(!app.desktop.clipboard);
        QVERIFY(!editor->mcopyclear->isEnabled());
        app.desktop.clipboard = QStringLiteral("pasted");
        editor->mpaste2->trigger();
        QCOMPARE(app.onDisk(app.workingFile(0)), std::string("one pasted"));

        // Undo brings the deleted word back selected, then cuts it.
        app.select(4, 10);
        editor->mcut->trigger();
        QCOMPARE(app.edit->toPlainText(), QStringLiteral("one "));
        app.desktop.clipboard.reset();
        editor->N4->trigger();
        QCOMPARE(app.desktop.clipboard, QStringLiteral("pasted"));
        QCOMPARE(app.onDisk(app.workingFile(0)), std::string("one "));
    }

    void reflowTakesTheBoxTextAndStoresIt() {
        Editing app(2, "");
        app.edit->setPlainText(QString(70, 'a'));
        // A long message widens the progress run's room (see the hint display).
        app.editor->setMessage(QString(200, 'm'), true);
        app.editor->hints().show(QStringLiteral("x"));
        app.editor->SpinEdit1->setText(QStringLiteral("5"));
        QCOMPARE(app.settings().readString(gb("程序参数"), gb("每行字数"), ""), std::string("5"));
        app.editor->mfile->trigger();
        QCOMPARE(app.edit->toPlainText(), QString(10, 'a') + "\n" + QString(10, 'a') + "\n" +
                                              QString(10, 'a') + "\n" + QString(10, 'a') + "\n" +
                                              QString(10, 'a') + "\n" + QString(10, 'a') + "\n" +
                                              QString(10, 'a') + "\n");
        QVERIFY(app.editor->hintPanel->text().startsWith(QStringLiteral("■■■■■")));
        for (const char* sixtyFive : {"0", ""}) {
            app.edit->setPlainText(QString(70, 'b'));
            app.editor->SpinEdit1->setText(QString::fromUtf8(sixtyFive));
            app.editor->N25->trigger();
            QCOMPARE(app.edit->toPlainText(), QString(65, 'b') + "\n" + QString(5, 'b') + "\n");
        }
        for (const char* bad : {"1.5", "-3"}) {
            app.edit->setPlainText(QString(70, 'c'));
            app.editor->SpinEdit1->setText(QString::fromUtf8(bad));
            app.editor->mfile1->trigger();
            QCOMPARE(app.edit->toPlainText(), QString(70, 'c'));
        }
        QCOMPARE(app.desktop.errors.first(), QStringLiteral("'1.5' is not a valid integer value"));
        QCOMPARE(app.desktop.errors.size(), 2);
    }

    void conversionChangesOnlyTheSelectionAndWritesAnExistingWorkingFile() {
        std::string text = gb("国家\r\n") + "\xFF\x80 raw\r\n" + gb("国家");
        Editing app(2, text);
        app.select(10, 12);
        app.editor->GBBIG5->trigger();
        std::string expected = text;
        std::string big5 = cvcode::ConvertGbToBig5(gb("国家"));
        expected.replace(text.size() - 4, 4, big5);
        QCOMPARE(app.onDisk(app.workingFile(0)), expected);
        QCOMPARE(app.editor->editorText(), expected);

        Editing fresh(2, "");
        fresh.edit->setPlainText(toQt(gb("国")));
        fresh.editor->GBBIG51->trigger();
        QVERIFY(!fresh.onDiskExists(fresh.workingFile(0))); // no working file, none made
        QCOMPARE(fresh.editor->editorText(), cvcode::ConvertGbToBig5(gb("国")));
    }

    // The Unicode commands of the menu "编辑" go by phrases (头发 and 发现
    // take different characters for 发), keep the text readable as the
    // program's own, and turn only what is selected.
    void scriptConversionFromTheEditMenuTurnsThePhrasesOfTheSelection() {
        Editing app(2, gb("头发\r\n发现"));
        QMenuBar* bar = app.editor->menuBar();
        auto fromEditMenu = [&](QAction* entry) {
            QAction* title = qobject_cast<QMenu*>(entry->parent())->menuAction();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
            return input::choose(qobject_cast<QMenu*>(QApplication::activePopupWidget()), entry);
        };
        app.select(0, 2);
        QVERIFY(fromEditMenu(app.editor->mtraditional));
        QCOMPARE(app.edit->toPlainText(), QStringLiteral("頭髮\n发现"));
        QCOMPARE(app.onDisk(app.workingFile(0)), gb("頭髮\r\n发现"));
        app.select(0, 0);
        QVERIFY(fromEditMenu(app.editor->mtraditional));
        QCOMPARE(app.edit->toPlainText(), QStringLiteral("頭髮\n發現"));
        QVERIFY(fromEditMenu(app.editor->msimplified));
        QCOMPARE(app.onDisk(app.workingFile(0)), gb("头发\r\n发现"));
    }

    // Both font commands share one dialog, which starts from its own last
    // choice; the viewer's menu copies, clears and selects the viewer only.
    void theFontDialogIsSharedAndTheViewerMenuActsOnTheViewer() {
        Editing app(2, "editor\r\n");
        QFont chosen(QStringLiteral("Serif"), 20);
        app.desktop.fontAnswers << chosen;
        app.editor->mfont->trigger();
        app.editor->N16->trigger(); // cancelled
        QCOMPARE(app.desktop.fontsAskedFrom.size(), 2);
        QCOMPARE(app.desktop.fontsAskedFrom[0].family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(app.desktop.fontsAskedFrom[0].pointSize(), 8);
        QCOMPARE(app.desktop.fontsAskedFrom[1], chosen);
        QCOMPARE(app.edit->font(), chosen);
        QVERIFY(app.editor->RichEdit4->font() != chosen);

        auto* viewer = app.editor->RichEdit4;
        viewer->setPlainText(QStringLiteral("viewer text"));
        app.editor->m2all->trigger();
        app.editor->m2copy->trigger();
        QCOMPARE(app.desktop.clipboard, QStringLiteral("viewer text"));
        app.editor->m2clear->trigger();
        QVERIFY(viewer->toPlainText().isEmpty());
        QCOMPARE(app.edit->toPlainText(), QStringLiteral("editor\n"));
    }

    // Bytes that form no character survive load, an edit elsewhere and write.
    void theEditorKeepsEveryByteItDidNotEdit() {
        std::string odd = std::string("\x81\x30 \xFF\xFE \x80\r\n") + gb("中文") + "\r\n";
        Editing app(2, odd);
        app.type(QStringLiteral("!"));
        app.keyRelease();
        QCOMPARE(app.onDisk(app.workingFile(0)), odd + "!");
    }
};

QTEST_MAIN(EditingTest)
#include "EditingTest.moc"
