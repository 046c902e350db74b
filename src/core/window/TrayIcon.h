#pragma once

#include <functional>
#include <string>
#include <vector>

// The notification-area icon as a toolkit-free component: its properties,
// the add / modify / remove sequence, the mouse events and the animation.
// A platform object carries it to the real notification area.
namespace kestrum {

// An icon the platform can show; 0 is the empty icon.
struct TrayImage {
    int id = 0;
    bool operator==(const TrayImage&) const = default;
};

struct TrayRecord {
    bool message = false, icon = false, tip = false; // which parts the record carries
    TrayImage image;
    std::string toolTip;
};

struct ScreenPoint {
    int x = 0, y = 0;
};

class TrayPlatform {
  public:
    virtual ~TrayPlatform() = default;
    virtual void add(const TrayRecord& record) = 0;
    virtual void modify(const TrayRecord& record) = 0;
    virtual void remove(const TrayRecord& record) = 0;
    virtual void postResetToolTip() = 0; // comes back as resetToolTip()
    virtual void setApplicationShown(bool shown) = 0;
    virtual ScreenPoint cursorPosition() = 0;
    virtual void bringApplicationForward() = 0; // and handles what waits
    virtual void startAnimationTimer(int milliseconds) = 0;
    virtual void stopAnimationTimer() = 0;
};

class TTrayIcon {
  public:
    inline static constexpr std::size_t kLongestToolTip = 62; // bytes

    enum class MouseAction { LeftUp, LeftDoubleClick, RightUp, Other };

    explicit TTrayIcon(TrayPlatform& platform) : platform_(platform) {}
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    bool HideAppOnActive = false;
    bool ShowDesigning = false;
    std::function<void()> OnClick, OnDblClick;
    std::function<void(ScreenPoint)> OnRightClick;
    // The menu shown at the cursor on a right click; empty for none.
    std::function<void(ScreenPoint)> PopupMenu;

    bool Active() const { return active_; }
    void SetActive(bool active);
    bool Animate() const { return animate_; }
    void SetAnimate(bool animate);
    int AnimateInterval() const { return interval_; }
    void SetAnimateInterval(int milliseconds);
    TrayImage Icon() const { return icon_; }
    void SetIcon(TrayImage icon);
    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(const std::string& text);
    // Frames for the animation and SetTrayIcon; not owned.
    const std::vector<TrayImage>* Images() const { return images_; }
    void SetImages(const std::vector<TrayImage>* images) { images_ = images; }

    void SetTrayIcon(std::size_t index);
    // The image list is going away: no animation, no images.
    void imagesRemoved();

    // What the platform reports.
    void mouse(MouseAction action);
    void resetToolTip() { SetToolTip(toolTip_); }
    void animationTick();

  private:
    TrayRecord record(bool message, bool icon, bool tip) const;
    void updateInTray(bool icon, bool tip);

    TrayPlatform& platform_;
    bool active_ = false, animate_ = false;
    int interval_ = 100;
    TrayImage icon_, savedIcon_;
    std::string toolTip_;
    const std::vector<TrayImage>* images_ = nullptr;
    std::size_t frame_ = 0;
    TrayRecord lastRecord_;
};

} // namespace kestrum
