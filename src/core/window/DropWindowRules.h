#pragma once

#include <string>
#include <vector>

// The drop window's geometry and pointer rules, apart from any toolkit.
namespace kestrum::dropwindow {

inline constexpr int kItemHeight = 16;
inline constexpr int kLongestList = 300;
inline constexpr int kLockAreaWidth = 10;

struct ListGeometry {
    int listLeft = 2, listTop = 2, listWidth = 0, listHeight = 0;
    int windowLeft = 0, windowTop = 0, windowWidth = 0, windowHeight = 0;
};

// The drop list sized to its items (their text widths in the list's font)
// and the window kept on a screen of the given size.
ListGeometry listGeometry(const std::vector<int>& itemTextWidths, int windowLeft, int windowTop,
                          int screenWidth, int screenHeight);

// The item the drop goes to: `itemAtPoint` is the list's item under the
// pointer (-1 for none); the window's top and bottom edges step the
// selection; the result stays within the list (-1 only for an empty list).
int dropIndex(int itemAtPoint, int y, int windowHeight, int selectedIndex, int count);

// The rightmost pixels of the window switch auto-save instead of moving it.
inline bool inLockArea(int x, int windowWidth) {
    return windowWidth - x <= kLockAreaWidth;
}

// The window's own hint for the pointer at x (program text).
std::string pictureHint(int x);

} // namespace kestrum::dropwindow
