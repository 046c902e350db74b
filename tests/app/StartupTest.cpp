#include "AppFixture.h"
#include "LocalHttpServer.h"
#include "store/DraftFile.h"
#include "store/SettingKeys.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTimer>
#include <filesystem>
#include <poll.h>
#include <sys/xattr.h>

using namespace kestrum;

namespace {

// A dial-up service that answers from the test's script.
struct FakeDialUp : DialUpQuery {
    int count;
    Projection projection;
    FakeDialUp(int c, Projection p) : count(c), projection(std::move(p)) {}
    int activeConnectionCount() override { return count; }
    Projection firstConnectionAddress() override { return projection; }
};

const QString kCaption = QStringLiteral("Kestrum之编辑与设置窗口     (版本号3.3)");

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void theTrayIconHasItsPictureBeforeItIsShown() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("No Icon set")));
        Windows app;
        app.start();
        QVERIFY(app.drop->TrayIcon1);
    }

    void aFirstStartUsesTheDefaultsAndCreatesTheSettingsFile() {
        Windows app;
        app.start();
        QCOMPARE(app.drop->pos(), QPoint(400, 300));
        QVERIFY(app.state.autoSave);
        QVERIFY(app.state.sound);
        QVERIFY(app.editor->savetf1->isChecked());
        QVERIFY(app.state.editorClosed);
        QVERIFY(!app.editor->isVisible());
        QCOMPARE(app.settings().listKeys(gb("类别")), std::vector<std::string>{gb("非分类")});
        QVERIFY(std::filesystem::is_directory(app.state.folders.working()));
    }

    // The editor is built after the drop window's first paint; a request to
    // open it that comes sooner builds it and opens it all the same.
    void theEditorOpensWhenAskedForBeforeItIsBuilt() {
        Windows app;
        app.drop = std::make_unique<TForm1>(app.state, app.desktop);
        app.drop->FormCreate();
        app.drop->startUp(); // no event has been handled: no paint, no editor yet
        app.drop->mshowClick();
        QVERIFY(app.drop->editor().isVisible());
        QVERIFY(!app.state.editorClosed);
    }

    // A run killed while it wrote a file can leave a marked temporary; the
    // next start removes those from every folder it writes, and never a
    // user's file, however much its name looks like one of ours.
    void aStartSweepsTheSiblingsACrashedRunLeft() {
        Windows app;
        app.writeSettings("[类别]\r\nnotes=" + app.path("docs") + "\r\n");
        std::vector<std::string> stale = {
            app.state.folders.program + ".tuckpad.ini.kestrum-tmp-a1B2c3d4e5f6",
            app.state.folders.temporary + ".notestemp.txt.kestrum-tmp-a1B2c3d4e5f6",
            app.path("docs/.capture.txt.kestrum-tmp-a1B2c3d4e5f6")};
        for (const auto& path : stale) {
            files::replace(path, "half");
            if (setxattr(path.c_str(), files::kTemporaryMark, "1", 1, 0) != 0)
                QSKIP("no extended attributes here");
        }
        std::vector<std::string> users = {app.path("docs/.hidden.txt"),
                                          app.path("docs/.notes.kestrum-backup"),
                                          app.path("docs/.my diary.txt.kestrum-2024v1")};
        for (const auto& path : users)
            files::replace(path, "the user's");
        app.start();
        for (const auto& path : stale)
            QVERIFY2(!files::exists(path), path.c_str());
        for (const auto& path : users)
            QVERIFY2(files::exists(path), path.c_str());
    }

    // Told once, when the user first sees the editor window.
    void aNoticeFromStartUpWaitsForTheEditorOnTheScreen() {
        Windows app;
        app.state.pendingNotice = gb("临时文件夹不能用");
        app.start();
        QVERIFY(app.editor->messagePanel->text() != QStringLiteral("临时文件夹不能用"));
        app.drop->mshowClick();
        QCOMPARE(app.editor->messagePanel->text(), QStringLiteral("临时文件夹不能用"));
        app.drop->mshowClick();
        app.drop->mshowClick();
        QVERIFY(app.editor->messagePanel->text() != QStringLiteral("临时文件夹不能用"));
    }

    void storedOptionsAndPositionAreReadBack() {
        Windows app;
        app.writeSettings(
            "[程序参数]\r\n窗口顶部=120\r\n窗口左边=33\r\n是否自动保存=0\r\n是否有声=0\r\n");
        app.start();
        QCOMPARE(app.drop->pos(), QPoint(33, 120));
        QVERIFY(!app.state.autoSave);
        QVERIFY(!app.state.sound);
        QVERIFY(!app.editor->sound1->isChecked());
        QCOMPARE(app.drop->Image1->pixmap().toImage(), app.drop->Image5.toImage());
    }

    void theExitRemovesTheRunsFilesAndStoresTheEditorGeometry() {
        Windows app;
        app.writeSettings("[类别]\r\nnotes=" + app.path("docs") + "\r\n");
        app.start();
        files::replace(app.state.folders.categoryWorkingFile("notes"), "x");
        files::replace(app.state.folders.categoryWorkingFile(gb("非分类")), "x"); // a gone category
        files::replace(app.state.folders.working() + "capture.txt", "x");
        files::replace(app.state.folders.temporary + "keep.txt", "not the run's");
        QSignalSpy finished(app.drop.get(), &TForm1::exitFinished);
        app.drop->mexitClick();
        QCOMPARE(finished.count(), 1);
        QVERIFY(!files::exists(app.state.folders.working()));
        QVERIFY(!files::exists(app.state.folders.categoryWorkingFile("notes")));
        QVERIFY(!files::exists(app.state.folders.categoryWorkingFile(gb("非分类"))));
        QVERIFY(files::exists(app.state.folders.temporary + "keep.txt"));
        auto settings = app.settings();
        QCOMPARE(readSetting(settings, settingKeys().editorWidth), 650);
        QCOMPARE(readSetting(settings, settingKeys().editorHeight), 500);
        QCOMPARE(readSetting(settings, settingKeys().editorTop), 90);
        QCOMPARE(readSetting(settings, settingKeys().editorLeft), 40);
        QVERIFY(app.desktop.errors.isEmpty());
    }

    void aSettingsWriteThatFailsStopsTheExitWithTheError() {
        Windows app;
        app.start();
        std::filesystem::remove_all(files::nativePath(app.state.folders.program));
        QSignalSpy finished(app.drop.get(), &TForm1::exitFinished);
        app.drop->mexitClick();
        QCOMPARE(finished.count(), 0);
        QCOMPARE(app.desktop.errors.size(), 1);
        QVERIFY(app.desktop.errors[0].startsWith(QStringLiteral("Unable to write to ")));
        QVERIFY(app.drop->isVisible());
    }

    void withoutAConnectionNothingIsSent() {
        LocalHttpServer server([](int, const std::string&) {});
        Windows app;
        app.start(std::make_unique<FakeDialUp>(0, DialUpQuery::Projection{}),
                  server.url("/JSCounter.asp"));
        QCOMPARE(app.editor->windowTitle(), kCaption);
        QCOMPARE(server.requests().size(), std::size_t(0));
    }

    void aConnectionSendsOneRequestAndShowsTheAddress() {
        LocalHttpServer server([](int c, const std::string&) {
            LocalHttpServer::send(c, "HTTP/1.0 200 OK\r\n\r\n1234");
        });
        Windows app;
        app.start(std::make_unique<FakeDialUp>(1, DialUpQuery::Projection{0, "10.0.0.7"}),
                  server.url("/JSCounter.asp?ID=25&FMT=C&L=6&Refer="));
        QCOMPARE(app.editor->windowTitle(), kCaption + QStringLiteral("你的IP是:10.0.0.7"));
        QCOMPARE(server.requests().size(), std::size_t(1));
        QVERIFY(server.requests()[0].rfind("GET /JSCounter.asp?ID=25&FMT=C&L=6&Refer= HTTP/1.0\r\n",
                                           0) == 0);
    }

    void withoutACounterAddressNothingIsSentButTheAddressIsShown() {
        Windows app;
        app.start(std::make_unique<FakeDialUp>(1, DialUpQuery::Projection{0, "10.0.0.7"}), "");
        QCOMPARE(app.editor->windowTitle(), kCaption + QStringLiteral("你的IP是:10.0.0.7"));
        QVERIFY(app.desktop.errors.isEmpty());
    }

    void aRefusedRequestShowsItsErrorAndTheProgramGoesOn() {
        int port;
        {
            LocalHttpServer gone([](int, const std::string&) {});
            port = gone.port();
        }
        Windows app;
        app.start(std::make_unique<FakeDialUp>(1, DialUpQuery::Projection{0, "10.0.0.7"}),
                  "http://127.0.0.1:" + std::to_string(port) + "/JSCounter.asp");
        QCOMPARE(app.desktop.errors, QStringList{QStringLiteral("Connection Failed")});
        QCOMPARE(app.editor->windowTitle(), kCaption);
        QVERIFY(app.drop->isVisible());
    }

    // The request waits for a server that never answers; meanwhile a drag
    // over the drop window is handled, then the wait is given up.
    void theWindowsStayResponsiveWhileTheRequestWaits() {
        LocalHttpServer server([](int c, const std::string&) {
            pollfd closed{c, POLLIN, 0};
            ::poll(&closed, 1, 5000);
        });
        Windows app;
        bool listShown = false;
        QTimer::singleShot(200, [&] {
            Drag drag(QStringLiteral("text"));
            drag.enter(app.drop.get(), {5, 5});
            listShown = app.drop->ListBox1->isVisible();
            drag.leave(app.drop.get());
            app.drop->HttpClient1.Cancel();
        });
        app.start(std::make_unique<FakeDialUp>(1, DialUpQuery::Projection{0, "10.0.0.7"}),
                  server.url("/JSCounter.asp"));
        QVERIFY(listShown);
        QCOMPARE(app.desktop.errors, QStringList{QStringLiteral("Socket readln aborted")});
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
