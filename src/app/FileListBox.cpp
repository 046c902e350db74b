#include "FileListBox.h"

#include "ProgramText.h"
#include "store/FolderListing.h"

bool FileListBox::setFolder(const std::string& folder) {
    if (folder == folder_ && !folder_.empty())
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

bool FileListBox::fill(const std::string& folder) {
    auto names = kestrum::listTextFiles(folder);
    if (!names)
        return false;
    clear();
    for (const auto& name : *names)
        addItem(toQt(name));
    return true;
}
