#include "save2.h"

#include "AppTexts.h"
#include "BuildSettings.h"
#include "Desktop.h"
#include "HintDisplay.h"
#include "ProgramFont.h"
#include "ProgramText.h"
#include "TextSpinBox.h"
#include "save1.h"
#include "store/Autostart.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/ProgramState.h"
#include "store/SettingKeys.h"
#include "text/Gb18030.h"
#include "text/Search.h"
#include "window/ScreenPlace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <algorithm>

using namespace kestrum;

namespace {

// What the status bar keeps for the hint panel beside a long message.
constexpr int kHintRoom = 220;
int byteLength(const QString& text) {
    return static_cast<int>(fromQt(text).size());
}

} // namespace

TForm2::TForm2(ProgramState& state, TForm1& dropWindow, Desktop& desktop)
    : state_(state), dropWindow_(dropWindow), desktop_(desktop) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(apptexts::editorCaption());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(programFont(12));
    buildLayout();
    buildMenus();
    hints_ = new HintDisplay(messagePanel, hintPanel, this);
    connectHandlers();
}

TForm2::~TForm2() {
    search_.reset();            // its workers end before the window they report to
    state_.workingFiles.wait(); // and so does the writer's news
    state_.workingFiles.setOutcome({});
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (editorEvent(watched, event))
        return true;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm2::connectHandlers() {
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        if (!pageChangeByProgram_)
            PageControl1Change(page);
    });
    connect(sound1, &QCheckBox::toggled, this,
            [this](bool on) { guarded(desktop_, [&] { sound1Click(on); }); });
    connect(savetf1, &QCheckBox::toggled, this,
            [this](bool on) { guarded(desktop_, [&] { savetf1Click(on); }); });
    connect(utf81, &QCheckBox::clicked, this, [this](bool on) {
        guarded(desktop_, [&] { writeSetting(state_.settings, settingKeys().saveUtf8, on); });
    });
    connect(login1, &QCheckBox::clicked, this, [this](bool on) {
        guarded(desktop_, [&] {
            autostart::set(state_.folders.autostart,
                           fromQt(QCoreApplication::applicationFilePath()), on);
        });
        showAutostartState(); // a refused write leaves the box as the folder is
    });
    connect(Splitter1, &QSplitter::splitterMoved, this,
            [this] { storeSplitter(SplitterId::LeftPanel); });
    connect(Splitter2, &QSplitter::splitterMoved, this,
            [this] { storeSplitter(SplitterId::Viewer); });
    connect(Splitter4, &QSplitter::splitterMoved, this,
            [this] { storeSplitter(SplitterId::CategoryList); });
    connectCategoryHandlers();
    connectFileHandlers();
    connectEditingHandlers();
    connectWorkingFileWriter();
    connectSkinHandlers();
    connectSearchHandlers();
    connect(mhelp, &QAction::triggered, this, [this] { openHelpFile(); });
    connect(mabout, &QAction::triggered, this, [this] { openHelpFile(); });
    connect(memail, &QAction::triggered, this, [this] {
        openOrTell(QUrl(QStringLiteral("mailto:") + QString::fromUtf8(buildsettings::authorEmail) +
                        tr("?subject=Kestrum用户的来信")));
    });
    QAction* homes[] = {mhome1, mhome2, mhome3};
    for (int i = 0; i < 3; ++i)
        connect(homes[i], &QAction::triggered, this,
                [this, i] { openOrTell(QUrl(QString::fromUtf8(buildsettings::homePages[i]))); });
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::hovered, this, [this](QAction* action) {
            QVariant hint = action->property("kestrumHint");
            if (hint.isValid())
                hints_->show(hint.toString());
        });
}

void TForm2::setMessage(const QString& text, bool resize) {
    messagePanel->setText(text);
    messagePanel->setToolTip(text); // whole, where the panel is too narrow for it
    if (resize)
        fitMessagePanel();
}

// Seven pixels per byte of its text, as far as the status bar leaves the
// hint panel room to be read: half of a narrow bar, kHintRoom of a wide one.
void TForm2::fitMessagePanel() {
    int bar = statusBar()->width();
    int most = std::max(bar / 2, bar - kHintRoom);
    messagePanel->setFixedWidth(std::min(7 * byteLength(messagePanel->text()), most));
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitMessagePanel();
}

void TForm2::showWorkingFile(const std::string& category, const std::string& programText) {
    editorCategory_ = category;
    RichEdit2->setPlainText(toQtLines(programText));
    // What the editor shows now is what its working file holds.
    sync_.loaded(true, !holdsMoreThanBlanks(RichEdit2->toPlainText()));
}

void TForm2::setAutoSaveBox(bool checked) {
    savetf1->setChecked(checked);
}
void TForm2::setSoundBox(bool checked) {
    sound1->setChecked(checked);
}

void TForm2::setPasteEnabled(bool enabled) {
    mpaste2->setEnabled(enabled);
    mpaste21->setEnabled(enabled);
}

void TForm2::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        guarded(desktop_, [this] {
            FormShow();
            tellPendingNotice();
        });
}

void TForm2::tellPendingNotice() {
    // The start-up show runs off the screen, where no one would read it.
    if (state_.pendingNotice.empty() || testAttribute(Qt::WA_DontShowOnScreen))
        return;
    setMessage(toQt(state_.pendingNotice), true);
    state_.pendingNotice.clear();
}

void TForm2::closeEvent(QCloseEvent* event) {
    state_.editorClosed = true;
    dropWindow_.setShowCaption(apptexts::openEditor());
    event->accept();
}

void TForm2::FormShow() {
    const auto& keys = settingKeys();
    // The stored values are the client area's (see the exit sequence).
    window::Rect stored{readSetting(state_.settings, keys.editorLeft),
                        readSetting(state_.settings, keys.editorTop),
                        readSetting(state_.settings, keys.editorWidth),
                        readSetting(state_.settings, keys.editorHeight)};
    QScreen* screen = QGuiApplication::screenAt(QPoint(stored.left, stored.top));
    QRect room = (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
    window::Rect place =
        window::keptInside(stored, {room.left(), room.top(), room.width(), room.height()});
    setGeometry(place.left, place.top, place.width, place.height);
    setWindowState(Qt::WindowNoState);
    showTimeFill();
    state_.editorClosed = false;
    dropWindow_.setShowCaption(apptexts::closeEditor());
    {
        QSignalBlocker asStored(SpinEdit1); // showing the stored text is no change to store
        SpinEdit1->setText(toQt(readSetting(state_.settings, keys.charsPerLine)));
    }
    Splitter1->setSizes({readSetting(state_.settings, keys.leftPanelWidth), 10000});
    Splitter2->setSizes({10000, readSetting(state_.settings, keys.viewerHeight)});
    Splitter4->setSizes({readSetting(state_.settings, keys.categoryListHeight), 10000});
    showAutostartState();
    utf81->setChecked(readSetting(state_.settings, keys.saveUtf8));
}

void TForm2::selectPage(Page page) {
    pageChangeByProgram_ = true;
    PageControl1->setCurrentIndex(page);
    pageChangeByProgram_ = false;
}

void TForm2::PageControl1Change(int page) {
    if (page == MergePage)
        setMessage(tr("警告：如果文本合并过多，请耐心等待！"), false);
    else if (page == FilePage)
        setMessage(tr("单击看文件内容。"), false);
    else if (page == CategoryPage)
        setMessage(tr("新建或更改后请按“确认”！"), false);
    setMessage(messagePanel->text(), true);
    if (page == SettingsPage) {
        guarded(desktop_, [this] { fillSkinList(); });
        showAutostartState();
    }
}

void TForm2::showAutostartState() {
    login1->setChecked(autostart::enabled(state_.folders.autostart));
}

void TForm2::sound1Click(bool checked) {
    writeSetting(state_.settings, settingKeys().sound, checked);
}

void TForm2::savetf1Click(bool checked) {
    state_.autoSave = checked;
    dropWindow_.showStatePicture();
    writeSetting(state_.settings, settingKeys().autoSave, checked);
}

void TForm2::storeSplitter(SplitterId which) {
    guarded(desktop_, [&] {
        const auto& keys = settingKeys();
        if (which == SplitterId::LeftPanel)
            writeSetting(state_.settings, keys.leftPanelWidth, Panel2->width());
        else if (which == SplitterId::Viewer)
            writeSetting(state_.settings, keys.viewerHeight, RichEdit4->height());
        else
            writeSetting(state_.settings, keys.categoryListHeight, ListBox1->height());
    });
}

void TForm2::openHelpFile() {
    std::string document = helpDocument(state_.folders, state_.language);
    if (document.empty()) {
        desktop_.showWarning(apptexts::applicationTitle(),
                             tr("找不到帮助文件：程序文件夹里没有 tuckpad.chm，"
                                "使用手册 %1 也不在。")
                                 .arg(toQt(shippedManual(state_.folders, state_.language))));
        return;
    }
    openOrTell(QUrl::fromLocalFile(QString::fromStdString(gb18030::toUtf8(document))));
}

void TForm2::openOrTell(const QUrl& address) {
    if (!desktop_.openUrl(address))
        desktop_.showWarning(apptexts::applicationTitle(),
                             tr("没有可以打开 %1 的程序。\n请安装桌面的打开程序"
                                "（xdg-utils 的 xdg-open）后再试。")
                                 .arg(address.toDisplayString()));
}
