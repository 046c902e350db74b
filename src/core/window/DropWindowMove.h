#pragma once

#include <optional>
#include <string_view>

// How the user moves the drop window by its picture, and which place is
// kept for the next start.
//
// A press only becomes a move once the pointer has gone some way with the
// button held, so a click or a double click on the picture stays a click.
// The move is then the platform's own (the window manager or compositor
// moves the window and keeps it where it allows); where the platform has
// none, the window follows the pointer. A place is stored only where the
// platform tells the program where its windows are, and only a place the
// window really has: after the platform's move, the one it reports once
// the window has come to rest.
namespace kestrum::dropwindow {

struct Place {
    int x = 0, y = 0;
    bool operator==(const Place&) const = default;
};

// True when windows on the named Qt platform learn their real positions
// (X11 does; native Wayland tells a window nothing about where it is).
bool platformTellsPositions(std::string_view platformName);

class WindowMove {
  public:
    enum class Step { Nothing, StartSystemMove, FollowPointer };

    // `dragDistance`: how far (in pixels, along both axes together) the
    // pointer goes with the button held before a press is a move.
    WindowMove(bool positionsKnown, int dragDistance)
        : positionsKnown_(positionsKnown), dragDistance_(dragDistance) {}

    // The left button went down on the picture, outside the lock area.
    void pressed(Place pointer, Place window);
    // The pointer moved over the picture: what the window does now.
    Step pointerMoved(Place pointer, bool leftHeld);
    // The platform's move did not start: what the window does instead.
    Step systemMoveRefused();
    // Where the window goes when it follows the pointer at `pointer`.
    Place following(Place pointer) const;
    // The left button went up over the picture: the place to store, if any.
    std::optional<Place> released(Place window);

    // The window moved. True when a place is due once the window rests
    // (the platform's move is moving it).
    bool windowMoved();
    // The window has rested at `window` since it last moved: the place to
    // store, if one is due.
    std::optional<Place> windowRested(Place window);
    // The program itself moves the window (text dragged over it): nothing
    // the user did is stored from here on.
    void interrupted();

  private:
    enum class State { Idle, Pressed, Following, SystemMoving };

    bool positionsKnown_;
    int dragDistance_;
    State state_ = State::Idle;
    Place pressedAt_, grip_; // the pointer at the press; the pointer less the window
    bool placeDue_ = false;
};

} // namespace kestrum::dropwindow
