// The editor window's category list and category page: filling the list at
// every show, and the operations of its context menu, its main menu and
// the confirm button.
#include "save2.h"

#include "Desktop.h"
#include "ListSelection.h"
#include "ProgramText.h"
#include "save1.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/ProgramState.h"
#include "store/SettingKeys.h"
#include "window/CategoryMenu.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <algorithm>

using namespace kestrum;

namespace {
const char* const kChangeHint = QT_TRANSLATE_NOOP("TForm2", "请输入新名或新目录后按“确认”。");
}

void TForm2::connectCategoryHandlers() {
    auto on = [this](QAction* action, void (TForm2::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded(desktop_, [&] { (this->*handler)(); }); });
    };
    // The user's pick, by mouse or keyboard; a row that only became current
    // (focus arriving, a neighbour taken out) opens nothing.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
        if (highlightedItem(ListBox1))
            guarded(desktop_, [&] { ListBox1Open(); });
    });
    for (QAction* open : {mleiopen, N10})
        on(open, &TForm2::ListBox1Open);
    for (QAction* create : {mlei, N18})
        on(create, &TForm2::mleiClick);
    for (QAction* change : {mleioption, N19})
        on(change, &TForm2::mleioptionClick);
    on(listdel, &TForm2::listdelClick);
    on(listmove, &TForm2::listmoveClick);
    connect(Button1, &QPushButton::clicked, this,
            [this] { guarded(desktop_, [&] { Button1Click(); }); });
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });
}

std::vector<std::string> TForm2::categoryNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < ListBox1->count(); ++i)
        names.push_back(fromQt(ListBox1->item(i)->text()));
    return names;
}

void TForm2::selectCategory(int index) {
    // A selection an operation makes does not open the category.
    QSignalBlocker quiet(ListBox1);
    ListBox1->setCurrentRow(index);
}

std::string TForm2::selectedFolder() const {
    QListWidgetItem* selected = highlightedItem(ListBox1);
    if (!selected)
        return state_.folders.program;
    return categories::folder(state_.settings, fromQt(selected->text()), state_.folders.program);
}

void TForm2::showTimeFill() {
    const auto& keys = settingKeys();
    {
        QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        for (const auto& name : categories::names(state_.settings))
            ListBox1->addItem(toQt(name));
    }
    if (ListBox1->count() == 0) {
        ListBox1->addItem(toQt(keys.pseudoCategory));
        categories::write(state_.settings, keys.pseudoCategory, state_.folders.unsortedFolder());
    }
    dropWindow_.setDropList(categoryNames());
    // A drop index past a list that has since become shorter selects its last entry.
    int index = std::clamp(state_.dropIndex, 0, ListBox1->count() - 1);
    selectCategory(index);
    std::string name = fromQt(ListBox1->item(index)->text());
    showCategory(name);
    selectPage(FilePage);
    if (!FileListBox1->setFolder(selectedFolder()))
        folderMissing();
    Edit2->setEnabled(false);
    loadWorkingFile(name);
}

// The category's name and folder into the page's fields and the message panel.
void TForm2::showCategory(const std::string& name) {
    std::string folder = categories::folder(state_.settings, name, state_.folders.program);
    Edit1->setText(toQt(name));
    Edit2->setText(toQt(folder));
    setMessage(tr("这是") + toQt(name) + tr("  保存目录是") + toQt(folder), true);
}

void TForm2::loadWorkingFile(const std::string& name) {
    state_.workingFiles.wait();
    std::string workingFile = state_.folders.categoryWorkingFile(name);
    bool exists = files::exists(workingFile);
    showWorkingFile(name, exists ? files::load(workingFile) : std::string());
    sync_.loaded(exists, !holdsMoreThanBlanks(RichEdit2->toPlainText()));
}

void TForm2::folderMissing() {
    desktop_.showWarning(tr("错误"), tr("此类别的目录已经被取消，请重新确定。"));
    prepareCategoryPage(QT_TR_NOOP("更改类别："), QT_TR_NOOP("更改目录："));
}

void TForm2::setCaptions(const char* nameCaption, const char* folderCaption) {
    Label1->setText(tr(nameCaption));
    Label2->setText(tr(folderCaption));
}

// New, Change and a missing folder: the category page, ready for input.
void TForm2::prepareCategoryPage(const char* nameCaption, const char* folderCaption) {
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(Edit1)})
        w->setEnabled(true);
    selectPage(CategoryPage);
    setCaptions(nameCaption, folderCaption);
    setMessage(tr(kChangeHint), true);
}

void TForm2::ListBox1Open() {
    setCaptions(QT_TR_NOOP("类别："), QT_TR_NOOP("默认目录："));
    QListWidgetItem* selected = highlightedItem(ListBox1);
    if (!selected)
        return;
    std::string name = fromQt(selected->text());
    selectPage(FilePage);
    showCategory(name);
    loadWorkingFile(name);
    if (!FileListBox1->setFolder(selectedFolder()))
        folderMissing();
}

void TForm2::mleiClick() {
    prepareCategoryPage(QT_TR_NOOP("新建类别："), QT_TR_NOOP("新建目录："));
}

void TForm2::mleioptionClick() {
    prepareCategoryPage(QT_TR_NOOP("更改类别："), QT_TR_NOOP("更改目录："));
}

void TForm2::Button1Click() {
    QString picked = desktop_.chooseFolder(tr("选择保存目录"));
    if (!picked.isEmpty())
        Edit2->setText(picked);
    std::string name = fromQt(Edit1->text());
    std::string folder = fromQt(Edit2->text());
    auto names = categoryNames();
    bool known = std::find(names.begin(), names.end(), name) != names.end();
    if (name.empty() || folder.empty())
        return;
    // Raises for a name or folder that cannot be stored; nothing is written then.
    categories::write(state_.settings, name, folder);
    if (!known) {
        QSignalBlocker quiet(ListBox1);
        ListBox1->addItem(toQt(name));
    }
    setMessage(tr("这是") + toQt(name) + tr("保存目录是") + toQt(folder), false);
    dropWindow_.setDropList(categoryNames());
}

// The editor keeps showing the deleted category's text, but belongs to no
// category any more: nothing typed there reaches another one's working file.
void TForm2::listdelClick() {
    QListWidgetItem* selected = highlightedItem(ListBox1);
    if (!selected || selected->text().isEmpty())
        return;
    std::string name = fromQt(selected->text());
    categories::remove(state_.settings, name);
    {
        QSignalBlocker quiet(ListBox1);
        delete ListBox1->takeItem(ListBox1->row(selected));
    }
    leaveNothingSelected(ListBox1);
    if (editorCategory_ == name)
        editorCategory_.reset();
    state_.workingFiles.wait();
    files::remove(state_.folders.categoryWorkingFile(name));
    state_.unsaved.saved(name);
    Edit1->clear();
    Edit2->clear();
    messagePanel->clear();
}

void TForm2::listmoveClick() {
    int row = highlightedRow(ListBox1);
    if (row < 0)
        return;
    auto names = categoryNames();
    moveEntry(names, row, ListMove::ToTop);
    {
        QSignalBlocker quiet(ListBox1);
        ListBox1->insertItem(0, ListBox1->takeItem(row));
    }
    // The moved entry stays selected: it is still the one the user works on.
    selectCategory(0);
    categories::rewriteInOrder(state_.settings, state_.folders.program + "tuckpadtemp.ini", names,
                               state_.folders.program);
}

void TForm2::PopupMenu1Popup() {
    auto menu = categoryMenuState(categoryNames(), highlightedRow(ListBox1));
    listdel->setEnabled(menu.remove);
    listmove->setEnabled(menu.moveToTop);
}
