#include "window/DropTarget.h"
#include "base/Errors.h"
#include "window/DropWindowRules.h"
#include "window/ScreenPlace.h"

#include <gtest/gtest.h>

using namespace kestrum;

namespace {

struct FakeData : DropDataObject {
    bool hasText = true;
    std::optional<std::string> bytes = std::string("dragged");
    mutable int reads = 0;
    bool offersText() const override { return hasText; }
    std::optional<std::string> text() const override { return ++reads, bytes; }
};

struct FakeWindow : DropTargetWindow {
    bool registerOk = true, revokeOk = true, vertical = false;
    int registrations = 0, revocations = 0, scrollsDown = 0;
    std::string componentName() const override { return "Form1"; }
    bool exists() const override { return true; }
    bool registerForDrops() override { return ++registrations, registerOk; }
    bool revokeDrops() override { return ++revocations, revokeOk; }
    int fontHeight() const override { return -11; }
    bool hasHorizontalScrollBar() const override { return false; }
    bool hasVerticalScrollBar() const override { return vertical; }
    DropPoint clientSize() const override { return {100, 100}; }
    void scrollLine(bool v, bool forward) override { scrollsDown += v && forward; }
};

class DropTargetTest : public ::testing::Test {
  protected:
    TDropTextTarget target;
    FakeData data;
    std::vector<std::string> events;
    void SetUp() override {
        target.Dragtypes = {true, true, true};
        target.GetDataOnEnter = true;
        target.OnEnter = [&](TDropTarget&, TShiftState, DropPoint, uint32_t& e) {
            events.push_back("enter " + target.DroppedText() + " " + std::to_string(e));
        };
        target.OnLeave = [&](TDropTarget&) { events.push_back("leave"); };
        target.OnDrop = [&](TDropTarget&, TShiftState, DropPoint, uint32_t& e) {
            events.push_back("drop " + target.DroppedText() + " " + std::to_string(e));
        };
    }
    uint32_t enter(uint32_t offered, uint32_t keys = 0) {
        target.DragEnter(&data, keys, false, {5, 5}, offered);
        return offered;
    }
};

} // namespace

TEST_F(DropTargetTest, WithoutAnEffectHandlerTheKeysChooseOneEffect) {
    const uint32_t all = DropEffect::Copy | DropEffect::Move | DropEffect::Link;
    EXPECT_EQ(enter(all, KeyState::Shift | KeyState::Control), DropEffect::Link);
    EXPECT_EQ(enter(all, KeyState::Shift), DropEffect::Move);
    EXPECT_EQ(enter(all, KeyState::Control), DropEffect::Copy);
    EXPECT_EQ(enter(all), DropEffect::Copy);
    EXPECT_EQ(enter(DropEffect::Move | DropEffect::Link, KeyState::Control), DropEffect::Move);
    target.Dragtypes.dtMove = false;
    EXPECT_EQ(enter(DropEffect::Move | DropEffect::Link), DropEffect::Link);
    EXPECT_EQ(enter(0), DropEffect::None);
}

TEST_F(DropTargetTest, AnEffectHandlerSeesTheAllowedOffersAndDecides) {
    std::vector<uint32_t> seen;
    target.OnGetDropEffect = [&](TDropTarget&, TShiftState, DropPoint, uint32_t& e) {
        seen.push_back(e);
    };
    target.Dragtypes.dtLink = false;
    EXPECT_EQ(enter(DropEffect::Copy | DropEffect::Move | DropEffect::Link),
              DropEffect::Copy | DropEffect::Move);
    uint32_t none = 0;
    target.DragOver(0, false, {1, 1}, none);
    EXPECT_EQ(none, 0u);
    EXPECT_EQ(seen, (std::vector<uint32_t>{3, 0}));
}

TEST_F(DropTargetTest, EnterThenLeaveAndADropWithoutLeave) {
    enter(DropEffect::Copy);
    target.DragLeave();
    EXPECT_EQ(target.DroppedText(), "");
    enter(DropEffect::Copy);
    uint32_t effect = DropEffect::Copy;
    target.Drop(0, false, {5, 5}, effect);
    EXPECT_EQ(target.DroppedText(), "");
    EXPECT_EQ(events, (std::vector<std::string>{"enter dragged 1", "leave", "enter dragged 1",
                                                "drop dragged 1"}));
    EXPECT_EQ(data.reads, 2); // a second drag reads the text anew
}

TEST_F(DropTargetTest, TextIsCutAtTheFirstZeroByte) {
    data.bytes = std::string("before\0after", 12);
    enter(DropEffect::Copy);
    EXPECT_EQ(target.DroppedText(), "before");
}

TEST_F(DropTargetTest, ARefusedEntryRaisesNothingButTheLeave) {
    data.hasText = false;
    EXPECT_EQ(enter(DropEffect::Copy), DropEffect::None);
    uint32_t effect = DropEffect::Copy;
    target.DragOver(0, false, {1, 1}, effect);
    EXPECT_EQ(effect, DropEffect::None);
    effect = DropEffect::Copy;
    target.Drop(0, false, {1, 1}, effect);
    EXPECT_EQ(effect, DropEffect::None);
    target.DragLeave();
    EXPECT_EQ(events, std::vector<std::string>{"leave"});
}

TEST_F(DropTargetTest, UnreadableTextStillDropsWhenReadAtEntry) {
    data.bytes = std::nullopt;
    enter(DropEffect::Copy);
    uint32_t effect = DropEffect::Copy;
    target.Drop(0, false, {1, 1}, effect);
    EXPECT_EQ(events.back(), "drop  1");
    target.GetDataOnEnter = false;
    enter(DropEffect::Copy);
    effect = DropEffect::Copy;
    target.Drop(0, false, {1, 1}, effect);
    EXPECT_EQ(effect, DropEffect::None);
    EXPECT_EQ(events.back(), "enter  1");
}

TEST_F(DropTargetTest, RegisteringNamesTheWindowOnFailureAndRevokesTheOldOne) {
    FakeWindow first, second;
    target.RegisterTarget(&first);
    target.RegisterTarget(&first);
    EXPECT_EQ(first.registrations, 1);
    target.RegisterTarget(&second);
    EXPECT_EQ(first.revocations, 1);
    second.revokeOk = false;
    try {
        target.RevokeTarget();
        FAIL();
    } catch (const KestrumError& e) {
        EXPECT_STREQ(e.what(), "Failed to Unregister Form1");
    }
    FakeWindow broken;
    broken.registerOk = false;
    EXPECT_THROW(target.RegisterTarget(&broken), KestrumError);
    broken.revokeOk = true;
    target.RevokeTarget();
}

TEST_F(DropTargetTest, AWindowWithAScrollBarAutoScrollsAtItsEdges) {
    FakeWindow window;
    window.vertical = true;
    target.RegisterTarget(&window);
    enter(DropEffect::Copy);
    uint32_t effect = DropEffect::Copy;
    target.DragOver(0, false, {50, 95}, effect);
    EXPECT_EQ(effect, DropEffect::Copy | DropEffect::Scroll);
    EXPECT_TRUE(target.ScrollTimerActive());
    target.ScrollTick();
    EXPECT_EQ(window.scrollsDown, 1);
    effect = DropEffect::Copy;
    target.DragOver(0, false, {50, 50}, effect);
    EXPECT_FALSE(target.ScrollTimerActive());
    target.RevokeTarget();
}

TEST(DropWindowRules, TheListSizesToItsItemsAndStaysOnTheScreen) {
    auto three = dropwindow::listGeometry({40, 60, 63}, 100, 100, 1000, 800);
    EXPECT_EQ(three.listHeight, 58);
    EXPECT_EQ(three.listWidth, 65 + 8); // 63 is within 5 of 60: w stays 65
    EXPECT_EQ(three.windowWidth, 65 + 11);
    EXPECT_EQ(three.windowHeight, 61);
    auto many = dropwindow::listGeometry(std::vector<int>(25, 50), 990, -5, 1000, 800);
    EXPECT_EQ(many.listHeight, 300);
    EXPECT_EQ(many.listWidth, 55 + 40);
    EXPECT_EQ(many.windowLeft, 1000 - (55 + 43));
    EXPECT_EQ(many.windowTop, 0);
}

TEST(DropWindowRules, ThePointerPicksTheItemAndTheEdgesStep) {
    EXPECT_EQ(dropwindow::dropIndex(1, 20, 61, 0, 3), 1);
    EXPECT_EQ(dropwindow::dropIndex(-1, 30, 61, 0, 3), 0); // over no item, far from the bottom
    EXPECT_EQ(dropwindow::dropIndex(-1, 45, 61, 0, 3), 2); // within 20 of the bottom
    EXPECT_EQ(dropwindow::dropIndex(2, 55, 61, 1, 3), 2);  // bottom edge steps down
    EXPECT_EQ(dropwindow::dropIndex(2, 55, 61, 2, 3), 2);  // and stops at the last
    EXPECT_EQ(dropwindow::dropIndex(0, 3, 61, 2, 3), 1);   // top edge steps up
    EXPECT_EQ(dropwindow::dropIndex(0, 3, 61, 0, 3), 0);
    EXPECT_EQ(dropwindow::dropIndex(-1, 30, 61, -1, 0), -1);
    EXPECT_TRUE(dropwindow::inLockArea(27, 37));
    EXPECT_FALSE(dropwindow::inLockArea(26, 37));
}

// A stored editor place opens whole on the screen it lands on: larger than
// the room (stored at another scale) it shrinks to the room, past an edge
// (a screen since unplugged) it moves back, and a place that fits stays.
TEST(ScreenPlace, AStoredPlaceIsKeptInsideTheAvailableRoom) {
    using kestrum::window::keptInside;
    using kestrum::window::Rect;
    Rect room{0, 30, 720, 420};
    EXPECT_EQ(keptInside({40, 60, 900, 650}, room), (Rect{0, 30, 720, 420}));
    EXPECT_EQ(keptInside({1500, -200, 300, 200}, room), (Rect{420, 30, 300, 200}));
    EXPECT_EQ(keptInside({-900, 400, 300, 200}, room), (Rect{0, 250, 300, 200}));
    EXPECT_EQ(keptInside({100, 100, 300, 200}, room), (Rect{100, 100, 300, 200}));
    EXPECT_EQ(keptInside({100, 100, 300, 200}, {1920, 0, 1280, 1024}),
              (Rect{1920, 100, 300, 200})); // a second screen's room
}
