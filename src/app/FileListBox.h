#pragma once

#include <QListWidget>
#include <string>

// The text files of one folder, by name.
class FileListBox : public QListWidget {
    Q_OBJECT
  public:
    using QListWidget::QListWidget;

    // Points the list at `folder` (program text; with or without a final
    // "/", the same folder); pointing it at the folder it shows already does
    // not read it again. False when the folder cannot
    // be entered: the list then keeps what it showed.
    bool setFolder(const std::string& folder);
    // Reads the current folder again.
    void refresh();
    // The highlighted file's full path; empty when none is. A list read
    // again has none until the user picks one.
    std::string selectedPath() const;

  private:
    bool fill(const std::string& folder);
    std::string folder_;
};
