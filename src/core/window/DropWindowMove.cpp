#include "window/DropWindowMove.h"

#include <cstdlib>

namespace kestrum::dropwindow {

bool platformTellsPositions(std::string_view platformName) {
    return !platformName.starts_with("wayland");
}

void WindowMove::pressed(Place pointer, Place window) {
    state_ = State::Pressed;
    pressedAt_ = pointer;
    grip_ = {pointer.x - window.x, pointer.y - window.y};
}

WindowMove::Step WindowMove::pointerMoved(Place pointer, bool leftHeld) {
    if (!leftHeld) {
        // A pointer without the button: any move is over (after the
        // platform's move the window sees the pointer again only now).
        state_ = State::Idle;
        return Step::Nothing;
    }
    switch (state_) {
    case State::Pressed:
        if (std::abs(pointer.x - pressedAt_.x) + std::abs(pointer.y - pressedAt_.y) < dragDistance_)
            return Step::Nothing;
        state_ = State::SystemMoving;
        return Step::StartSystemMove;
    case State::Following:
        return Step::FollowPointer;
    case State::Idle:
    case State::SystemMoving:
        break;
    }
    return Step::Nothing;
}

// Following the pointer needs the window's real place: without it each
// move would start from a place the window never had.
WindowMove::Step WindowMove::systemMoveRefused() {
    state_ = positionsKnown_ ? State::Following : State::Idle;
    return positionsKnown_ ? Step::FollowPointer : Step::Nothing;
}

Place WindowMove::following(Place pointer) const {
    return {pointer.x - grip_.x, pointer.y - grip_.y};
}

std::optional<Place> WindowMove::released(Place window) {
    State was = state_;
    if (state_ != State::SystemMoving) // that one ends when the platform is done
        state_ = State::Idle;
    if (was == State::Following)
        return window;
    return std::nullopt;
}

bool WindowMove::windowMoved() {
    if (state_ == State::SystemMoving && positionsKnown_)
        placeDue_ = true;
    return placeDue_;
}

std::optional<Place> WindowMove::windowRested(Place window) {
    if (!placeDue_)
        return std::nullopt;
    placeDue_ = false;
    return window;
}

void WindowMove::interrupted() {
    state_ = State::Idle;
    placeDue_ = false;
}

} // namespace kestrum::dropwindow
