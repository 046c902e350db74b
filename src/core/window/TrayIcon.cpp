#include "window/TrayIcon.h"

#include "text/Gb18030.h"

namespace kestrum {

TTrayIcon::~TTrayIcon() {
    if (active_)
        platform_.remove(lastRecord_);
}

TrayRecord TTrayIcon::record(bool message, bool icon, bool tip) const {
    TrayRecord r;
    r.message = message;
    r.icon = icon;
    r.tip = tip;
    if (icon)
        r.image = icon_;
    if (tip)
        r.toolTip = toolTip_;
    return r;
}

void TTrayIcon::updateInTray(bool icon, bool tip) {
    lastRecord_ = record(false, icon, tip);
    if (active_)
        platform_.modify(lastRecord_);
}

void TTrayIcon::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active; // ShowDesigning has no effect at run time
    if (active) {
        if (HideAppOnActive)
            platform_.setApplicationShown(false);
        lastRecord_ = record(true, true, true);
        platform_.add(lastRecord_);
        if (toolTip_.empty())
            platform_.postResetToolTip();
    } else {
        if (HideAppOnActive)
            platform_.setApplicationShown(true);
        platform_.remove(lastRecord_);
    }
}

void TTrayIcon::SetIcon(TrayImage icon) {
    icon_ = icon;
    updateInTray(true, false);
}

void TTrayIcon::SetToolTip(const std::string& text) {
    // Cut by bytes, but never inside a character: half a character would
    // show as a stray sign.
    std::size_t keep = 0;
    while (keep < text.size()) {
        std::size_t next = keep + gb18030::characterLength(text, keep);
        if (next > kLongestToolTip)
            break;
        keep = next;
    }
    toolTip_ = text.substr(0, keep);
    updateInTray(true, true);
}

void TTrayIcon::SetAnimate(bool animate) {
    if (animate) {
        if (!images_ || images_->empty() || !active_)
            return;
        animate_ = true;
        savedIcon_ = icon_;
        frame_ = 0;
        platform_.startAnimationTimer(interval_);
        return;
    }
    animate_ = false;
    platform_.stopAnimationTimer();
    SetIcon(savedIcon_);
}

void TTrayIcon::SetAnimateInterval(int milliseconds) {
    if (milliseconds <= 0)
        return;
    interval_ = milliseconds;
    if (animate_)
        platform_.startAnimationTimer(interval_);
}

void TTrayIcon::animationTick() {
    if (!images_ || images_->empty())
        return;
    frame_ = frame_ + 1 >= images_->size() ? 0 : frame_ + 1;
    SetIcon((*images_)[frame_]);
}

void TTrayIcon::SetTrayIcon(std::size_t index) {
    if (!images_ || index >= images_->size())
        return;
    SetAnimate(false);
    frame_ = index;
    SetIcon((*images_)[index]);
}

void TTrayIcon::imagesRemoved() {
    SetAnimate(false);
    images_ = nullptr;
}

void TTrayIcon::mouse(MouseAction action) {
    switch (action) {
    case MouseAction::LeftUp:
        if (OnClick)
            OnClick();
        break;
    case MouseAction::LeftDoubleClick:
        if (OnDblClick)
            OnDblClick();
        break;
    case MouseAction::RightUp: {
        ScreenPoint at = platform_.cursorPosition();
        if (PopupMenu) {
            platform_.bringApplicationForward();
            PopupMenu(at);
        }
        if (OnRightClick)
            OnRightClick(at);
        break;
    }
    case MouseAction::Other:
        break;
    }
}

} // namespace kestrum
