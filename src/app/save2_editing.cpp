// The editor's commands: one table row per action, the working file that
// follows the editor, the move into another category, reflow and the two
// conversions.
#include "save2.h"

#include "BusyCursor.h"
#include "Desktop.h"
#include "FileViewer.h"
#include "HintDisplay.h"
#include "ProgramText.h"
#include "TextSpinBox.h"
#include "base/Errors.h"
#include "save1.h"
#include "store/Capture.h"
#include "store/FileStore.h"
#include "store/Folders.h"
#include "store/ProgramState.h"
#include "store/SettingKeys.h"
#include "store/TextMove.h"
#include "text/CVCode.h"
#include "text/CaptureNames.h"
#include "text/ChineseScript.h"
#include "text/Reflow.h"
#include "text/TextLines.h"
#include "window/CommandStates.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <optional>

using namespace kestrum;

struct TForm2::CommandRow {
    QAction* TForm2::*action;
    const char* name;
    const char* caption;
    const char* shortcut; // empty for none
    const char* hint;     // "short|long", or empty
    void (TForm2::*handler)();
    StateGroup group;
    TForm2::Place place;
    bool separatorAfter;
};

// Every editing command, in the order each place shows them.
const std::vector<TForm2::CommandRow>& TForm2::commandTable() {
    using P = Place;
    using G = StateGroup;
    static const std::vector<CommandRow> rows{
        {&TForm2::msave, "msave", QT_TR_NOOP("保存(&S)"), "Ctrl+S", "", &TForm2::msaveClick,
         G::Text, P::EditorMenu, true},
        {&TForm2::mfile, "mfile", QT_TR_NOOP("段落重排(&Q)"), "Ctrl+Q",
         QT_TR_NOOP("把内容整理成每行30字数"), &TForm2::mfileClick, G::Text, P::EditorMenu, false},
        {&TForm2::mfont, "mfont", QT_TR_NOOP("字体设置"), "", "", &TForm2::mfontClick, G::None,
         P::EditorMenu, false},
        {&TForm2::N4, "N4", QT_TR_NOOP("撤消"), "Ctrl+Z", "", &TForm2::N4Click, G::None,
         P::EditorMenu, false},
        {&TForm2::mcopy, "mcopy", QT_TR_NOOP("复制(&C)"), "Ctrl+C", "", &TForm2::mcopyClick,
         G::Selection, P::EditorMenu, false},
        {&TForm2::mpaste2, "mpaste2", QT_TR_NOOP("粘贴(&P)"), "Ctrl+V", "", &TForm2::mpaste2Click,
         G::Paste, P::EditorMenu, false},
        {&TForm2::mcut, "mcut", QT_TR_NOOP("剪切(&T)"), "Ctrl+X", "", &TForm2::mcutClick,
         G::Selection, P::EditorMenu, false},
        {&TForm2::mall, "mall", QT_TR_NOOP("全选(&L)"), "Ctrl+A", "", &TForm2::mallClick, G::Text,
         P::EditorMenu, true},
        {&TForm2::mallclear, "mallclear", QT_TR_NOOP("全部清除(&D)"), "Ctrl+Del", "",
         &TForm2::mallclearClick, G::Text, P::EditorMenu, false},
        {&TForm2::mcopyclear, "mcopyclear", QT_TR_NOOP("清除剪贴板内容"), "", "",
         &TForm2::mcopyclearClick, G::ClearClipboard, P::EditorMenu, false},
        {&TForm2::msave1, "msave1", QT_TR_NOOP("保存"), "", QT_TR_NOOP("保存内容"),
         &TForm2::msaveClick, G::Text, P::ToolBar, false},
        {&TForm2::BIG5GB, "BIG5GB", QT_TR_NOOP("内码转换"), "", "BIG5->GB", &TForm2::BIG5GBClick,
         G::None, P::ToolBar, false},
        {&TForm2::GBBIG5, "GBBIG5", QT_TR_NOOP("简→繁"), "", "GB->BIG5", &TForm2::GBBIG5Click,
         G::None, P::ToolBar, false},
        {&TForm2::mfile1, "mfile1", QT_TR_NOOP("重排"), "",
         QT_TR_NOOP("段落重排|自行设置请先在右边填写每行字数。"), &TForm2::mfileClick, G::Text,
         P::ToolBar, false},
        {&TForm2::mcut1, "mcut1", QT_TR_NOOP("剪切"), "", QT_TR_NOOP("剪切"), &TForm2::mcutClick,
         G::Selection, P::ToolBar, false},
        {&TForm2::mcopy1, "mcopy1", QT_TR_NOOP("复制"), "", QT_TR_NOOP("复制"), &TForm2::mcopyClick,
         G::Selection, P::ToolBar, false},
        {&TForm2::mpaste21, "mpaste21", QT_TR_NOOP("粘贴"), "", QT_TR_NOOP("粘贴"),
         &TForm2::mpaste2Click, G::Paste, P::ToolBar, false},
        {&TForm2::ToolButton3, "ToolButton3", QT_TR_NOOP("撤消"), "", QT_TR_NOOP("撤消"),
         &TForm2::N4Click, G::None, P::ToolBar, false},
        {&TForm2::N22, "N22", QT_TR_NOOP("保存"), "", "", &TForm2::msaveClick, G::None, P::EditMenu,
         true},
        {&TForm2::GBBIG51, "GBBIG51", "GB->BIG5", "", "", &TForm2::GBBIG5Click, G::None,
         P::EditMenu, false},
        {&TForm2::BIG5GB1, "BIG5GB1", "BIG5->GB", "", "", &TForm2::BIG5GBClick, G::None,
         P::EditMenu, false},
        {&TForm2::mtraditional, "mtraditional", QT_TR_NOOP("转为繁体字"), "", "",
         &TForm2::mtraditionalClick, G::None, P::EditMenu, false},
        {&TForm2::msimplified, "msimplified", QT_TR_NOOP("转为简体字"), "", "",
         &TForm2::msimplifiedClick, G::None, P::EditMenu, true},
        {&TForm2::N25, "N25", QT_TR_NOOP("段落重排 "), "", "", &TForm2::mfileClick, G::None,
         P::EditMenu, false},
        {&TForm2::m2copy, "m2copy", QT_TR_NOOP("复制"), "", "", &TForm2::m2copyClick, G::None,
         P::ViewerMenu, true},
        {&TForm2::m2clear, "m2clear", QT_TR_NOOP("全部清除"), "", "", &TForm2::m2clearClick,
         G::None, P::ViewerMenu, true},
        {&TForm2::m2clear, "m2clear", QT_TR_NOOP("全部清除"), "", "", &TForm2::m2clearClick,
         G::None, P::ViewerMenu, true},
        {&TForm2::N16, "N16", QT_TR_NOOP("字体设置"), "", "", &TForm2::N16Click, G::None,
         P::ViewerMenu, false},
        {&TForm2::m2all, "m2all", QT_TR_NOOP("全选"), "", "", &TForm2::m2allClick, G::None,
         P::ViewerMenu, false},
    };
    return rows;
}

void TForm2::addCommands(Place place, QWidget* container) {
    auto* menu = qobject_cast<QMenu*>(container);
    for (const auto& row : commandTable()) {
        if (row.place != place)
            continue;
        auto* action = new QAction(tr(row.caption), container);
        action->setObjectName(QString::fromUtf8(row.name));
        if (*row.shortcut) {
            action->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
            // The shortcuts belong to the editor's menu: they act while the
            // editor has the keyboard.
            action->setShortcutContext(Qt::WidgetShortcut);
            RichEdit2->addAction(action);
        }
        if (*row.hint)
            HintDisplay::setHint(action, tr(row.hint));
        auto handler = row.handler;
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded(desktop_, [&] { (this->*handler)(); }); });
        container->addAction(action);
        if (menu && row.separatorAfter)
            menu->addSeparator();
        this->*row.action = action;
    }
}

void TForm2::connectEditingHandlers() {
    mcopyclear->setEnabled(false);
    RichEdit2->installEventFilter(this);
    RichEdit2->viewport()->installEventFilter(this);
    connect(RichEdit2->document(), &QTextDocument::contentsChanged, this,
            [this] { sync_.edited(); });
    RichEdit2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit2, &QWidget::customContextMenuRequested, PopupMenu2,
            [this](QPoint at) { PopupMenu2->popup(RichEdit2->viewport()->mapToGlobal(at)); });
    connect(PopupMenu2, &QMenu::aboutToShow, this, [this] { PopupMenu2Popup(); });
    RichEdit4->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit4, &QWidget::customContextMenuRequested, PopupMenu3,
            [this](QPoint at) { PopupMenu3->popup(RichEdit4->viewport()->mapToGlobal(at)); });
    connect(SpinEdit1, &TextSpinBox::textChanged, this, [this](const QString& text) {
        guarded(desktop_,
                [&] { writeSetting(state_.settings, settingKeys().charsPerLine, fromQt(text)); });
    });
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { refreshCommandStates(); });
    Timer1->start();
    fontChoice_ = QFont(QStringLiteral("MS Sans Serif"), 8);
}

std::string TForm2::editorText() const {
    return fromQtLines(RichEdit2->toPlainText());
}

std::string TForm2::selectedEditorText() const {
    return fromQtLines(RichEdit2->textCursor().selectedText());
}

void TForm2::refreshCommandStates() {
    bool hasText = holdsMoreThanBlanks(RichEdit2->toPlainText());
    bool hasSelection = holdsMoreThanBlanks(RichEdit2->textCursor().selectedText());
    bool clipboardHasText = desktop_.clipboardText().has_value();
    // Stand-ins with the same blankness: the table only asks that.
    EditorFacts facts{hasText ? "x" : "", hasSelection ? "x" : "", clipboardHasText};
    const auto& rows = commandTable();
    std::vector<StateGroup> groups;
    for (const auto& row : rows)
        groups.push_back(row.group);
    auto states = kestrum::refreshCommandStates(groups, facts);
    for (std::size_t i = 0; i < states.size(); ++i)
        if (states[i] != Enable::Keep)
            (this->*rows[i].action)->setEnabled(states[i] == Enable::On);
    dropWindow_.mpaste->setEnabled(clipboardHasText);
}

// Key releases and mouse buttons in the editor take its text to the
// working file; the editor's menu shortcuts win over its own keys.
bool TForm2::editorEvent(QObject* watched, QEvent* event) {
    if (watched == RichEdit2 && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        QKeySequence pressed(key->keyCombination());
        for (QAction* action : RichEdit2->actions())
            if (action->shortcut() == pressed)
                return true; // not accepted: the shortcut runs
    }
    if (watched == RichEdit2 && event->type() == QEvent::KeyRelease)
        syncWorkingFile(WorkingFileSync::Event::KeyRelease);
    if (watched == RichEdit2->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        syncWorkingFile(WorkingFileSync::Event::MouseButton);
    return false;
}

void TForm2::syncWorkingFile(WorkingFileSync::Event event) {
    QString text; // the document's own text, taken at most once: a copy costs milliseconds
    auto action = sync_.after(event, [&] {
        text = RichEdit2->document()->toRawText();
        return !holdsMoreThanBlanks(text);
    });
    applyToWorkingFile(action, text);
}

// Only an edit that has not reached the disk is written; what the last key
// or click left there stays as it is.
bool TForm2::flushWorkingFile() {
    writeFailureShown_ = false; // whoever waits on this says why it stops
    if (sync_.editedSinceWritten())
        syncWorkingFile(WorkingFileSync::Event::KeyRelease);
    return state_.workingFiles.wait();
}

// On the writer's thread: the news goes to the window's, where a failure
// is said once until a write succeeds again, and the text, which stays in
// the editor, is written again at the next key.
void TForm2::connectWorkingFileWriter() {
    state_.workingFiles.setOutcome(
        [this](const std::string&, const std::optional<std::string>& failure) {
            QMetaObject::invokeMethod(this, [this, failure] {
                if (!failure) {
                    writeFailureShown_ = false;
                    return;
                }
                sync_.edited();
                if (!std::exchange(writeFailureShown_, true))
                    showFailure(desktop_, KestrumError(*failure));
            });
        });
}

void TForm2::writeWorkingFile() {
    applyToWorkingFile(WorkingFileSync::Action::Write);
}

// The text goes only to the working file the editor was filled from, by
// the writer's thread: the window only hands over its text. Nothing goes
// anywhere while the editor belongs to no category, and the user is told.
void TForm2::applyToWorkingFile(WorkingFileSync::Action action, QString text) {
    if (action == WorkingFileSync::Action::None)
        return;
    if (!editorCategory_) {
        setMessage(tr("没有选中的类别：编辑的内容没有写入类别的临时文件。"), true);
        return;
    }
    std::string path = state_.folders.categoryWorkingFile(*editorCategory_);
    if (action == WorkingFileSync::Action::Delete) {
        state_.workingFiles.remove(path);
    } else {
        if (text.isNull())
            text = RichEdit2->document()->toRawText();
        // Its paragraph breaks become CR LF on the writer's thread.
        state_.workingFiles.write(path, [text] { return fromQtLines(text); });
    }
    sync_.done(action);
    if (action == WorkingFileSync::Action::Delete)
        state_.unsaved.saved(*editorCategory_);
    else
        state_.unsaved.changed(*editorCategory_);
}

void TForm2::msaveClick() {
    std::string text = editorText();
    if (text.empty())
        return;
    std::string selection = selectedEditorText();
    std::string name = selection.empty() ? names::firstLineName(text) : selection;
    QString target =
        desktop_.chooseFileToSave(toQt(withSlash(selectedFolder()) + name),
                                  tr("文本文件 (*.TXT *.txt);;网页(*.htm)"), QStringLiteral("TXT"));
    if (!target.isEmpty()) {
        files::replace(files::programPath(target.toStdString()),
                       categoryFileBytes(state_.settings, text));
        if (editorCategory_)
            state_.unsaved.saved(*editorCategory_); // the whole text is in that file
    }
    FileListBox1->refresh();
}

void TForm2::mfileClick() {
    int width = reflow::widthFor(fromQt(SpinEdit1->text())); // raises for a bad number
    BusyCursor busy;
    RichEdit2->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The run grows at every cut; repainting it each time would cost more
    // than the reflow itself, so the panel is repainted at most every 50 ms.
    QElapsedTimer sinceRepaint;
    reflow::Progress progress;
    progress.panelWidth = hints_->hintPanelWidthSetting();
    progress.show = [&](const std::string& run) {
        if (sinceRepaint.isValid() && sinceRepaint.elapsed() < 50)
            return;
        hintPanel->setText(toQt(run));
        hintPanel->repaint();
        sinceRepaint.restart();
    };
    std::string result = reflow::run(editorText(), width, &progress);
    hintPanel->setText(toQt(progress.hint));
    QTextCursor all(RichEdit2->document());
    all.select(QTextCursor::Document);
    all.insertText(toQtLines(result));
    RichEdit2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void TForm2::chooseFontFor(QWidget* widget) {
    if (auto font = desktop_.chooseFont(fontChoice_)) {
        fontChoice_ = *font;
        widget->setFont(*font);
    }
}

void TForm2::mfontClick() {
    chooseFontFor(RichEdit2);
}

void TForm2::N16Click() {
    chooseFontFor(RichEdit4);
}

void TForm2::N4Click() {
    // An undo that puts text back leaves it selected, so the cut that
    // follows takes it to the clipboard; an undo that only removes text
    // leaves nothing selected. An undo that refills an emptied editor (after
    // "全部清除") brings the text back and cuts nothing: otherwise no undo
    // could ever return it.
    bool wasEmpty = RichEdit2->document()->isEmpty();
    std::optional<std::pair<int, int>> restored;
    auto watch = connect(RichEdit2->document(), &QTextDocument::contentsChange, this,
                         [&](int at, int, int added) {
                             if (added > 0)
                                 restored = {at, at + added};
                         });
    RichEdit2->undo();
    disconnect(watch);
    if (restored) {
        QTextCursor cursor = RichEdit2->textCursor();
        cursor.setPosition(restored->first);
        cursor.setPosition(restored->second, QTextCursor::KeepAnchor);
        RichEdit2->setTextCursor(cursor);
    }
    if (wasEmpty && restored)
        writeWorkingFile();
    else
        mcutClick();
}

void TForm2::copyToClipboard(const QTextCursor& cursor) {
    if (cursor.hasSelection())
        desktop_.setClipboardText(withLineFeeds(cursor.selectedText()));
}

void TForm2::mcopyClick() {
    copyToClipboard(RichEdit2->textCursor());
}

void TForm2::mcutClick() {
    mcopyClick();
    RichEdit2->textCursor().removeSelectedText();
    writeWorkingFile();
}

void TForm2::mpaste2Click() {
    auto text = desktop_.clipboardText();
    if (!text)
        return;
    RichEdit2->insertPlainText(*text);
    if (!RichEdit2->document()->isEmpty())
        writeWorkingFile();
}

void TForm2::mallClick() {
    RichEdit2->selectAll();
}

void TForm2::mallclearClick() {
    // An edit of its own rather than clear(), which would also forget the
    // undo history: the editor's undo brings the text back.
    QTextCursor all(RichEdit2->document());
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    writeWorkingFile();
}

void TForm2::mcopyclearClick() {
    desktop_.clearClipboard();
    mcopyclear->setEnabled(false);
}

// The conversions keep every byte's place: a selection is converted where
// it stands and the rest of the text is left as it was.
void TForm2::convertSelectionOrAll(const std::function<QString(const QString&)>& convert) {
    QTextCursor cursor = RichEdit2->textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::Document);
    cursor.insertText(convert(withLineFeeds(cursor.selectedText())));
    state_.workingFiles.wait();
    if (editorCategory_ && files::exists(state_.folders.categoryWorkingFile(*editorCategory_)))
        writeWorkingFile();
}

namespace {

// The byte conversions work on the program's GB text, as the files they are
// for hold it.
std::function<QString(const QString&)> inProgramText(std::string (*convert)(std::string_view)) {
    return [convert](const QString& text) { return toQtLines(convert(fromQtLines(text))); };
}

std::function<QString(const QString&)> inScript(script::Target target) {
    return [target](const QString& text) {
        return QString::fromStdString(script::convert(text.toStdString(), target));
    };
}

} // namespace

void TForm2::GBBIG5Click() {
    convertSelectionOrAll(inProgramText(&cvcode::ConvertGbToBig5));
}

void TForm2::BIG5GBClick() {
    convertSelectionOrAll(inProgramText(&cvcode::ConvertBig5ToGb));
}

void TForm2::mtraditionalClick() {
    convertSelectionOrAll(inScript(script::Target::Traditional));
}

void TForm2::msimplifiedClick() {
    convertSelectionOrAll(inScript(script::Target::Simplified));
}

void TForm2::m2copyClick() {
    copyToClipboard(RichEdit4->textCursor());
}

void TForm2::m2clearClick() {
    clearViewer(RichEdit4);
}

void TForm2::m2allClick() {
    RichEdit4->selectAll();
}

void TForm2::PopupMenu2Popup() {
    textmove->clear();
    textmove->menuAction()->setVisible(false);
    auto names = categoryNames();
    if (!holdsMoreThanBlanks(RichEdit2->toPlainText()) || names.size() < 2) {
        refreshCommandStates();
        return;
    }
    textmove->menuAction()->setVisible(true);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == editorCategory_)
            continue;
        QAction* item = textmove->addAction(toQt(names[i]));
        item->setObjectName(QStringLiteral("vromove%1").arg(i));
        QString target = toQt(names[i]);
        connect(item, &QAction::triggered, this,
                [this, target] { guarded(desktop_, [&] { moveTo(target); }); });
    }
    refreshCommandStates();
}

void TForm2::moveTo(const QString& target) {
    std::string name = fromQt(target);
    std::string moved = textToMove(editorText(), selectedEditorText());
    std::string content = moveText(state_, name, moved);
    auto names = categoryNames();
    auto at = std::find(names.begin(), names.end(), name);
    if (at != names.end())
        selectCategory(static_cast<int>(at - names.begin()));
    loadWorkingFile(name);
    if (!content.empty() && state_.autoSave)
        autoSaveMoved(state_, name, content); // raises when every numbered name is taken
}
