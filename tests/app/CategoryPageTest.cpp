// The category list and the category page, driven as a user does: clicks
// on the list, the menus, the confirm button, with scripted dialogs.
#include "AppFixture.h"
#include "store/CategoryTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>

using namespace kestrum;

namespace {

void clickRow(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton) {
    QRect item = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), button, {}, item.center());
}

QStringList rows(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList tableKeys(const Windows& app) {
    QStringList out;
    for (const auto& key : app.settings().listKeys(gb("类别")))
        out << toQt(key);
    return out;
}

} // namespace

class CategoryPageTest : public QObject {
    Q_OBJECT
  private slots:
    void aClickOpensTheCategoryAndAMissingFolderAsksForANewOne() {
        Windows app;
        app.addCategories(3);
        files::replace(app.state.folders.categoryWorkingFile(gb("类别1")), gb("第一条\r\n"));
        files::replace(app.path("cat1/kept.txt"), "x");
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        editor->mleioption->trigger();
        clickRow(editor->ListBox1, 1);
        QCOMPARE(editor->Label1->text(), QStringLiteral("类别："));
        QCOMPARE(editor->Label2->text(), QStringLiteral("默认目录："));
        QCOMPARE(editor->PageControl1->currentIndex(), int(TForm2::FilePage));
        QCOMPARE(editor->Edit1->text(), QStringLiteral("类别1"));
        QCOMPARE(editor->Edit2->text(), toQt(app.path("cat1")));
        QString message = QStringLiteral("这是类别1  保存目录是") + toQt(app.path("cat1"));
        QCOMPARE(editor->messagePanel->text(), message);
        QCOMPARE(editor->messagePanel->width(), 7 * int(fromQt(message).size()));
        QCOMPARE(editor->RichEdit2->toPlainText(), QStringLiteral("第一条\n"));
        QCOMPARE(rows(editor->FileListBox1), QStringList{QStringLiteral("kept.txt")});

        QDir(toQt(app.path("cat2"))).removeRecursively();
        clickRow(editor->ListBox1, 2);
        QCOMPARE(app.desktop.warnings,
                 QStringList{QStringLiteral("错误|此类别的目录已经被取消，请重新确定。")});
        QCOMPARE(editor->PageControl1->currentIndex(), int(TForm2::CategoryPage));
        QCOMPARE(editor->Label1->text(), QStringLiteral("更改类别："));
        QCOMPARE(editor->Label2->text(), QStringLiteral("更改目录："));
        QCOMPARE(editor->Edit2->text(), toQt(app.path("cat2")));
        QCOMPARE(rows(editor->FileListBox1), QStringList{QStringLiteral("kept.txt")});
        QVERIFY(editor->RichEdit2->toPlainText().isEmpty());
        QVERIFY(!editor->Edit2->isEnabled());
    }

    void confirmAddsReplacesOrRefusesAndWritesOnlyWhatItSays() {
        Windows app;
        app.addCategories(2);
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        editor->mlei->trigger();
        QCOMPARE(editor->Label1->text(), QStringLiteral("新建类别："));
        QCOMPARE(editor->messagePanel->text(), QStringLiteral("请输入新名或新目录后按“确认”。"));

        // Cancelled dialog: the fields as they stand are confirmed.
        editor->Edit1->setText(QStringLiteral("新类"));
        editor->Button1->click();
        QCOMPARE(app.desktop.questions.last(), QStringLiteral("选择保存目录"));
        QCOMPARE(rows(editor->ListBox1).last(), QStringLiteral("新类"));
        QCOMPARE(toQt(categories::folder(app.settings(), gb("新类"), "")), toQt(app.path("cat0")));
        QCOMPARE(app.drop->ListBox1->count(), 3);
        QCOMPARE(editor->messagePanel->text(),
                 QStringLiteral("这是新类保存目录是") + toQt(app.path("cat0")));
        QCOMPARE(editor->ListBox1->currentRow(), 0); // confirm does not select

        // An existing name (exact bytes) gets the picked folder in its place.
        app.desktop.folders << toQt(app.path("picked"));
        editor->Edit1->setText(QStringLiteral("类别1"));
        editor->Button1->click();
        QCOMPARE(rows(editor->ListBox1),
                 (QStringList{QStringLiteral("类别0"), QStringLiteral("类别1"),
                              QStringLiteral("新类")}));
        QCOMPARE(tableKeys(app), rows(editor->ListBox1));
        QCOMPARE(toQt(categories::folder(app.settings(), gb("类别1"), "")),
                 toQt(app.path("picked")));

        // An empty name writes nothing, but the picked folder lands in the field.
        auto before = files::load(app.state.folders.settingsFile());
        editor->Edit1->clear();
        app.desktop.folders << toQt(app.path("other"));
        editor->Button1->click();
        QCOMPARE(editor->Edit2->text(), toQt(app.path("other")));
        QCOMPARE(files::load(app.state.folders.settingsFile()), before);

        // A name that cannot be a key is refused with a message, nothing written.
        editor->Edit1->setText(QStringLiteral("a=b"));
        editor->Button1->click();
        QCOMPARE(app.desktop.errors.size(), 1);
        QCOMPARE(files::load(app.state.folders.settingsFile()), before);
        QCOMPARE(editor->ListBox1->count(), 3);
    }

    void theContextMenuOffersWhatAppliesAndARightClickSelectsNothing() {
        Windows app;
        app.writeSettings("[类别]\r\n甲=" + app.path("cat0") + "\r\n非分类=" + app.path("program") +
                          "\r\n");
        QDir().mkpath(toQt(app.path("cat0")));
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        QVERIFY(!editor->listdel->isEnabled());
        clickRow(editor->ListBox1, 1, Qt::RightButton);
        QCOMPARE(editor->ListBox1->currentRow(), 0);
        emit editor->PopupMenu1->aboutToShow();
        QVERIFY(editor->listdel->isEnabled());
        QVERIFY(!editor->listmove->isEnabled()); // the first entry is on top already
        clickRow(editor->ListBox1, 1);
        emit editor->PopupMenu1->aboutToShow();
        QVERIFY(!editor->listdel->isEnabled()); // the pseudo-category stays
        QVERIFY(editor->listmove->isEnabled());
        QStringList captions;
        for (QAction* a : editor->PopupMenu1->actions())
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions,
                 (QStringList{"打开", "-", "新建类别", "删除", "移至最高", "-", "更改类别属性"}));
    }

    void moveToTopRewritesTheTableInListOrderAndTheDropIndexStaysAPosition() {
        Windows app;
        app.addCategories(5);
        app.state.dropIndex = 2;
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        QCOMPARE(editor->ListBox1->currentRow(), 2);
        emit editor->PopupMenu1->aboutToShow();
        editor->listmove->trigger();
        QStringList order{"类别2", "类别0", "类别1", "类别3", "类别4"};
        QCOMPARE(rows(editor->ListBox1), order);
        QCOMPARE(tableKeys(app), order);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(toQt(categories::folder(app.settings(), gb("类别" + std::to_string(i)), "")),
                     toQt(app.path("cat" + std::to_string(i))));
        QVERIFY(!files::exists(app.state.folders.program + "tuckpadtemp.ini"));
        QCOMPARE(editor->ListBox1->currentRow(), 0);

        app.drop->mshowClick();
        app.drop->mshowClick();
        QCOMPARE(editor->ListBox1->currentRow(), 2);
        QCOMPARE(editor->Edit1->text(), QStringLiteral("类别1"));
    }

    void deleteForgetsTheCategoryAndItsCapturesButNotItsFolder() {
        Windows app;
        app.addCategories(3);
        files::replace(app.path("cat1/kept.txt"), "x");
        std::string working = app.state.folders.categoryWorkingFile(gb("类别1"));
        files::replace(working, "captures");
        app.state.dropIndex = 1;
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        int width = editor->messagePanel->width();
        emit editor->PopupMenu1->aboutToShow();
        editor->listdel->trigger();
        QCOMPARE(rows(editor->ListBox1), (QStringList{"类别0", "类别2"}));
        QCOMPARE(tableKeys(app), rows(editor->ListBox1));
        QVERIFY(!files::exists(working));
        QVERIFY(files::exists(app.path("cat1/kept.txt")));
        // The selection the removal moved on to does not open that category.
        QVERIFY(editor->Edit1->text().isEmpty());
        QVERIFY(editor->Edit2->text().isEmpty());
        QVERIFY(editor->messagePanel->text().isEmpty());
        QCOMPARE(editor->messagePanel->width(), width);
        QCOMPARE(editor->RichEdit2->toPlainText(), QStringLiteral("captures"));
    }
};

QTEST_MAIN(CategoryPageTest)
#include "CategoryPageTest.moc"
