#include "FileListBox.h"

#include "ListSelection.h"
#include "ProgramText.h"
#include "store/Folders.h"
#include "text/FolderListing.h"

bool FileListBox::setFolder(const std::string& given) {
    std::string folder = kestrum::withSlash(given);
    if (folder == folder_)
        return true;
    if (!fill(folder))
        return false;
    folder_ = folder;
    return true;
}

void FileListBox::refresh() {
    if (!folder_.empty())
        fill(folder_);
}

std::string FileListBox::selectedPath() const {
    QListWidgetItem* selected = highlightedItem(this);
    return selected ? folder_ + fromQt(selected->text()) : std::string();
}

bool FileListBox::fill(const std::string& folder) {
    auto names = kestrum::listTextFiles(folder);
    if (!names)
        return false;
    clear();
    for (const auto& name : *names)
        addItem(toQt(name));
    return true;
}
