#include "window/DropTarget.h"

#include "base/Errors.h"

namespace kestrum {

TShiftState TShiftState::from(uint32_t keyState, bool altDown) {
    TShiftState s;
    s.shift = keyState & KeyState::Shift;
    s.ctrl = keyState & KeyState::Control;
    s.left = keyState & KeyState::LeftButton;
    s.right = keyState & KeyState::RightButton;
    s.middle = keyState & KeyState::MiddleButton;
    s.alt = altDown;
    return s;
}

TDropTarget::~TDropTarget() {
    // The owner revokes before destruction; a failure here has no one to go to.
    try {
        RevokeTarget();
    } catch (const KestrumError&) {
    }
}

bool TDropTarget::edgeZone(DropPoint p) const {
    DropPoint size = window_ ? window_->clientSize() : DropPoint{};
    if (scrollHorizontal_ && (p.x < scrollMargin_ || p.x > size.x - scrollMargin_))
        return true;
    return scrollVertical_ && (p.y < scrollMargin_ || p.y > size.y - scrollMargin_);
}

uint32_t TDropTarget::ChooseEffect(TShiftState shift, DropPoint point, uint32_t offered) {
    uint32_t allowed = offered;
    if (!Dragtypes.dtCopy)
        allowed &= ~DropEffect::Copy;
    if (!Dragtypes.dtMove)
        allowed &= ~DropEffect::Move;
    if (!Dragtypes.dtLink)
        allowed &= ~DropEffect::Link;
    if (OnGetDropEffect) {
        OnGetDropEffect(*this, shift, point, allowed);
        return allowed;
    }
    uint32_t chosen = DropEffect::None;
    if (shift.shift && shift.ctrl && (allowed & DropEffect::Link))
        chosen = DropEffect::Link;
    else if (shift.shift && !shift.ctrl && (allowed & DropEffect::Move))
        chosen = DropEffect::Move;
    else if (allowed & DropEffect::Copy)
        chosen = DropEffect::Copy;
    else if (allowed & DropEffect::Move)
        chosen = DropEffect::Move;
    else if (allowed & DropEffect::Link)
        chosen = DropEffect::Link;
    if ((scrollHorizontal_ || scrollVertical_) && edgeZone(point))
        chosen |= DropEffect::Scroll;
    return chosen;
}

void TDropTarget::DragEnter(DropDataObject* data, uint32_t keyState, bool altDown, DropPoint point,
                            uint32_t& effect) {
    DiscardDropData();
    data_ = data;
    // Drags from other programs bring no drag image of this toolkit, so
    // `ShowImage` has nothing to show here.
    if (!AcceptsData()) {
        data_ = nullptr;
        effect = DropEffect::None;
        return;
    }
    scrollHorizontal_ = scrollVertical_ = false;
    if (window_) {
        scrollMargin_ = std::abs(window_->fontHeight());
        scrollHorizontal_ = window_->hasHorizontalScrollBar();
        scrollVertical_ = window_->hasVerticalScrollBar();
    }
    if (GetDataOnEnter)
        ReadDropData();
    TShiftState shift = TShiftState::from(keyState, altDown);
    lastPoint_ = point;
    effect = ChooseEffect(shift, point, effect);
    if (OnEnter)
        OnEnter(*this, shift, point, effect);
}

void TDropTarget::DragOver(uint32_t keyState, bool altDown, DropPoint point, uint32_t& effect) {
    if (data_) {
        TShiftState shift = TShiftState::from(keyState, altDown);
        effect = ChooseEffect(shift, point, effect);
        if (OnDragOver)
            OnDragOver(*this, shift, point, effect);
        scrollTimer_ = (scrollHorizontal_ || scrollVertical_) && (effect & DropEffect::Scroll);
    } else {
        effect = DropEffect::None;
    }
    lastPoint_ = point;
}

void TDropTarget::DragLeave() {
    DiscardDropData();
    scrollTimer_ = false;
    data_ = nullptr;
    if (OnLeave)
        OnLeave(*this);
}

void TDropTarget::Drop(uint32_t keyState, bool altDown, DropPoint point, uint32_t& effect) {
    if (!data_) {
        effect = DropEffect::None;
        return;
    }
    scrollTimer_ = false;
    TShiftState shift = TShiftState::from(keyState, altDown);
    effect = ChooseEffect(shift, point, effect);
    if (!GetDataOnEnter && !ReadDropData())
        effect = DropEffect::None;
    else if (OnDrop)
        OnDrop(*this, shift, point, effect);
    DiscardDropData();
    data_ = nullptr;
}

void TDropTarget::ScrollTick() {
    if (!window_)
        return;
    DropPoint size = window_->clientSize();
    if (lastPoint_.y < scrollMargin_)
        window_->scrollLine(true, false);
    else if (lastPoint_.y > size.y - scrollMargin_)
        window_->scrollLine(true, true);
    if (lastPoint_.x < scrollMargin_)
        window_->scrollLine(false, false);
    else if (lastPoint_.x > size.x - scrollMargin_)
        window_->scrollLine(false, true);
}

void TDropTarget::RegisterTarget(DropTargetWindow* window) {
    if (window == window_)
        return;
    if (window_)
        RevokeTarget();
    window_ = window;
    if (window_ && !window_->registerForDrops())
        throw KestrumError("Failed to Register " + window_->componentName());
}

void TDropTarget::RevokeTarget() {
    if (!window_ || !window_->exists())
        return;
    DropTargetWindow* window = window_;
    window_ = nullptr;
    if (!window->revokeDrops())
        throw KestrumError("Failed to Unregister " + window->componentName());
}

TDropTextTarget::~TDropTextTarget() = default;

bool TDropTextTarget::AcceptsData() {
    return heldData() && heldData()->offersText();
}

bool TDropTextTarget::ReadDropData() {
    if (!droppedText_.empty())
        return true;
    auto text = heldData() ? heldData()->text() : std::nullopt;
    if (!text)
        return false;
    droppedText_ = text->substr(0, text->find('\0'));
    return true;
}

} // namespace kestrum
