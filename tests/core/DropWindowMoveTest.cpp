#include "window/DropWindowMove.h"

#include <gtest/gtest.h>

using namespace kestrum::dropwindow;
using Step = WindowMove::Step;

// A click, a short wobble and a double click are no moves: nothing moves,
// nothing is stored.
TEST(DropWindowMove, AClickOrAWobbleBelowTheDragDistanceIsNoMove) {
    WindowMove move(true, 10);
    move.pressed({105, 205}, {100, 200});
    EXPECT_EQ(move.pointerMoved({109, 210}, true), Step::Nothing);
    EXPECT_EQ(move.released({100, 200}), std::nullopt);
    EXPECT_FALSE(move.windowMoved());
    EXPECT_EQ(move.windowRested({100, 200}), std::nullopt);
}

// The platform moves the window; the place stored is where it came to rest,
// once, whatever the pointer did meanwhile.
TEST(DropWindowMove, ThePlatformsMoveStoresThePlaceTheWindowRestsAt) {
    WindowMove move(true, 10);
    move.pressed({105, 205}, {100, 200});
    EXPECT_EQ(move.pointerMoved({110, 210}, true), Step::StartSystemMove);
    EXPECT_EQ(move.pointerMoved({140, 210}, true), Step::Nothing);
    EXPECT_TRUE(move.windowMoved());
    EXPECT_TRUE(move.windowMoved());
    EXPECT_EQ(move.pointerMoved({400, 300}, false), Step::Nothing); // the pointer is back
    EXPECT_EQ(move.windowRested({602, 375}), (Place{602, 375}));
    EXPECT_EQ(move.windowRested({602, 375}), std::nullopt);
    EXPECT_FALSE(move.windowMoved()); // the move is over: later moves are not the user's
}

// Without the platform's move the window follows the pointer, held where it
// was gripped, and the place is the window's at the release.
TEST(DropWindowMove, WithoutThePlatformsMoveTheWindowFollowsThePointer) {
    WindowMove move(true, 10);
    move.pressed({105, 205}, {100, 200});
    ASSERT_EQ(move.pointerMoved({120, 205}, true), Step::StartSystemMove);
    EXPECT_EQ(move.systemMoveRefused(), Step::FollowPointer);
    EXPECT_EQ(move.following({120, 205}), (Place{115, 200}));
    EXPECT_EQ(move.pointerMoved({300, 100}, true), Step::FollowPointer);
    EXPECT_EQ(move.following({300, 100}), (Place{295, 95}));
    EXPECT_FALSE(move.windowMoved()); // the program's own moves
    EXPECT_EQ(move.released({295, 95}), (Place{295, 95}));
    EXPECT_EQ(move.pointerMoved({320, 100}, true), Step::Nothing);
}

// A platform that keeps the windows' places to itself: the stored place is
// kept, whatever the window or the pointer report.
TEST(DropWindowMove, WherePositionsAreUnknownNothingIsStoredOrFollowed) {
    EXPECT_FALSE(platformTellsPositions("wayland"));
    EXPECT_TRUE(platformTellsPositions("xcb"));
    WindowMove move(platformTellsPositions("wayland"), 10);
    move.pressed({5, 5}, {0, 0});
    ASSERT_EQ(move.pointerMoved({50, 5}, true), Step::StartSystemMove);
    EXPECT_FALSE(move.windowMoved());
    EXPECT_EQ(move.windowRested({1200, -100}), std::nullopt);
    EXPECT_EQ(move.released({1200, -100}), std::nullopt);
    move.pressed({5, 5}, {0, 0});
    ASSERT_EQ(move.pointerMoved({50, 5}, true), Step::StartSystemMove);
    EXPECT_EQ(move.systemMoveRefused(), Step::Nothing);
    EXPECT_EQ(move.pointerMoved({60, 5}, true), Step::Nothing);
    EXPECT_EQ(move.released({1200, -100}), std::nullopt);
}

// Text dragged over the window moves it to show the list: that is no place
// of the user's, even while one was due.
TEST(DropWindowMove, TheProgramsOwnMovesEndTheUsersMove) {
    WindowMove move(true, 10);
    move.pressed({105, 205}, {100, 200});
    ASSERT_EQ(move.pointerMoved({130, 205}, true), Step::StartSystemMove);
    ASSERT_TRUE(move.windowMoved());
    move.interrupted();
    EXPECT_FALSE(move.windowMoved());
    EXPECT_EQ(move.windowRested({0, 0}), std::nullopt);
}
