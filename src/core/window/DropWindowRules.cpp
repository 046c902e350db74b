#include "window/DropWindowRules.h"

#include "text/Messages.h"

namespace kestrum::dropwindow {

ListGeometry listGeometry(const std::vector<int>& widths, int left, int top, int screenWidth,
                          int screenHeight) {
    ListGeometry g;
    int w = 0;
    for (int width : widths)
        if (width > w)
            w = width + 5;
    g.listHeight = (static_cast<int>(widths.size()) + 1) * kItemHeight - 6;
    if (g.listHeight <= kLongestList) {
        g.listWidth = w + 8;
    } else {
        g.listHeight = kLongestList;
        g.listWidth = w + 40; // room for the scroll bar
    }
    g.windowWidth = g.listWidth + 3;
    g.windowHeight = g.listHeight + 3;
    if (screenWidth - g.windowWidth < left)
        left = screenWidth - g.windowWidth;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (screenHeight - g.windowHeight < top)
        top = screenHeight - g.windowHeight;
    g.windowLeft = left;
    g.windowTop = top;
    return g;
}

int dropIndex(int itemAtPoint, int y, int windowHeight, int selectedIndex, int count) {
    int i = itemAtPoint;
    if (y > windowHeight - 10)
        i = selectedIndex + 1;
    if (i > count - 1)
        i = count - 1;
    if (y < 7)
        i = selectedIndex - 1;
    if (i < 0)
        i = windowHeight - y < 20 ? count - 1 : 0;
    return count > 0 ? i : -1;
}

std::string pictureHint(int x) {
    return x < 30 ? Messages::tr("这是文字和软件拖存窗口") : Messages::tr("这是自动保存的锁定钮");
}

} // namespace kestrum::dropwindow
