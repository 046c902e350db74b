#include "DropTargetAdapter.h"

#include "ProgramText.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <algorithm>

// Only real text counts: Qt also offers dragged files as text (their paths).
bool MimeDataObject::offersText() const {
    if (!data_)
        return false;
    const QStringList formats = data_->formats();
    return std::any_of(formats.begin(), formats.end(), [](const QString& format) {
        return format.startsWith(QLatin1String("text/plain"));
    });
}

std::optional<std::string> MimeDataObject::text() const {
    if (!offersText())
        return std::nullopt;
    return fromQt(data_->text());
}

namespace {

uint32_t keyStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    using namespace kestrum;
    uint32_t state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= KeyState::Shift;
    if (modifiers & Qt::ControlModifier)
        state |= KeyState::Control;
    if (buttons & Qt::LeftButton)
        state |= KeyState::LeftButton;
    if (buttons & Qt::RightButton)
        state |= KeyState::RightButton;
    if (buttons & Qt::MiddleButton)
        state |= KeyState::MiddleButton;
    return state;
}

kestrum::DropPoint clientPoint(const QDropEvent* event) {
    QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

} // namespace

DropTargetAdapter::DropTargetAdapter(QWidget* window, kestrum::TDropTarget& target)
    : QObject(window), window_(window), target_(target) {
    scrollTimer_.setInterval(kestrum::TDropTarget::kScrollInterval);
    connect(&scrollTimer_, &QTimer::timeout, this, [this] { target_.ScrollTick(); });
}

std::string DropTargetAdapter::componentName() const {
    return window_ ? fromQt(window_->objectName()) : std::string();
}

bool DropTargetAdapter::registerForDrops() {
    if (!window_)
        return false;
    window_->setAcceptDrops(true);
    window_->installEventFilter(this);
    registered_ = true;
    return true;
}

bool DropTargetAdapter::revokeDrops() {
    if (!window_ || !registered_)
        return false;
    window_->removeEventFilter(this);
    window_->setAcceptDrops(false);
    registered_ = false;
    return true;
}

int DropTargetAdapter::fontHeight() const {
    return window_ ? window_->font().pixelSize() : 0;
}

kestrum::DropPoint DropTargetAdapter::clientSize() const {
    return window_ ? kestrum::DropPoint{window_->width(), window_->height()} : kestrum::DropPoint{};
}

Qt::DropAction DropTargetAdapter::reportedAction(uint32_t effect) {
    using namespace kestrum;
    if (effect & DropEffect::Copy)
        return Qt::CopyAction;
    if (effect & DropEffect::Move)
        return Qt::MoveAction;
    if (effect & DropEffect::Link)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

void DropTargetAdapter::report(QDropEvent* event, uint32_t effect) {
    Qt::DropAction action = reportedAction(effect);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void DropTargetAdapter::followScrollTimer() {
    if (target_.ScrollTimerActive() && !scrollTimer_.isActive())
        scrollTimer_.start();
    else if (!target_.ScrollTimerActive())
        scrollTimer_.stop();
}

bool DropTargetAdapter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        held_.setData(drag->mimeData());
        uint32_t effect = static_cast<uint32_t>(drag->possibleActions()) & 7u;
        target_.DragEnter(&held_, keyStateOf(drag->modifiers(), drag->buttons()),
                          drag->modifiers() & Qt::AltModifier, clientPoint(drag), effect);
        report(drag, effect);
        return true;
    }
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        uint32_t effect = static_cast<uint32_t>(drag->possibleActions()) & 7u;
        target_.DragOver(keyStateOf(drag->modifiers(), drag->buttons()),
                         drag->modifiers() & Qt::AltModifier, clientPoint(drag), effect);
        followScrollTimer();
        report(drag, effect);
        return true;
    }
    case QEvent::DragLeave:
        scrollTimer_.stop();
        target_.DragLeave();
        held_.setData(nullptr);
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        uint32_t effect = static_cast<uint32_t>(drop->possibleActions()) & 7u;
        scrollTimer_.stop();
        held_.setData(drop->mimeData()); // the same drag's data, as Qt hands it again
        target_.Drop(keyStateOf(drop->modifiers(), drop->buttons()),
                     drop->modifiers() & Qt::AltModifier, clientPoint(drop), effect);
        held_.setData(nullptr);
        report(drop, effect);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
