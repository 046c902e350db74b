#pragma once

#include <QListWidget>
#include <QSignalBlocker>

// Qt keeps a current item apart from the selection: focus that arrives by
// the keyboard or with the window's activation makes the first item current
// without highlighting it, and taking an item out moves the current row to
// its neighbour. The program acts only on the entry the user sees
// highlighted.
inline QListWidgetItem* highlightedItem(const QListWidget* list) {
    QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

inline int highlightedRow(const QListWidget* list) {
    QListWidgetItem* item = highlightedItem(list);
    return item ? list->row(item) : -1;
}

// No entry current or highlighted, and no handler told.
inline void leaveNothingSelected(QListWidget* list) {
    QSignalBlocker quiet(list);
    list->setCurrentRow(-1);
    list->clearSelection();
}
