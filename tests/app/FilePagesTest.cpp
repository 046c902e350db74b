// The file list with its viewer, and the merge page, driven through the
// window with scripted dialogs.
#include "AppFixture.h"
#include "FileViewer.h"
#include "text/ViewedText.h"

#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QTextEdit>
#include <QThreadPool>

using namespace kestrum;

namespace {

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

int rowOf(QListWidget* list, const QString& text) {
    auto found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? -1 : list->row(found.first());
}

QStringList rows(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// One category "类别0" with its folder, the editor open on it.
using Files = std::vector<std::pair<std::string, std::string>>;

struct FilePages : Windows {
    explicit FilePages(const Files& filesInCategory) {
        addCategories(1);
        for (const auto& [name, bytes] : filesInCategory)
            files::replace(path("cat0/" + name), bytes);
        start();
        drop->mshowClick();
    }
    void show(const char* name) {
        clickRow(editor->FileListBox1, rowOf(editor->FileListBox1, name));
    }
    QString inCategory(const std::string& name) const { return toQt(path("cat0/" + name)); }
};

} // namespace

class FilePagesTest : public QObject {
    Q_OBJECT
  private slots:
    // A large file costs the memory of one part, whatever its size: the
    // viewer shows the first part and a note whose link shows the next.
    // Each file starts from the viewer's own plain format: a rich file's
    // big italic text does not carry over to the plain file shown next.
    void aPlainFileAfterARichOneHasTheViewersOwnFormat() {
        FilePages app({{"a-rich.txt", "{\\rtf1\\ansi {\\i\\fs48 big italic}}"},
                       {"b-plain.txt", "plain text"}});
        auto* list = app.editor->FileListBox1;
        auto* viewer = app.editor->RichEdit4;
        for (const char* name : {"a-rich.txt", "b-plain.txt"}) {
            QListWidgetItem* item = list->item(rowOf(list, name));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
        }
        QCOMPARE(viewer->toPlainText(), QStringLiteral("plain text"));
        QTextCursor at(viewer->document());
        at.setPosition(3);
        QFont shown = at.charFormat().font();
        QVERIFY(!shown.italic());
        QCOMPARE(shown.pointSizeF(), viewer->font().pointSizeF());
    }

    // Formatting past a budget would hold the window for minutes: such a
    // file shows its text plainly and says so.
    void aRichFileWithTooManyFormatsIsShownAsPlainText() {
        std::string rich = "{\\rtf1\\ansi ";
        for (int i = 0; i < 1200; ++i)
            rich += "{\\i a}{\\b b}"; // 2,400 runs in one paragraph
        FilePages app({{"rich.txt", rich + "}"}});
        auto* viewer = app.editor->RichEdit4;
        app.show("rich.txt");
        QVERIFY(viewer->toPlainText().startsWith(QStringLiteral("（这个 RTF 文件的格式太多")));
        QVERIFY(viewer->toPlainText().contains(QStringLiteral("ababab")));
        QTextCursor at(viewer->document());
        at.movePosition(QTextCursor::End);
        QVERIFY(!at.charFormat().fontItalic() && at.charFormat().fontWeight() < QFont::Bold);
    }

    void aLargeFileIsShownAPartAtATime() {
        std::string big;
        while (big.size() < kViewedPart + (1 << 20))
            big += "0123456789012345678901234567890123456789012345678901234567890123456789\r\n";
        FilePages app({{"big.txt", big + "the last line"}, {"small.txt", "small"}});
        auto* viewer = app.editor->RichEdit4;
        // A part still on its way when another file is picked never lands.
        app.show("big.txt");
        app.show("small.txt");
        QThreadPool::globalInstance()->waitForDone(); // the big part is readied
        QTest::qWait(50);
        QCOMPARE(viewer->toPlainText(), QStringLiteral("small"));
        app.show("big.txt");
        QTRY_VERIFY(!isShowingFile(viewer));
        QVERIFY(viewer->toPlainText().size() < qsizetype(kViewedPart) + 200);
        QVERIFY(!viewer->toPlainText().endsWith(QStringLiteral("the last line")));
        QTextCursor note = viewer->document()->find(QStringLiteral("点这里显示下一部分"));
        QVERIFY(!note.isNull());
        viewer->setTextCursor(note);
        viewer->ensureCursorVisible();
        QTest::mouseClick(viewer->viewport(), Qt::LeftButton, {},
                          viewer->cursorRect().center() - QPoint(4, 0));
        QTRY_VERIFY(viewer->toPlainText().endsWith(QStringLiteral("the last line")));
    }

    void aClickShowsTheFileDecodedOrFormattedAndChangesNothingOnDisk() {
        const std::string rich = "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 x;}}\\f0 "
                                 "\\'d5\\'e2{\\b \\'ca\\'c7}\\par}";
        FilePages app({{"gb.txt", gb("中文\r\n第二行")},
                       {"utf8.txt", "中文\r\n"},
                       {"rich.txt", rich},
                       {"broken.txt", "{\\rtf1" + std::string(1500, '{')}});
        auto* viewer = app.editor->RichEdit4;
        app.show("gb.txt");
        QCOMPARE(viewer->toPlainText(), QStringLiteral("中文\n第二行"));
        app.show("utf8.txt");
        QCOMPARE(viewer->toPlainText(), QStringLiteral("中文\n"));
        app.show("rich.txt");
        QCOMPARE(viewer->toPlainText(), QStringLiteral("这是\n"));
        QTextCursor at(viewer->document());
        at.setPosition(1);
        QVERIFY(at.charFormat().fontWeight() < QFont::Bold);
        at.setPosition(2);
        QCOMPARE(at.charFormat().fontWeight(), int(QFont::Bold));
        // Lines grouped into blocks for speed read and copy back as lines.
        std::string many;
        for (int i = 0; i < 40; ++i)
            many += "line " + std::to_string(i) + "\r\n";
        files::replace(app.path("cat0/many.txt"), many);
        app.editor->refreshFileList();
        app.show("many.txt");
        QString lines = QString::fromStdString(many).replace("\r\n", "\n");
        QCOMPARE(viewer->toPlainText(), lines);
        viewer->selectAll();
        viewer->copy();
        QCOMPARE(QApplication::clipboard()->text(), lines);
        app.show("broken.txt");
        QVERIFY(viewer->toPlainText().startsWith(QStringLiteral("{\\rtf1{{{")));
        QCOMPARE(files::load(app.path("cat0/rich.txt")), rich);
    }

    // A folder with and without its final "/" is one folder: not read
    // again, and a file's path gets one "/" either way.
    void aFolderWithATrailingSlashIsTheSameFolder() {
        FilePages app(Files{{"a.txt", "a"}});
        auto* list = app.editor->FileListBox1;
        files::replace(app.path("cat0/b.txt"), "b");
        QVERIFY(list->setFolder(app.path("cat0/")));
        QCOMPARE(rows(list), QStringList{"a.txt"});
        list->setCurrentRow(0);
        QCOMPARE(toQt(list->selectedPath()), app.inCategory("a.txt"));
    }

    void aClickOnAnEmptyListLeavesTheViewerAsItWas() {
        FilePages app(Files{});
        app.editor->RichEdit4->setPlainText(QStringLiteral("before"));
        QTest::mouseClick(app.editor->FileListBox1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(app.editor->RichEdit4->toPlainText(), QStringLiteral("before"));
    }

    void deleteAsksFirstAndReReadsTheFolderEitherWay() {
        FilePages app({{"a.txt", "a"}, {"b.txt", "b"}});
        app.show("a.txt");
        files::replace(app.path("cat0/new.txt"), "n");
        app.editor->N11->trigger(); // the scripted answer is Cancel
        QCOMPARE(app.desktop.questions,
                 QStringList{QStringLiteral("确认删除|删除后不可恢复，确认要删除吗？")});
        QVERIFY(files::exists(app.path("cat0/a.txt")));
        QCOMPARE(rows(app.editor->FileListBox1), (QStringList{"a.txt", "b.txt", "new.txt"}));
        QCOMPARE(app.editor->RichEdit4->toPlainText(), QStringLiteral("a"));

        app.show("b.txt");
        app.desktop.answers << true;
        app.editor->N11->trigger();
        QVERIFY(!files::exists(app.path("cat0/b.txt")));
        QCOMPARE(rows(app.editor->FileListBox1), (QStringList{"a.txt", "new.txt"}));
        QVERIFY(app.editor->RichEdit4->toPlainText().isEmpty());
    }

    void mergeCopiesLineByLineIntoTheChosenFileReplacingOneThere() {
        FilePages app({{"one.txt", "one\r\ntwo"},
                       {"three.txt", "three\r\n"},
                       {"lf.txt", "a\nb"},
                       {"stop.txt", "kept\x1A lost"}});
        auto* editor = app.editor;
        app.desktop.openChoices << QStringList{app.inCategory("one.txt"),
                                               app.inCategory("three.txt")}
                                << QStringList{app.inCategory("lf.txt"), app.inCategory("stop.txt"),
                                               app.inCategory("one.txt")};
        editor->Button2->click();
        editor->Button2->click();
        QCOMPARE(app.desktop.openStarts, QStringList(2, toQt(app.path("cat0"))));
        QCOMPARE(editor->ListBox2->count(), 5);
        files::replace(app.path("cat0/result.txt"), "old result");
        app.desktop.saveNames << app.inCategory("result.txt");
        editor->Button4->click();
        QCOMPARE(app.desktop.saveStarts, QStringList{toQt(app.path("cat0/"))});
        QCOMPARE(files::load(app.path("cat0/result.txt")),
                 std::string("one\r\ntwo\r\nthree\r\na\nb\r\nkept\r\none\r\ntwo\r\n"));
        QVERIFY(!files::exists(app.state.folders.working() + "addtemp.txt"));

        // The next save dialog starts with the name it held last.
        editor->Button4->click();
        QCOMPARE(app.desktop.saveStarts.last(), app.inCategory("result.txt"));
        QCOMPARE(editor->ListBox2->count(), 5); // a merge keeps the list
    }

    void anEmptyListStillAsksForANameAndCreatesNothing() {
        FilePages app(Files{{"one.txt", "one"}});
        app.desktop.openChoices << QStringList{app.inCategory("one.txt")};
        app.editor->Button2->click();
        app.desktop.saveNames << app.inCategory("first.txt");
        app.editor->Button4->click(); // leaves nothing behind to be taken later
        app.editor->Button3->click();
        QCOMPARE(app.editor->ListBox2->count(), 0);
        app.desktop.saveNames << app.inCategory("merged.txt");
        app.editor->Button4->click();
        QCOMPARE(app.desktop.saveStarts.size(), 2);
        QVERIFY(!files::exists(app.path("cat0/merged.txt")));
    }

    void theMergeListMovesStopAtItsEnds() {
        FilePages app(Files{});
        app.desktop.openChoices << QStringList{"/a", "/b", "/c"};
        app.editor->Button2->click();
        auto* list = app.editor->ListBox2;
        list->setCurrentRow(0);
        app.editor->N12->trigger(); // up from the top
        app.editor->N14->trigger(); // to the top from the top
        QCOMPARE(rows(list), (QStringList{"/a", "/b", "/c"}));
        app.editor->N15->trigger();
        QCOMPARE(rows(list), (QStringList{"/b", "/c", "/a"}));
        QCOMPARE(list->currentRow(), 2);
        app.editor->N13->trigger(); // down from the bottom
        app.editor->N15->trigger(); // to the bottom from the bottom
        QCOMPARE(rows(list), (QStringList{"/b", "/c", "/a"}));
        app.editor->N12->trigger();
        app.editor->N14->trigger();
        QCOMPARE(rows(list), (QStringList{"/a", "/b", "/c"}));
        QCOMPARE(app.editor->mergeList(), (std::vector<std::string>{"/a", "/b", "/c"}));
    }

    // With no category selected, the dialogs start in the program folder.
    void withoutASelectedCategoryTheProgramFolderServes() {
        FilePages app(Files{});
        emit app.editor->PopupMenu1->aboutToShow();
        app.editor->listdel->trigger();
        QCOMPARE(app.editor->ListBox1->currentRow(), -1);
        app.editor->Button2->click();
        app.editor->Button4->click();
        QString program = toQt(app.state.folders.program); // ends in "/"
        QCOMPARE(app.desktop.openStarts, QStringList{program});
        QCOMPARE(app.desktop.saveStarts, QStringList{program});
    }
};

QTEST_MAIN(FilePagesTest)
#include "FilePagesTest.moc"
