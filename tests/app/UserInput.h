#pragma once

// What a person does with the windows, as the input events Qt gets from
// the platform: presses on an item's rectangle, a right click that opens a
// context menu and a click on its entry, keys typed into the widget that
// has the focus.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

namespace input {

inline QPoint centreOf(QListWidget* list, int row) {
    return list->visualItemRect(list->item(row)).center();
}

inline void click(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(list, row));
}

inline void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// A right click at `at` in `widget`: the press and release, then the
// context menu request the platform makes of them. Returns the menu that
// opened, if one did.
inline QMenu* rightClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::RightButton, {}, at);
    if (auto* opened = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        return opened;
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &request);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// Clicks `entry` in the open `menu`, or closes the menu when the entry is
// not there or disabled (as a person would give up); true when chosen.
inline bool choose(QMenu* menu, QAction* entry) {
    if (!menu)
        return false;
    if (!entry || !entry->isEnabled() || !entry->isVisible() ||
        menu->actionGeometry(entry).isEmpty()) {
        menu->close();
        return false;
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    return true;
}

inline bool chooseOnRow(QListWidget* list, int row, QAction* entry) {
    return choose(rightClick(list->viewport(), centreOf(list, row)), entry);
}

// The user turns to `other` window and back to `window`, as when a dialog
// opened and closed: focus comes back with the window's activation.
inline bool switchAway(QWidget* window, QWidget* other) {
    other->activateWindow();
    if (!QTest::qWaitForWindowActive(other))
        return false;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Keys typed where the keyboard focus is, one press and release each.
inline void type(QWidget* focused, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(focused, c.toLatin1());
        } else { // what an input method hands over: text without a key of its own
            QTest::sendKeyEvent(QTest::Press, focused, Qt::Key_unknown, QString(c), {});
            QTest::sendKeyEvent(QTest::Release, focused, Qt::Key_unknown, QString(c), {});
        }
    }
}

} // namespace input
