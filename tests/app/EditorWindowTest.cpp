#include "AppFixture.h"
#include "HintDisplay.h"
#include "PageTabs.h"

#include "TextSpinBox.h"
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

using namespace kestrum;

class EditorWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void withoutSettingsTheEditorOpensWithItsDefaults() {
        Windows app;
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        QCOMPARE(editor->size(), QSize(700, 500));
        QCOMPARE(editor->geometry().topLeft(), QPoint(40, 90));
        // The stored default of 65 is below the panel's minimum, which
        // keeps the pages usable: every page caption shows whole.
        QVERIFY(editor->Panel2->minimumWidth() >= 100);
        QCOMPARE(editor->Panel2->width(), editor->Panel2->minimumWidth());
        auto captions = editor->findChild<PageTabs*>()->findChildren<QToolButton*>();
        QCOMPARE(captions.size(), 5); // the four pages and the search
        for (QToolButton* caption : captions) {
            QVERIFY(caption->isVisible());
            QCOMPARE(caption->width(), caption->sizeHint().width());
            QVERIFY(caption->geometry().right() < editor->Panel2->width());
        }
        QCOMPARE(editor->RichEdit4->height(), 50);
        QCOMPARE(editor->ListBox1->height(), 200);
        QCOMPARE(editor->SpinEdit1->text(), QStringLiteral("32"));
        QCOMPARE(editor->ListBox1->count(), 1);
        QCOMPARE(editor->ListBox1->item(0)->text(), QStringLiteral("非分类"));
        QCOMPARE(app.settings().listKeys(gb("类别")), std::vector<std::string>{gb("非分类")});
        QCOMPARE(editor->PageControl1->currentIndex(), 0);
        QVERIFY(!editor->Edit2->isEnabled());
    }

    // Each caption whole, on every page, at the default size and at the
    // smallest the window allows; the status bar's panels side by side.
    void everyControlIsReadableAtTheDefaultAndTheSmallestSize() {
        Windows app;
        app.addCategories(2);
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        auto tabs = editor->findChild<PageTabs*>()->findChildren<QToolButton*>();
        for (QSize size : {editor->size(), QSize(1, 1)}) {
            editor->resize(size);
            for (QToolButton* caption : tabs) {
                QTest::mouseClick(caption, Qt::LeftButton);
                QCoreApplication::processEvents();
                QWidget* page = editor->PageControl1->currentWidget();
                QVERIFY(page->height() >= 100);
                for (QWidget* control : page->findChildren<QWidget*>()) {
                    bool captioned =
                        qobject_cast<QAbstractButton*>(control) || qobject_cast<QLabel*>(control);
                    QRect shown(control->mapTo(page, QPoint(0, 0)), control->size());
                    if (captioned && control->isVisible())
                        QVERIFY2(control->width() >= control->sizeHint().width() &&
                                     page->rect().contains(shown),
                                 qPrintable(caption->text() + ": " +
                                            control->metaObject()->className()));
                }
            }
            int row = editor->ListBox3->fontMetrics().height();
            QVERIFY(editor->ListBox3->height() >= 3 * row);
            editor->setMessage(QString(80, QChar(u'长')), true);
            QCoreApplication::processEvents();
            QVERIFY(editor->messagePanel->geometry().right() <
                    editor->hintPanel->geometry().left());
            QVERIFY(editor->hintPanel->width() >= editor->statusBar()->width() / 4);
        }
    }

    void splitterPositionsSurviveCloseAndShow() {
        Windows app;
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        int panel = editor->Panel2->minimumWidth() + 20;
        editor->Splitter1->setSizes({panel, 500});
        emit editor->Splitter1->splitterMoved(panel, 1);
        editor->Splitter2->setSizes({200, 90});
        emit editor->Splitter2->splitterMoved(200, 1);
        app.drop->mshowClick();
        editor->resize(900, 700); // a size given and closed with is forgotten
        app.drop->mshowClick();
        QCOMPARE(editor->Panel2->width(), panel);
        QCOMPARE(editor->RichEdit4->height(), 90);
        QCOMPARE(editor->size(), QSize(700, 500));
        QCOMPARE(app.settings().readInteger(gb("程序参数"), gb("滑杆1"), 0), panel);
    }

    // The box keeps the stored text as it stands; the arrows step numbers.
    void theCharsPerLineBoxKeepsItsTextAsStored() {
        Windows app;
        app.writeSettings("[程序参数]\r\n每行字数=abc\r\n");
        app.start();
        app.drop->mshowClick();
        QCOMPARE(app.editor->SpinEdit1->text(), QStringLiteral("abc"));
        app.editor->SpinEdit1->setText(QStringLiteral("7"));
        app.editor->SpinEdit1->stepBy(-10);
        QCOMPARE(app.editor->SpinEdit1->text(), QStringLiteral("-3"));
    }

    void eachClickOnSoundStoresTheStateAfterIt() {
        Windows app;
        app.start();
        app.drop->mshowClick();
        auto* sound = app.editor->sound1;
        QVERIFY(sound->isChecked());
        sound->click();
        QVERIFY(!app.settings().readBool(gb("程序参数"), gb("是否有声"), true));
        sound->click();
        QVERIFY(app.settings().readBool(gb("程序参数"), gb("是否有声"), false));
    }

    // The box follows the autostart folder, the user's own edits included.
    void theLoginBoxWritesAndRemovesTheAutostartEntry() {
        Windows app;
        std::string entry = app.path("config/autostart/org.kestrum.Kestrum.desktop");
        app.start();
        app.drop->mshowClick();
        auto* box = app.editor->login1;
        QVERIFY(!box->isChecked());
        box->click();
        QVERIFY(
            files::load(entry).find("Exec=" + fromQt(QCoreApplication::applicationFilePath())) !=
            std::string::npos);
        box->click();
        QVERIFY(!files::exists(entry));
        files::replace(entry, "[Desktop Entry]\nExec=kestrum\n"); // made by hand
        app.editor->PageControl1->setCurrentIndex(TForm2::SettingsPage);
        QVERIFY(box->isChecked());
        QVERIFY(app.desktop.errors.isEmpty());
    }

    void autoSaveBoxSwitchesTheDropPicture() {
        Windows app;
        app.start();
        app.editor->savetf1->click();
        QVERIFY(!app.state.autoSave);
        QCOMPARE(app.drop->Image1->pixmap().toImage(), app.drop->Image5.toImage());
    }

    void hintsSplitAtTheBar() {
        QCOMPARE(HintDisplay::shortPart(QStringLiteral("类别、目录改变|点击此处更改")),
                 QStringLiteral("类别、目录改变"));
        Windows app;
        app.start();
        app.drop->mshowClick();
        auto* button = app.editor->Button1;
        QCOMPARE(button->toolTip(), QStringLiteral("类别、目录改变"));
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(button, &enter);
        QCOMPARE(app.editor->hintPanel->text(),
                 QStringLiteral("点击此处更改类别目录并自动添加新类别或对应目录。"));
        QCoreApplication::sendEvent(app.editor->RichEdit2, &enter);
        QCOMPARE(app.editor->RichEdit2->toolTip(), QString());
        QCOMPARE(app.editor->hintPanel->text(),
                 QStringLiteral("按右键可以编辑、保存内容、整理文件、调整界面等。"));
    }

    void changingThePageShowsItsMessage() {
        Windows app;
        app.start();
        app.drop->mshowClick();
        auto* editor = app.editor;
        editor->PageControl1->setCurrentIndex(2);
        QCOMPARE(editor->messagePanel->text(),
                 QStringLiteral("警告：如果文本合并过多，请耐心等待！"));
        QCOMPARE(editor->messagePanel->width(), 7 * 36);
        editor->PageControl1->setCurrentIndex(1);
        QCOMPARE(editor->messagePanel->text(), QStringLiteral("新建或更改后请按“确认”！"));
        editor->PageControl1->setCurrentIndex(3);
        QCOMPARE(editor->messagePanel->text(), QStringLiteral("新建或更改后请按“确认”！"));
        editor->PageControl1->setCurrentIndex(0);
        QCOMPARE(editor->messagePanel->text(), QStringLiteral("单击看文件内容。"));
    }

    void aMissingCategoryFolderIsReportedAndOfferedForChange() {
        Windows app;
        app.writeSettings("[类别]\r\ngone=" + app.path("no-such-folder") + "\r\n");
        app.start();
        QCOMPARE(app.desktop.warnings,
                 QStringList{QStringLiteral("错误|此类别的目录已经被取消，请重新确定。")});
        QCOMPARE(app.editor->PageControl1->currentIndex(), 1);
        QCOMPARE(app.editor->Label1->text(), QStringLiteral("更改类别："));
        QCOMPARE(app.editor->messagePanel->text(),
                 QStringLiteral("请输入新名或新目录后按“确认”。"));
    }

    void theFileListShowsTheCategorysTextFilesAndADropIndexPastTheEndSelectsTheLast() {
        Windows app;
        app.writeSettings("[类别]\r\na=" + app.path("a") + "\r\nb=" + app.path("b") + "\r\n");
        QDir().mkpath(QString::fromStdString(app.path("a")));
        QDir().mkpath(QString::fromStdString(app.path("b")));
        files::replace(app.path("b/note.txt"), "x");
        files::replace(app.path("b/.hidden.txt"), "x");
        app.state.dropIndex = 7;
        app.start();
        QCOMPARE(app.editor->ListBox1->currentRow(), 1);
        QCOMPARE(app.editor->FileListBox1->count(), 1);
        QCOMPARE(app.editor->FileListBox1->item(0)->text(), QStringLiteral("note.txt"));
    }

    void theHelpMenuHandsItsAddressesToTheShell() {
        Windows app;
        files::replace(app.path("share/manual/tuckpad.html"), "<html></html>");
        app.start();
        auto programFiles = QDir(toQt(app.state.folders.program)).entryList(QDir::Files);
        app.editor->mhelp->trigger();
        app.editor->memail->trigger();
        app.editor->mhome2->trigger();
        QCOMPARE(app.desktop.urls.size(), 3);
        QCOMPARE(app.desktop.urls[0].toLocalFile(), toQt(app.path("share/manual/tuckpad.html")));
        QCOMPARE(QDir(toQt(app.state.folders.program)).entryList(QDir::Files), programFiles);
        QVERIFY(app.desktop.urls[1].toString().startsWith(QStringLiteral("mailto:")));
        QVERIFY(
            app.desktop.urls[1].toString().contains(QStringLiteral("subject=Kestrum用户的来信")));
        QVERIFY(app.desktop.urls[2].scheme().startsWith(QStringLiteral("http")));
        QVERIFY(app.desktop.warnings.isEmpty());
    }

    // With no program for an address, or no manual, the user hears why.
    void helpThatCannotOpenSaysWhy() {
        Windows app;
        app.start();
        app.editor->mhelp->trigger();
        QCOMPARE(app.desktop.warnings.size(), 1);
        QVERIFY(app.desktop.warnings[0].contains(QStringLiteral("tuckpad.chm")));
        QVERIFY(app.desktop.urls.isEmpty());
        files::replace(app.state.folders.program + "tuckpad.chm", "chm");
        app.desktop.opens = false;
        app.editor->mabout->trigger();
        app.editor->mhome1->trigger();
        QCOMPARE(app.desktop.urls.size(), 2);
        QCOMPARE(app.desktop.warnings.size(), 3);
        QVERIFY(app.desktop.warnings[1].contains(QStringLiteral("tuckpad.chm")));
        QVERIFY(app.desktop.warnings[2].contains(app.desktop.urls[1].toDisplayString()));
        QVERIFY(app.desktop.warnings[2].contains(QStringLiteral("xdg-open")));
    }
};

QTEST_MAIN(EditorWindowTest)
#include "EditorWindowTest.moc"
