#include "window/ScreenPlace.h"

#include <algorithm>

namespace kestrum::window {

namespace {

// One axis: the length no longer than the room, the start inside it.
void keepInside(int& start, int& length, int roomStart, int roomLength) {
    length = std::clamp(length, 1, std::max(roomLength, 1));
    start = std::clamp(start, roomStart, roomStart + std::max(roomLength - length, 0));
}

} // namespace

Rect keptInside(Rect stored, Rect available) {
    keepInside(stored.left, stored.width, available.left, available.width);
    keepInside(stored.top, stored.height, available.top, available.height);
    return stored;
}

} // namespace kestrum::window
