// Runs on a real X server with a window manager (tests/e2e/on_desktop.sh):
// the frame the window manager puts around the editor exists only there.
#include "AppFixture.h"

using namespace kestrum;

class EditorFrameTest : public QObject {
    Q_OBJECT
  private slots:
    void theEditorsPlaceSurvivesCloseShowAndExit() {
        Windows app;
        app.writeSettings("[程序参数]\r\n窗口2左边=40\r\n窗口2顶部=90\r\n"
                          "窗口2宽度=640\r\n窗口2高度=420\r\n");
        app.start();
        auto* editor = app.editor;
        const QRect stored(40, 90, 640, 420);
        for (int show = 0; show < 3; ++show) {
            app.drop->mshowClick();
            QVERIFY(QTest::qWaitForWindowExposed(editor));
            // The frame arrives with the window manager's answer, a moment later.
            QTRY_VERIFY(editor->frameGeometry() != editor->geometry());
            QTRY_COMPARE(editor->geometry(), stored);
            app.drop->mshowClick();
            QTRY_VERIFY(!editor->isVisible());
        }
        app.drop->mshowClick();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        QTRY_VERIFY(editor->frameGeometry() != editor->geometry());
        app.drop->mexitClick();
        IniFile settings = app.settings();
        QCOMPARE(settings.readInteger(gb("程序参数"), gb("窗口2左边"), 0), 40);
        QCOMPARE(settings.readInteger(gb("程序参数"), gb("窗口2顶部"), 0), 90);
        QCOMPARE(settings.readInteger(gb("程序参数"), gb("窗口2宽度"), 0), 640);
        QCOMPARE(settings.readInteger(gb("程序参数"), gb("窗口2高度"), 0), 420);
    }
};

QTEST_MAIN(EditorFrameTest)
#include "EditorFrameTest.moc"
