// The editor window's file pages: the file list with its viewer, and the
// merge list with the merge.
#include "save2.h"

#include "BusyCursor.h"
#include "Desktop.h"
#include "FileViewer.h"
#include "ListSelection.h"
#include "ProgramText.h"
#include "store/Capture.h"
#include "store/FileStore.h"
#include "store/Folders.h"
#include "store/ProgramState.h"
#include "store/SettingKeys.h"
#include "text/MergeCopy.h"
#include "text/ViewedText.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>

using namespace kestrum;

void TForm2::connectFileHandlers() {
    auto on = [this](auto* sender, auto signal, auto body) {
        connect(sender, signal, this, [this, body] { guarded(desktop_, [&] { body(); }); });
    };
    // A file the user picks; a row that only became current shows nothing.
    on(FileListBox1, &QListWidget::itemSelectionChanged, [this] { FileListBox1Click(); });
    on(N11, &QAction::triggered, [this] { N11Click(); });
    on(Button2, &QPushButton::clicked, [this] { Button2Click(); });
    on(Button3, &QPushButton::clicked, [this] { Button3Click(); });
    on(Button4, &QPushButton::clicked, [this] { Button4Click(); });
    for (auto [action, move] : {std::pair{N12, ListMove::Up},
                                {N13, ListMove::Down},
                                {N14, ListMove::ToTop},
                                {N15, ListMove::ToBottom}})
        on(action, &QAction::triggered, [this, move] { moveMergeEntry(move); });
    // The file list's "打开" has nothing to do: a click shows the file already.
}

void TForm2::refreshFileList() {
    FileListBox1->refresh();
}

void TForm2::FileListBox1Click() {
    BusyCursor busy;
    std::string path = FileListBox1->selectedPath();
    if (!path.empty())
        showFileAt(RichEdit4, path);
}

void TForm2::N11Click() {
    std::string path = FileListBox1->selectedPath();
    if (!path.empty() &&
        desktop_.askOkCancel(tr("确认删除"), tr("删除后不可恢复，确认要删除吗？"))) {
        files::remove(path); // a deletion the system refuses shows in the list
        clearViewer(RichEdit4);
    }
    std::string folder = selectedFolder();
    if (!FileListBox1->setFolder(folder))
        desktop_.showError(toQt(folder) + tr(" 无法打开。"));
    FileListBox1->refresh();
}

void TForm2::Button2Click() {
    QStringList chosen = desktop_.chooseFilesToOpen(
        toQt(selectedFolder()), tr("文本文件 (*.txt);;网页 (*.htm);;所有文件 (*)"));
    for (const QString& file : chosen)
        mergeList_.push_back(files::programPath(file.toStdString()));
    showMergeList(highlightedRow(ListBox2));
}

void TForm2::Button3Click() {
    mergeList_.clear();
    showMergeList(-1);
}

void TForm2::Button4Click() {
    std::string scratch = state_.folders.working() + "addtemp.txt";
    if (!mergeList_.empty()) {
        BusyCursor busy;
        files::replace(scratch, "");
        merge::appendFiles(mergeList_, scratch);
    }
    QString start = toQt(withSlash(selectedFolder())) + lastSaveName_;
    QString target = desktop_.chooseFileToSave(start, tr("文本文件 (*.TXT *.txt);;网页(*.htm)"),
                                               QStringLiteral("TXT"));
    if (target.isEmpty())
        return;
    lastSaveName_ = QFileInfo(target).fileName();
    // An empty list merged nothing; a scratch file left by an earlier merge
    // is not this one's result.
    if (mergeList_.empty())
        return;
    // A merge of files that are all UTF-8 already is kept as it is; short
    // program text can pass for UTF-8 by chance, so only the whole decides.
    if (readSetting(state_.settings, settingKeys().saveUtf8)) {
        std::string merged = files::load(scratch);
        if (!isUtf8(merged))
            files::replace(scratch, categoryFileBytes(state_.settings, merged));
    }
    files::moveReplacing(scratch, files::programPath(target.toStdString()));
}

void TForm2::moveMergeEntry(ListMove move) {
    if (auto moved = moveEntry(mergeList_, highlightedRow(ListBox2), move))
        showMergeList(*moved); // the moved entry stays selected, ready for the next move
}

void TForm2::showMergeList(int selected) {
    ListBox2->clear();
    for (const auto& path : mergeList_)
        ListBox2->addItem(toQt(path));
    ListBox2->setCurrentRow(selected);
}
