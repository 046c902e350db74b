#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The text drop target: the logic that turns a toolkit's four drag-and-drop
// calls (enter, move, leave, drop) into the drop window's events. The
// toolkit's adapter feeds it; tests drive it directly.
namespace kestrum {

namespace DropEffect {
inline constexpr uint32_t None = 0;
inline constexpr uint32_t Copy = 1;
inline constexpr uint32_t Move = 2;
inline constexpr uint32_t Link = 4;
inline constexpr uint32_t Scroll = 0x80000000u;
} // namespace DropEffect

// The platform's key-state bits of a drag call.
namespace KeyState {
inline constexpr uint32_t LeftButton = 1;
inline constexpr uint32_t RightButton = 2;
inline constexpr uint32_t Shift = 4;
inline constexpr uint32_t Control = 8;
inline constexpr uint32_t MiddleButton = 16;
} // namespace KeyState

struct TShiftState {
    bool shift = false, ctrl = false, alt = false;
    bool left = false, right = false, middle = false;
    static TShiftState from(uint32_t keyState, bool altDown);
};

struct DropPoint {
    int x = 0, y = 0;
};

struct TDragTypes {
    bool dtCopy = false, dtMove = false, dtLink = false;
};

// The dragged data, as the toolkit offers it.
class DropDataObject {
  public:
    virtual ~DropDataObject() = default;
    virtual bool offersText() const = 0;
    // The text's bytes in the program's code page, or nothing when reading fails.
    virtual std::optional<std::string> text() const = 0;
};

// The window the target is bound to.
class DropTargetWindow {
  public:
    virtual ~DropTargetWindow() = default;
    virtual std::string componentName() const = 0;
    virtual bool exists() const = 0;
    virtual bool registerForDrops() = 0;
    virtual bool revokeDrops() = 0;
    virtual int fontHeight() const = 0;
    virtual bool hasHorizontalScrollBar() const = 0;
    virtual bool hasVerticalScrollBar() const = 0;
    virtual DropPoint clientSize() const = 0;
    // One line of scrolling; `vertical` picks the axis, `forward` down or right.
    virtual void scrollLine(bool vertical, bool forward) = 0;
};

class TDropTarget {
  public:
    using DropTargetEvent = std::function<void(TDropTarget& sender, TShiftState shift,
                                               DropPoint point, uint32_t& effect)>;
    using LeaveEvent = std::function<void(TDropTarget& sender)>;

    virtual ~TDropTarget();

    TDragTypes Dragtypes;
    bool GetDataOnEnter = false;
    bool ShowImage = true;
    DropTargetEvent OnEnter, OnDragOver, OnDrop, OnGetDropEffect;
    LeaveEvent OnLeave;

    // The four calls; points are in the target window's client coordinates.
    void DragEnter(DropDataObject* data, uint32_t keyState, bool altDown, DropPoint point,
                   uint32_t& effect);
    void DragOver(uint32_t keyState, bool altDown, DropPoint point, uint32_t& effect);
    void DragLeave();
    void Drop(uint32_t keyState, bool altDown, DropPoint point, uint32_t& effect);

    void RegisterTarget(DropTargetWindow* window);
    void RevokeTarget();

    // The auto-scroll timer: the toolkit runs it (100 ms) while this is true
    // and calls ScrollTick at each tick.
    bool ScrollTimerActive() const { return scrollTimer_; }
    void ScrollTick();
    static constexpr int kScrollInterval = 100;

    uint32_t ChooseEffect(TShiftState shift, DropPoint point, uint32_t offered);

  protected:
    virtual bool ReadDropData() = 0;
    virtual void DiscardDropData() = 0;
    virtual bool AcceptsData() = 0;
    DropDataObject* heldData() const { return data_; }

  private:
    bool edgeZone(DropPoint point) const;

    DropDataObject* data_ = nullptr;
    DropTargetWindow* window_ = nullptr;
    bool scrollHorizontal_ = false, scrollVertical_ = false;
    int scrollMargin_ = 0;
    bool scrollTimer_ = false;
    DropPoint lastPoint_;
};

class TDropTextTarget : public TDropTarget {
  public:
    ~TDropTextTarget() override;
    const std::string& DroppedText() const { return droppedText_; }

  protected:
    bool ReadDropData() override;
    void DiscardDropData() override { droppedText_.clear(); }
    bool AcceptsData() override;

  private:
    std::string droppedText_;
};

} // namespace kestrum
