#pragma once

// Keeping a stored window place on the screen it will show on.
namespace kestrum::window {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// `stored` moved, and shrunk where it is larger, to lie inside `available`:
// a place stored on a larger screen, at another scale, or on a screen since
// unplugged opens whole and reachable.
Rect keptInside(Rect stored, Rect available);

} // namespace kestrum::window
