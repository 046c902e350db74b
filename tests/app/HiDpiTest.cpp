// The drop window on a screen of twice the pixel ratio: its size stays in
// logical pixels, and it shows the pictures drawn at twice the size where
// there are some (its own, a skin's 1@2x.bmp and 2@2x.bmp); a user's skin of
// plain 1.bmp and 2.bmp shows, enlarged, as before.
#include "AppFixture.h"
#include "UserInput.h"

#include <QImage>
#include <QListWidget>
#include <QTabWidget>

using namespace kestrum;

class HiDpiTest : public QObject {
    Q_OBJECT
  private slots:
    void theDropWindowShowsPicturesDrawnForTheScreen() {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        Windows app;
        writeBitmap(app.path("program/skins/a-sharp/1.bmp"), {30, 20}, Qt::red);
        writeBitmap(app.path("program/skins/a-sharp/2.bmp"), {30, 20}, Qt::red);
        writeBitmap(app.path("program/skins/a-sharp/1@2x.bmp"), {60, 40}, Qt::blue);
        writeBitmap(app.path("program/skins/a-sharp/2@2x.bmp"), {60, 40}, Qt::blue);
        writeBitmap(app.path("program/skins/b-plain/1.bmp"), {40, 30}, Qt::green);
        writeBitmap(app.path("program/skins/b-plain/2.bmp"), {40, 30}, Qt::green);
        app.start();
        QPixmap shown = app.drop->Image1->pixmap();
        QCOMPARE(app.drop->size(), QSize(37, 34));
        QCOMPARE(shown.size(), QSize(74, 68));
        QCOMPARE(shown.devicePixelRatio(), 2.0);

        app.drop->mshowClick();
        app.editor->PageControl1->setCurrentIndex(TForm2::SettingsPage);
        auto* skins = app.editor->ListBox3;
        QCOMPARE(skins->count(), 2);
        input::click(skins, 0);
        shown = app.drop->Image1->pixmap();
        QCOMPARE(app.drop->size(), QSize(30, 20));
        QCOMPARE(shown.devicePixelRatio(), 2.0);
        QCOMPARE(shown.toImage().pixelColor(5, 5), QColor(Qt::blue));
        input::click(skins, 1);
        shown = app.drop->Image1->pixmap();
        QCOMPARE(app.drop->size(), QSize(40, 30));
        QCOMPARE(shown.devicePixelRatio(), 1.0);
        QCOMPARE(shown.toImage().pixelColor(5, 5), QColor(Qt::green));
        QVERIFY(app.desktop.errors.isEmpty());
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HiDpiTest.moc"
