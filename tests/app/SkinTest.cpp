// Skins through the windows: the drop window's menu built once, the
// settings page's list searched anew, and a skin's pictures applied.
#include "AppFixture.h"
#include "TrayIconAdapter.h"

#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>

using namespace kestrum;

namespace {

void skinAt(const Windows& app, const std::string& folder, QSize size = {40, 30}) {
    writeBitmap(app.path(folder + "/1.bmp"), size, Qt::red);
    writeBitmap(app.path(folder + "/2.bmp"), size, Qt::green);
}

QStringList captions(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        out << a->objectName() + "=" + a->text();
    return out;
}

QColor shownColour(TForm1& drop) {
    return drop.Image1->pixmap().toImage().pixelColor(5, 5);
}

} // namespace

class SkinTest : public QObject {
    Q_OBJECT
  private slots:
    void theMenuIsBuiltOnceAndTheListAtEveryVisitOfThePage() {
        Windows app;
        skinAt(app, "program/skins/one");
        skinAt(app, "program/a/b/R&D");
        app.start();
        QVERIFY(!app.drop->mskin->isVisible());
        emit app.drop->PopupMenu1->aboutToShow();
        QMenu* menu = app.drop->mskin->menu();
        QCOMPARE(menu->actions().size(), 2);
        QVERIFY(captions(menu).contains(QStringLiteral("vorl0=one")) ||
                captions(menu).contains(QStringLiteral("vorl1=one")));
        QVERIFY(captions(menu).join(' ').contains(QStringLiteral("=R&&D")));
        QVERIFY(app.drop->mskin->isVisible());
        QCOMPARE(app.state.skins.listKeys(gb("程序皮肤设置")).size(), 2u);

        skinAt(app, "program/later");
        emit app.drop->PopupMenu1->aboutToShow();
        QCOMPARE(menu->actions().size(), 2); // the menu is built once a run
        app.drop->mshowClick();
        app.editor->PageControl1->setCurrentIndex(TForm2::SettingsPage);
        QCOMPARE(app.editor->ListBox3->count(), 3); // the list searches again
    }

    void aSkinTakesThePictureOfTheAutoSaveStateAndTheWindowItsSize() {
        Windows app;
        skinAt(app, "program/skins/big", {60, 50});
        app.start();
        app.drop->mshowClick();
        app.editor->PageControl1->setCurrentIndex(TForm2::SettingsPage);
        QVERIFY(app.state.autoSave);
        app.editor->ListBox3->setCurrentRow(0);
        QCOMPARE(app.drop->size(), QSize(60, 50));
        QCOMPARE(shownColour(*app.drop), QColor(Qt::green));
        app.editor->savetf1->click(); // auto-save off: the skin's first picture
        QCOMPARE(shownColour(*app.drop), QColor(Qt::red));
        QVERIFY(app.desktop.errors.isEmpty());
    }

    void aBadSecondPictureIsReportedAndLeavesTheFirstInPlace() {
        Windows app;
        skinAt(app, "program/skins/broken");
        files::replace(app.path("program/skins/broken/2.bmp"), "not a bitmap");
        skinAt(app, "program/skins/huge", {2000, 40});
        writeBitmap(app.path("program/skins/offonly/1.bmp"), {40, 30}, Qt::blue);
        app.start();
        QSize before = app.drop->size();
        emit app.drop->PopupMenu1->aboutToShow();
        for (QAction* item : app.drop->mskin->menu()->actions())
            item->trigger();
        QCOMPARE(app.desktop.errors,
                 QStringList(2, QStringLiteral("Bitmap image is not valid"))); // broken, huge
        QCOMPARE(app.drop->size(), before); // "offonly" lacks 2.bmp: nothing happens
        QCOMPARE(app.drop->Image5.toImage().pixelColor(5, 5), QColor(Qt::red));
    }

    void theTrayIconCarriesTheProgramsIconAndTooltip() {
        Windows app;
        app.start();
        QSystemTrayIcon& tray = app.drop->TrayIcon1->platformIcon();
        QCOMPARE(tray.toolTip(), QStringLiteral("Orrin软件之Kestrum "));
        QVERIFY(!tray.icon().isNull());
        QVERIFY(tray.icon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(tray.icon().availableSizes().contains(QSize(32, 32)));
        QVERIFY(app.drop->TrayIcon1->icon().Active());
        emit tray.activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(app.editor->isVisible() != app.state.editorClosed);
        bool closed = app.state.editorClosed;
        emit tray.activated(QSystemTrayIcon::DoubleClick);
        QCOMPARE(app.state.editorClosed, !closed);
        app.drop->mexitClick();
        QVERIFY(!app.drop->TrayIcon1);
    }

    // The notification area has the menu and may open it itself; where it
    // only reports the click (a StatusNotifierItem host without menus), the
    // program opens it, but never a second time over an open one.
    void aRightClickOnTheIconOpensTheMenuOnce() {
        Windows app;
        app.start();
        QSystemTrayIcon& tray = app.drop->TrayIcon1->platformIcon();
        QCOMPARE(tray.contextMenu(), app.drop->PopupMenu1);
        int opened = 0;
        connect(app.drop->PopupMenu1, &QMenu::aboutToShow, [&] { ++opened; });
        emit tray.activated(QSystemTrayIcon::Context);
        QCOMPARE(QApplication::activePopupWidget(), app.drop->PopupMenu1);
        emit tray.activated(QSystemTrayIcon::Context);
        QCOMPARE(opened, 1);
        app.drop->PopupMenu1->close();
    }
};

QTEST_MAIN(SkinTest)
#include "SkinTest.moc"
