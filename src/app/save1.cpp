#include "save1.h"

#include "AppTexts.h"
#include "CaptureView.h"
#include "Desktop.h"
#include "DropTargetAdapter.h"
#include "HintDisplay.h"
#include "ProgramFont.h"
#include "ProgramText.h"
#include "ScreenPicture.h"
#include "TrayIconAdapter.h"
#include "save2.h"
#include "store/Capture.h"
#include "store/CategoryTable.h"
#include "store/ProgramState.h"
#include "store/RunFiles.h"
#include "store/SettingKeys.h"
#include "window/DropWindowRules.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QWindow>

using namespace kestrum;

namespace {

// Drop-list rows: 16 pixels, one line of text 2 pixels from the left,
// vertically centred, no "&" processing.
class DropListDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), dropwindow::kItemHeight};
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect,
                          selected ? option.palette.highlight() : option.palette.base());
        painter->setPen(selected ? option.palette.highlightedText().color()
                                 : option.palette.text().color());
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data().toString());
    }
};

} // namespace

TForm1::TForm1(ProgramState& state, Desktop& desktop)
    : state_(state), desktop_(desktop),
      windowMove_(dropwindow::platformTellsPositions(fromQt(QGuiApplication::platformName())),
                  QApplication::startDragDistance()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kestrum"));
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setAutoFillBackground(true);
    // The drop window is never the active window; its hints show all the same.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    Image5 = builtInPicture(QStringLiteral("picture-off"), devicePixelRatioF());
    Image6 = builtInPicture(QStringLiteral("picture-on"), devicePixelRatioF());
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(0, 0);
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFrameShape(QFrame::NoFrame);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new DropListDelegate(ListBox1));
    ListBox1->hide();

    buildMenu();

    DropTextTarget1.Dragtypes = {true, true, true};
    DropTextTarget1.GetDataOnEnter = true;
    DropTextTarget1.ShowImage = true;
    DropTextTarget1.OnEnter = [this](TDropTarget&, TShiftState, DropPoint, uint32_t&) {
        guarded(desktop_, [this] { DropTextTarget1Enter(); });
    };
    DropTextTarget1.OnGetDropEffect = [this](TDropTarget&, TShiftState, DropPoint p, uint32_t&) {
        guarded(desktop_, [&] { DropTextTarget1GetDropEffect(p); });
    };
    DropTextTarget1.OnLeave = [this](TDropTarget&) { returnToPicture(); };
    DropTextTarget1.OnDrop = [this](TDropTarget&, TShiftState, DropPoint, uint32_t&) {
        guarded(desktop_, [this] { DropTextTarget1Drop(); });
    };
    adapter_ = new DropTargetAdapter(this, DropTextTarget1);

    // The window manager sends a moved window's place once per step of the
    // pointer; the last one, after a moment without any, is where it stays.
    placeRest_.setSingleShot(true);
    placeRest_.setInterval(300);
    connect(&placeRest_, &QTimer::timeout, this, [this] {
        if (auto place = windowMove_.windowRested({x(), y()}))
            guarded(desktop_, [&] { storeDropPlace(*place); });
    });
}

TForm1::~TForm1() = default;

void TForm1::buildMenu() {
    PopupMenu1 = new QMenu(this);
    mpaste =
        PopupMenu1->addAction(QIcon(QStringLiteral(":/picture-on.png")), tr("文字和下载链接粘贴"));
    mpaste->setObjectName(QStringLiteral("mpaste"));
    PopupMenu1->addSeparator(); // N4
    mshow = PopupMenu1->addAction(apptexts::openEditor());
    mshow->setObjectName(QStringLiteral("mshow"));
    QMenu* skins = PopupMenu1->addMenu(tr("程序换肤"));
    mskin = skins->menuAction();
    mskin->setObjectName(QStringLiteral("mskin"));
    mskin->setVisible(false);
    PopupMenu1->addSeparator(); // N2
    mexit = PopupMenu1->addAction(tr("退出(&X)"));
    mexit->setObjectName(QStringLiteral("mexit"));
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });
    connect(mpaste, &QAction::triggered, this, [this] { mpasteClick(); });
    connect(mshow, &QAction::triggered, this, [this] { mshowClick(); });
    connect(mexit, &QAction::triggered, this, [this] { mexitClick(); });
}

void TForm1::FormCreate() {
    DropTextTarget1.RegisterTarget(adapter_);
    Image1->setPixmap(Image6);
    Image1->resize(shownSize(Image6));
    resize(shownSize(Image6));
    state_.openSettings();
    createWorkingFolder(state_.folders);
    removeStaleSiblings(state_.folders, state_.settings);
    auto listed = categories::names(state_.settings);
    listed.push_back(settingKeys().pseudoCategory);
    markLeftoverWorkingFiles(state_, listed);
}

void TForm1::startUp() {
    show();
}

TForm2& TForm1::editor() {
    if (!editor_)
        startEditor();
    return *editor_;
}

// What start-up leaves until the picture is on the screen: the program's
// icon, the tray icon, the first font lookup and the editor window. The
// editor's show sequence runs as at every show, but off the screen, and the
// window is hidden again at once.
void TForm1::startEditor() {
    QApplication::setWindowIcon(programIcon());
    createTrayIcon();
    ListBox1->setFont(programFont(13));
    editor_ = std::make_unique<TForm2>(state_, *this, desktop_);
    TForm2& started = *editor_;
    started.setAttribute(Qt::WA_DontShowOnScreen, true);
    started.show();
    started.setAutoSaveBox(state_.autoSave);
    started.setSoundBox(state_.sound);
    started.resize(650, started.height());
    started.hide();
    started.setAttribute(Qt::WA_DontShowOnScreen, false);
    state_.editorClosed = true;
    setShowCaption(apptexts::openEditor());
    guarded(desktop_, [this] { showConnectionStatus(); });
}

void TForm1::setConnectionStatusSource(std::unique_ptr<DialUpQuery> dialUp, std::string url) {
    dialUp_ = std::move(dialUp);
    counterUrl_ = std::move(url);
}

// GTK's drag sources keep the shape of every window under the pointer and
// fetch it again only when told that it changed; a window that merely grows
// tells them nothing, so they kept seeing the 37 x 34 picture and left the
// drop list as soon as the pointer passed its edge. An explicit shape of the
// whole window, set anew at every resize, sends them that notice (the window
// manager copies it onto its frame).
void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    setMask(QRegion(rect()));
}

void TForm1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (windowMove_.windowMoved())
        placeRest_.start();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown once at start; a show after a change of window flags is no new start.
    if (!event->spontaneous() && !shown_) {
        shown_ = true;
        guarded(desktop_, [this] { FormShow(); });
    }
}

// What the editor window takes from these settings it takes when it is built.
void TForm1::FormShow() {
    const auto& keys = settingKeys();
    state_.autoSave = readSetting(state_.settings, keys.autoSave);
    showStatePicture();
    state_.sound = readSetting(state_.settings, keys.sound);
    move(readSetting(state_.settings, keys.dropLeft), readSetting(state_.settings, keys.dropTop));
}

// The editor is built once the picture has been painted, so the first thing
// on the screen is not kept waiting for a window nobody sees yet.
void TForm1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (editor_ || editorQueued_)
        return;
    editorQueued_ = true;
    QTimer::singleShot(0, this, [this] { guarded(desktop_, [this] { editor(); }); });
}

void TForm1::showConnectionStatus() {
    if (!dialUp_)
        return;
    // While the request waits the windows go on handling their events.
    HttpClient1.Pump = [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); };
    // A build without a counter host sends nothing but still shows the address.
    auto appended = connectionStatus(*dialUp_, [this] {
        if (!counterUrl_.empty())
            HttpClient1.Get(counterUrl_);
    });
    if (appended)
        editor_->setWindowTitle(editor_->windowTitle() + toQt(*appended));
}

// What can stop the exit comes before anything is removed: the question
// about unsaved text, then the settings write. A failure there leaves the
// program as it was; past it, only deletions and closing remain.
void TForm1::mexitClick() {
    guarded(desktop_, [this] {
        TForm2& editorWindow = editor();
        if (!settleUnsavedTexts(editorWindow))
            return;
        storeEditorPlace(editorWindow);
        try {
            removeRunFiles(state_.folders, editorWindow.categoryNames());
        } catch (const std::exception& failure) {
            showFailure(desktop_, failure); // what stays is only swept files: the exit goes on
        }
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
        show(); // a change of flags hides the window
        try {
            DropTextTarget1.RevokeTarget();
        } catch (const std::exception& failure) {
            showFailure(desktop_, failure); // the exit goes on
        }
        state_.skinFolders.clear();
        TrayIcon1.reset(); // the icon leaves the notification area before the windows close
        exiting_ = true;
        close();
        editorWindow.close();
        emit exitFinished();
    });
}

// False when the user stays. Saving raises on a failure: the exit stops
// there, and what was saved stays saved.
bool TForm1::settleUnsavedTexts(TForm2& editorWindow) {
    if (!editorWindow.flushWorkingFile())
        return false;
    auto pending = state_.unsaved.pending(state_.folders);
    if (pending.empty())
        return true;
    QString names;
    for (const auto& name : pending)
        names += QStringLiteral("\n    ") + toQt(name);
    QString question = tr("以下类别的临时文件中有没有保存过的文字，退出时将被删除：") + names +
                       tr("\n\n要把它们保存到各自的类别目录吗？");
    switch (desktop_.askAboutUnsaved(question)) {
    case Desktop::UnsavedAnswer::Stay:
        return false;
    case Desktop::UnsavedAnswer::Discard:
        return true;
    case Desktop::UnsavedAnswer::Save:
        break;
    }
    for (const auto& name : pending)
        saveIntoCategoryFolder(state_, name);
    editorWindow.refreshFileList();
    return true;
}

// The client area, as the editor restores it: exact whatever the window
// manager's frame and whenever it becomes known.
void TForm1::storeEditorPlace(const TForm2& editorWindow) {
    const auto& keys = settingKeys();
    QRect place = editorWindow.geometry();
    writeSetting(state_.settings, keys.editorWidth, place.width());
    writeSetting(state_.settings, keys.editorHeight, place.height());
    writeSetting(state_.settings, keys.editorTop, place.y());
    writeSetting(state_.settings, keys.editorLeft, place.x());
}

// Closed by the window manager or the session's end: the program ends
// without the exit sequence, so the working files stay for the next start.
void TForm1::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!exiting_)
        emit closedWithoutExit();
}

void TForm1::setShowCaption(const QString& caption) {
    mshow->setText(caption);
}

void TForm1::setDropList(const std::vector<std::string>& names) {
    ListBox1->clear();
    for (const auto& name : names)
        ListBox1->addItem(toQt(name));
}

void TForm1::showStatePicture() {
    const QPixmap& picture = state_.autoSave ? Image6 : Image5;
    Image1->setPixmap(picture);
    Image1->resize(shownSize(picture));
    if (Image1->isVisible() || !ListBox1->isVisible())
        takePictureSize();
}

// The size of the picture shown, keeping the window's place. A plain resize
// lets the window system put a window that changed size at 0, 0 (seen with
// openbox when a skin of another size came in), so the place goes along.
void TForm1::takePictureSize() {
    placeWindow(QRect(pos(), shownSize(Image1->pixmap())));
}

// The size is declared fixed, so a tiling compositor floats the window as
// the small picture or list it is rather than stretching it over the screen.
void TForm1::placeWindow(QRect place) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setGeometry(place);
    setFixedSize(place.size());
}

void TForm1::returnToPicture() {
    windowMove_.interrupted();
    Image1->show();
    ListBox1->hide();
    takePictureSize();
    if (entered_)
        move(x(), state_.savedTop);
    entered_ = false;
}

void TForm1::setSavedHint(const QString& hint) {
    savedHint_ = hint;
    Image1->setToolTip(currentHint());
}

QString TForm1::currentHint() const {
    QString hint = savedHint_.isEmpty() ? windowHint_ : savedHint_;
    return hint.replace('\r', '\n');
}

void TForm1::DropTextTarget1Enter() {
    windowMove_.interrupted();
    entered_ = true;
    state_.savedTop = y();
    ListBox1->show();
    Image1->hide();
    setDropList(editor().categoryNames());
    std::vector<int> widths;
    QFontMetrics metrics(ListBox1->font());
    for (int i = 0; i < ListBox1->count(); ++i)
        widths.push_back(metrics.horizontalAdvance(ListBox1->item(i)->text()));
    QRect screenArea = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    auto g = dropwindow::listGeometry(widths, x(), y(), screenArea.width(), screenArea.height());
    ListBox1->setGeometry(g.listLeft, g.listTop, g.listWidth, g.listHeight);
    placeWindow(QRect(g.windowLeft, g.windowTop, g.windowWidth, g.windowHeight));
}

void TForm1::DropTextTarget1GetDropEffect(DropPoint p) {
    int count = ListBox1->count();
    QModelIndex under = ListBox1->indexAt(QPoint(p.x - ListBox1->x(), p.y));
    int i = dropwindow::dropIndex(under.isValid() ? under.row() : -1, p.y, height(),
                                  ListBox1->currentRow(), count);
    if (i < 0)
        return;
    ListBox1->setCurrentRow(i);
    state_.dropIndex = i;
    auto names = editor().categoryNames();
    if (ListBox1->currentRow() < static_cast<int>(names.size())) {
        state_.captureCategory = names[static_cast<std::size_t>(ListBox1->currentRow())];
        state_.captureFolder =
            categories::folder(state_.settings, state_.captureCategory, state_.folders.documents);
    }
}

void TForm1::DropTextTarget1Drop() {
    CaptureView view(*this, editor(), desktop_);
    captureDrop(state_, DropTextTarget1.DroppedText(), ListBox1->count() == 0, view);
}

void TForm1::mpasteClick() {
    guarded(desktop_, [this] {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        std::optional<std::string> text;
        if (data && data->hasText())
            text = fromQt(data->text());
        CaptureView view(*this, editor(), desktop_);
        capturePaste(state_, editor().categoryNames(), text, view);
    });
}

void TForm1::mshowClick() {
    TForm2& window = editor(); // built first: that sets whether it is closed
    if (state_.editorClosed) {
        window.show();
        window.raise();
        window.activateWindow();
    } else {
        window.close();
    }
}

void TForm1::PopupMenu1Popup() {
    guarded(desktop_, [this] { buildSkinMenu(); });
    const QMimeData* data = QApplication::clipboard()->mimeData();
    bool hasText = data && data->hasText();
    mpaste->setEnabled(hasText);
    editor().setPasteEnabled(hasText);
}

// The editor's box does the switch (flag, picture and setting), so a
// setting that cannot be written is reported once.
void TForm1::switchAutoSave() {
    editor().setAutoSaveBox(!editor().savetf1->isChecked());
    takePictureSize();
}

void TForm1::Image1MouseDown(Qt::MouseButton button, QPoint p, QPoint globalPoint) {
    if (button == Qt::RightButton)
        PopupMenu1->popup(globalPoint);
    else if (button == Qt::LeftButton && !dropwindow::inLockArea(p.x(), width()))
        windowMove_.pressed({globalPoint.x(), globalPoint.y()}, {x(), y()});
    else if (button == Qt::LeftButton)
        switchAutoSave();
}

void TForm1::Image1MouseMove(QPoint p, QPoint globalPoint, Qt::MouseButtons buttons) {
    moveWithPointer(globalPoint, buttons & Qt::LeftButton);
    windowHint_ = toQt(dropwindow::pictureHint(p.x()));
    Image1->setToolTip(currentHint());
    if (editor_)
        editor_->hints().show(currentHint());
}

// The platform's move needs the press still held; it returns false where
// the platform has none (no window manager, the offscreen platform).
void TForm1::moveWithPointer(QPoint globalPoint, bool leftHeld) {
    using Step = dropwindow::WindowMove::Step;
    Step step = windowMove_.pointerMoved({globalPoint.x(), globalPoint.y()}, leftHeld);
    if (step == Step::StartSystemMove && !startSystemMove())
        step = windowMove_.systemMoveRefused();
    if (step == Step::FollowPointer) {
        auto to = windowMove_.following({globalPoint.x(), globalPoint.y()});
        move(to.x, to.y);
    }
}

// Qt's X11 platform may keep a place it was told while the window manager
// took the window in (0, 0 under openbox) and would start the move from
// there, throwing the window off by its whole place; the widget's place is
// the one the window has.
bool TForm1::startSystemMove() {
    QWindow* window = windowHandle();
    if (!window)
        return false;
    if (window->position() != pos())
        window->setPosition(pos());
    return window->startSystemMove();
}

void TForm1::Image1MouseUp(Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    if (auto place = windowMove_.released({x(), y()}))
        storeDropPlace(*place);
}

void TForm1::storeDropPlace(dropwindow::Place place) {
    writeSetting(state_.settings, settingKeys().dropTop, place.y);
    writeSetting(state_.settings, settingKeys().dropLeft, place.x);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Image1)
        return QWidget::eventFilter(watched, event);
    auto mouse = [event] { return static_cast<QMouseEvent*>(event); }; // only for mouse events
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        guarded(desktop_, [&] {
            Image1MouseDown(mouse()->button(), mouse()->position().toPoint(),
                            mouse()->globalPosition().toPoint());
        });
        return true;
    case QEvent::MouseMove:
        Image1MouseMove(mouse()->position().toPoint(), mouse()->globalPosition().toPoint(),
                        mouse()->buttons());
        return true;
    case QEvent::MouseButtonRelease:
        guarded(desktop_, [&] { Image1MouseUp(mouse()->button()); });
        return true;
    case QEvent::MouseButtonDblClick:
        mshowClick();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
