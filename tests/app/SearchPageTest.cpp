// The page "全部搜索" through the window: typing searches every category,
// a hit opens its file at its line, and Ctrl+Shift+F opens the page.
#include "AppFixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTextEdit>

using namespace kestrum;

class SearchPageTest : public QObject {
    Q_OBJECT
  private slots:
    void typingFindsTheHitsOfEveryCategoryAndAHitOpensItsLine() {
        Windows app;
        app.addCategories(2);
        files::replace(app.path("cat0/a.txt"), gb("第一行\r\n这里有收集的文字\r\n"));
        files::replace(app.path("cat1/b.txt"), "utf-8 file\n收集在这\n");
        files::replace(app.path("cat1/none.txt"), "nothing\r\n");
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        editor->Edit3->setText(QStringLiteral("收集")); // keyClicks types ASCII only
        QTRY_COMPARE(editor->ListBox4->count(), 2);
        QTRY_VERIFY(editor->messagePanel->text().startsWith(QStringLiteral("找到 2 处，2 个文件")));
        QStringList rows;
        for (int i = 0; i < 2; ++i)
            rows << editor->ListBox4->item(i)->text();
        rows.sort();
        QCOMPARE(rows[0], QStringLiteral("类别0 | a.txt | 2: 这里有【收集】的文字"));
        QCOMPARE(rows[1], QStringLiteral("类别1 | b.txt | 2: 【收集】在这"));

        auto hits = editor->ListBox4->findItems(QStringLiteral("类别0"), Qt::MatchStartsWith);
        emit editor->ListBox4->itemActivated(hits.first());
        QCOMPARE(editor->RichEdit4->textCursor().selectedText(),
                 QStringLiteral("这里有收集的文字"));

        editor->Edit3->setText(QStringLiteral("不在"));
        QTRY_VERIFY(editor->messagePanel->text().startsWith(QStringLiteral("找到 0 处")));
        QCOMPARE(editor->ListBox4->count(), 0);
    }

    void theShortcutOpensThePageWithTheFieldReady() {
        Windows app;
        app.start();
        app.drop->mshowClick();
        app.editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app.editor));
        QTest::keyClick(app.editor, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(app.editor->PageControl1->currentIndex(), int(TForm2::SearchPage));
        QVERIFY(app.editor->Edit3->hasFocus());
    }
};

QTEST_MAIN(SearchPageTest)
#include "SearchPageTest.moc"
