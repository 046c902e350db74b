#include "window/TrayIcon.h"
#include "text/Gb18030.h"

#include <gtest/gtest.h>

using namespace kestrum;

namespace {

// Records what the icon asks of the notification area, in order.
struct RecordingTray : TrayPlatform {
    std::vector<std::string> calls;
    std::vector<TrayRecord> records;
    void add(const TrayRecord& r) override { note("add", r); }
    void modify(const TrayRecord& r) override { note("modify", r); }
    void remove(const TrayRecord& r) override { note("remove", r); }
    void postResetToolTip() override { calls.push_back("post"); }
    void setApplicationShown(bool shown) override { calls.push_back(shown ? "show" : "hide"); }
    ScreenPoint cursorPosition() override { return {7, 9}; }
    void bringApplicationForward() override { calls.push_back("forward"); }
    void startAnimationTimer(int ms) override { calls.push_back("timer " + std::to_string(ms)); }
    void stopAnimationTimer() override { calls.push_back("stop"); }
    void note(const char* what, const TrayRecord& r) {
        calls.push_back(what);
        records.push_back(r);
    }
};

} // namespace

// The drop window's configuration, in its order, as the tray sees it.
TEST(TrayIcon, StartUpAddsThenSendsIconAndTipAndTheResetSendsTheTipAgain) {
    RecordingTray tray;
    {
        TTrayIcon icon(tray);
        icon.HideAppOnActive = false;
        icon.SetActive(true);
        icon.SetAnimate(false);
        icon.SetIcon({5});
        icon.SetToolTip(gb("Orrin软件之Kestrum "));
        icon.resetToolTip();
        EXPECT_EQ(tray.calls, (std::vector<std::string>{"add", "post", "stop", "modify", "modify",
                                                        "modify", "modify"}));
        EXPECT_EQ(tray.records[0].image, TrayImage{}); // added with the empty icon
        EXPECT_TRUE(tray.records[2].icon && !tray.records[2].tip);
        EXPECT_EQ(tray.records[2].image, TrayImage{5});
        EXPECT_EQ(tray.records.back().toolTip, gb("Orrin软件之Kestrum "));
        tray.calls.clear();
    }
    EXPECT_EQ(tray.calls, std::vector<std::string>{"remove"});
}

TEST(TrayIcon, InactiveChangesAreKeptAndSentWithTheAdd) {
    RecordingTray tray;
    TTrayIcon icon(tray);
    icon.HideAppOnActive = true;
    icon.SetIcon({3});
    icon.SetToolTip("tip");
    EXPECT_TRUE(tray.calls.empty());
    icon.SetActive(true);
    EXPECT_EQ(tray.calls, (std::vector<std::string>{"hide", "add"}));
    EXPECT_EQ(tray.records[0].image, TrayImage{3});
    EXPECT_EQ(tray.records[0].toolTip, "tip");
    icon.SetActive(true); // no change, nothing sent
    icon.SetActive(false);
    EXPECT_EQ(tray.calls, (std::vector<std::string>{"hide", "add", "show", "remove"}));
}

TEST(TrayIcon, TheToolTipIsCutTo62BytesNeverInsideACharacter) {
    RecordingTray tray;
    TTrayIcon icon(tray);
    icon.SetToolTip(std::string(70, 'a'));
    EXPECT_EQ(icon.ToolTip(), std::string(62, 'a'));
    icon.SetToolTip(std::string(61, 'a') + gb("中"));
    EXPECT_EQ(icon.ToolTip(), std::string(61, 'a'));
}

TEST(TrayIcon, MouseActionsRaiseTheirEventsInOrder) {
    RecordingTray tray;
    TTrayIcon icon(tray);
    std::vector<std::string> events;
    icon.OnClick = [&] { events.push_back("click"); };
    icon.OnDblClick = [&] { events.push_back("double"); };
    icon.OnRightClick = [&](ScreenPoint p) {
        events.push_back("right " + std::to_string(p.x) + "," + std::to_string(p.y));
    };
    using M = TTrayIcon::MouseAction;
    for (M action : {M::LeftUp, M::LeftDoubleClick, M::LeftUp, M::Other, M::RightUp})
        icon.mouse(action);
    EXPECT_EQ(events, (std::vector<std::string>{"click", "double", "click", "right 7,9"}));
    EXPECT_TRUE(tray.calls.empty()); // no menu: nothing brought forward

    icon.PopupMenu = [&](ScreenPoint p) { events.push_back("menu " + std::to_string(p.x)); };
    icon.mouse(M::RightUp);
    EXPECT_EQ(tray.calls, std::vector<std::string>{"forward"});
    EXPECT_EQ(events.back(), "right 7,9");
    EXPECT_EQ(events[events.size() - 2], "menu 7");
}

TEST(TrayIcon, AnimationNeedsImagesAndAnActiveIcon) {
    RecordingTray tray;
    TTrayIcon icon(tray);
    std::vector<TrayImage> none, frames{{10}, {11}, {12}};
    icon.SetAnimate(true);
    EXPECT_FALSE(icon.Animate()); // no images
    icon.SetImages(&none);
    icon.SetAnimate(true);
    EXPECT_FALSE(icon.Animate()); // an empty list
    icon.SetImages(&frames);
    icon.SetAnimate(true);
    EXPECT_FALSE(icon.Animate()); // inactive
    icon.SetAnimateInterval(0);
    icon.SetAnimateInterval(-5);
    EXPECT_EQ(icon.AnimateInterval(), 100);

    icon.SetActive(true);
    icon.SetIcon({1});
    icon.SetAnimate(true);
    ASSERT_TRUE(icon.Animate());
    std::vector<int> shown;
    for (int i = 0; i < 4; ++i) {
        icon.animationTick();
        shown.push_back(icon.Icon().id);
    }
    EXPECT_EQ(shown, (std::vector<int>{11, 12, 10, 11}));
    icon.SetAnimate(false);
    EXPECT_EQ(icon.Icon(), TrayImage{1}); // the icon from before the animation

    icon.SetTrayIcon(3); // past the end: nothing
    EXPECT_EQ(icon.Icon(), TrayImage{1});
    icon.SetTrayIcon(2);
    EXPECT_EQ(icon.Icon(), TrayImage{12});
    std::vector<TrayImage> one{{20}};
    icon.SetImages(&one);
    icon.SetAnimate(true);
    icon.animationTick();
    icon.animationTick();
    EXPECT_EQ(icon.Icon(), TrayImage{20});
    icon.imagesRemoved();
    EXPECT_FALSE(icon.Animate());
    EXPECT_EQ(icon.Images(), nullptr);
}
