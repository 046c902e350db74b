#include "AppFixture.h"
#include "store/CategoryTable.h"
#include "store/SettingKeys.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QScreen>

using namespace kestrum;

namespace {
int widestItemPlusFive(QListWidget* list) {
    int w = 0;
    QFontMetrics metrics(list->font());
    for (int i = 0; i < list->count(); ++i)
        w = std::max(w, metrics.horizontalAdvance(list->item(i)->text()) + 5);
    return w;
}
} // namespace

class DropWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void theListSizesItselfToThreeAndToTwentyFiveCategories() {
        for (int count : {3, 25}) {
            Windows app;
            app.addCategories(count);
            app.start();
            Drag drag(QStringLiteral("text"));
            QVERIFY(drag.enter(app.drop.get(), {5, 5}));
            QListWidget* list = app.drop->ListBox1;
            QVERIFY(list->isVisible());
            QVERIFY(!app.drop->Image1->isVisible());
            QCOMPARE(list->count(), count);
            int w = widestItemPlusFive(list);
            if (count == 3) {
                QCOMPARE(list->height(), 58);
                QCOMPARE(app.drop->size(), QSize(w + 11, 61));
            } else {
                QCOMPARE(list->height(), 300);
                QCOMPARE(list->width(), w + 40);
            }
            drag.leave(app.drop.get());
            QCOMPARE(app.drop->size(), QSize(37, 34));
        }
    }

    void nearTheRightEdgeTheWindowMovesLeftAndOnlyItsTopReturns() {
        Windows app;
        app.addCategories(3);
        app.start();
        QRect screen = app.drop->screen()->availableGeometry();
        app.drop->move(screen.width() - 20, 100);
        Drag drag(QStringLiteral("text"));
        drag.enter(app.drop.get(), {5, 5});
        int shiftedLeft = app.drop->x();
        QCOMPARE(shiftedLeft, screen.width() - app.drop->width());
        drag.leave(app.drop.get());
        QCOMPARE(app.drop->pos(), QPoint(shiftedLeft, 100));
    }

    void aDragWithoutTextChangesNothing() {
        Windows app;
        app.addCategories(3);
        app.start();
        QPoint before = app.drop->pos();
        Drag files;
        files.data.setUrls({QUrl::fromLocalFile(QStringLiteral("/etc/hosts"))});
        QVERIFY(!files.enter(app.drop.get(), {5, 5}));
        QVERIFY(!app.drop->ListBox1->isVisible());
        QCOMPARE(files.move(app.drop.get(), {5, 5}), Qt::IgnoreAction);
        QCOMPARE(app.drop->pos(), before);
        QCOMPARE(app.drop->size(), QSize(37, 34));
    }

    void thePointerChoosesItemsAndTheEdgesStep() {
        Windows app;
        app.addCategories(3);
        app.start();
        Drag drag(QStringLiteral("text"));
        drag.enter(app.drop.get(), {5, 5});
        auto* drop = app.drop.get();
        drag.move(drop, {1, 30}); // left of the list, far from the bottom: the first
        QCOMPARE(app.state.dropIndex, 0);
        drag.move(drop, {1, 45}); // within 20 pixels of the bottom: the last
        QCOMPARE(app.state.dropIndex, 2);
        drag.move(drop, {10, 20}); // over the second item
        QCOMPARE(app.state.dropIndex, 1);
        QCOMPARE(app.state.captureCategory, gb("类别1"));
        drag.move(drop, {10, 55}); // the bottom edge steps down, then stops
        drag.move(drop, {10, 55});
        QCOMPARE(app.state.dropIndex, 2);
        drag.move(drop, {10, 3}); // the top edge steps up
        QCOMPARE(app.state.dropIndex, 1);
        drag.leave(drop);
    }

    // A source that offers copy and move is told copy, so it keeps its text.
    void aDropLandsInTheChosenCategoryAndTheSourceIsToldCopy() {
        Windows app;
        app.addCategories(3);
        app.start();
        Drag drag(QStringLiteral("Dropped line\nsecond"));
        auto* drop = app.drop.get();
        QVERIFY(drag.enter(drop, {5, 5}));
        QCOMPARE(drag.move(drop, {10, 20}), Qt::CopyAction);
        QCOMPARE(drag.drop(drop, {10, 20}), Qt::CopyAction);
        std::string stored = files::load(app.path("cat1/Droppedline.txt"));
        QCOMPARE(stored, std::string("Dropped line\r\nsecond"));
        QCOMPARE(app.editor->RichEdit2->toPlainText(), QStringLiteral("Dropped line\nsecond"));
        QCOMPARE(app.editor->ListBox1->currentRow(), 1);
        QCOMPARE(app.editor->messagePanel->text(),
                 QStringLiteral("这是类别1保存目录是") + toQt(app.path("cat1")));
        QVERIFY(app.drop->Image1->isVisible());
        QCOMPARE(app.desktop.sounds, 1);
    }

    void theLockAreaSwitchesAutoSaveAndTheRestMovesTheWindow() {
        Windows app;
        app.start();
        auto* image = app.drop->Image1;
        QVERIFY(app.state.autoSave);
        QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(37 - 10, 5));
        QVERIFY(!app.state.autoSave);
        QVERIFY(!app.editor->savetf1->isChecked());
        QVERIFY(!app.settings().readBool(gb("程序参数"), gb("是否自动保存"), true));
        QCOMPARE(image->pixmap().toImage(), app.drop->Image5.toImage());

        QPoint start = app.drop->pos();
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(37 - 11, 5));
        QVERIFY(!app.state.autoSave); // a press outside the lock area switches nothing
        QMouseEvent moveEvent(QEvent::MouseMove, QPointF(30, 25),
                              QPointF(image->mapToGlobal(QPoint(30, 25))), Qt::NoButton,
                              Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(image, &moveEvent);
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(30, 25));
        QCOMPARE(app.drop->pos(), start + QPoint(4, 20));
        QCOMPARE(app.settings().readInteger(gb("程序参数"), gb("窗口左边"), 0), start.x() + 4);
        QCOMPARE(app.settings().readInteger(gb("程序参数"), gb("窗口顶部"), 0), start.y() + 20);
    }

    void theHintChangesAtThirtyAndASavedCaptureHintWins() {
        Windows app;
        app.start();
        auto* image = app.drop->Image1;
        QTest::mouseMove(image, QPoint(29, 5));
        QCOMPARE(image->toolTip(), QStringLiteral("这是文字和软件拖存窗口"));
        QTest::mouseMove(image, QPoint(30, 5));
        QCOMPARE(image->toolTip(), QStringLiteral("这是自动保存的锁定钮"));
        app.drop->setSavedHint(QStringLiteral("已经保存在a\r保存目录是/b"));
        QCOMPARE(image->toolTip(), QStringLiteral("已经保存在a\n保存目录是/b"));
    }

    void pasteIsEnabledOnlyWithClipboardText() {
        Windows app;
        app.start();
        QApplication::clipboard()->clear();
        app.drop->PopupMenu1Popup();
        QVERIFY(!app.drop->mpaste->isEnabled());
        QVERIFY(!app.editor->mpaste21->isEnabled());
        QApplication::clipboard()->setText(QStringLiteral("Pasted words"));
        app.drop->PopupMenu1Popup();
        QVERIFY(app.drop->mpaste->isEnabled());
        QVERIFY(app.editor->mpaste2->isEnabled());
        app.drop->mpasteClick();
        // The first category is the pseudo-category, whose folder is the program folder.
        QCOMPARE(files::load(app.state.folders.program + "Pastedwords.txt"),
                 std::string("Pasted words"));
        QVERIFY(app.desktop.errors.isEmpty());
    }

    void showOrCloseFollowsTheEditorClosedFlag() {
        Windows app;
        app.start();
        QVERIFY(!app.editor->isVisible());
        QCOMPARE(app.drop->mshow->text(), QStringLiteral("打开编辑与设置窗口"));
        app.drop->mshowClick();
        QVERIFY(app.editor->isVisible());
        QVERIFY(!app.state.editorClosed);
        QCOMPARE(app.drop->mshow->text(), QStringLiteral("关闭编辑与设置窗口"));
        app.drop->mshowClick();
        QVERIFY(!app.editor->isVisible());
        QVERIFY(app.state.editorClosed);
    }
};

QTEST_MAIN(DropWindowTest)
#include "DropWindowTest.moc"
