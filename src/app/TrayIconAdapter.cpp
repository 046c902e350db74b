#include "TrayIconAdapter.h"

#include "ProgramText.h"

#include <QCoreApplication>
#include <QCursor>

using kestrum::TTrayIcon;

TrayIconAdapter::TrayIconAdapter(QObject* parent)
    : QObject(parent), icon_(std::make_unique<TTrayIcon>(*this)) {
    connect(&tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                switch (why) {
                case QSystemTrayIcon::Trigger:
                    icon_->mouse(TTrayIcon::MouseAction::LeftUp);
                    break;
                case QSystemTrayIcon::DoubleClick:
                    icon_->mouse(TTrayIcon::MouseAction::LeftDoubleClick);
                    break;
                case QSystemTrayIcon::Context:
                    // An X11 tray opens the menu at the icon before it reports
                    // the click, and a StatusNotifierItem host that reads the
                    // exported menu shows it without reporting one; a host
                    // that only asks for the menu (swaybar) gets it opened here.
                    if (!(tray_.contextMenu() && tray_.contextMenu()->isVisible()))
                        icon_->mouse(TTrayIcon::MouseAction::RightUp);
                    break;
                default:
                    icon_->mouse(TTrayIcon::MouseAction::Other);
                    break;
                }
            });
    connect(&animation_, &QTimer::timeout, this, [this] { icon_->animationTick(); });
}

TrayIconAdapter::~TrayIconAdapter() {
    icon_.reset();
}

kestrum::TrayImage TrayIconAdapter::addImage(const QIcon& picture) {
    int id = static_cast<int>(pictures_.size()) + 1;
    pictures_[id] = picture;
    return {id};
}

void TrayIconAdapter::show(const kestrum::TrayRecord& record) {
    if (record.icon) {
        auto picture = pictures_.find(record.image.id);
        tray_.setIcon(picture == pictures_.end() ? QIcon() : picture->second);
    }
    if (record.tip)
        tray_.setToolTip(toQt(record.toolTip));
}

void TrayIconAdapter::add(const kestrum::TrayRecord& record) {
    added_ = true;
    show(record);
    showWhenPictured();
}

void TrayIconAdapter::modify(const kestrum::TrayRecord& record) {
    show(record);
    showWhenPictured();
}

void TrayIconAdapter::remove(const kestrum::TrayRecord&) {
    added_ = false;
    tray_.hide();
}

void TrayIconAdapter::showWhenPictured() {
    if (added_ && !tray_.icon().isNull())
        tray_.show();
}

void TrayIconAdapter::postResetToolTip() {
    QMetaObject::invokeMethod(
        this, [this] { icon_->resetToolTip(); }, Qt::QueuedConnection);
}

void TrayIconAdapter::setApplicationShown(bool) {
    // The drop window is a tool window with no taskbar entry to hide or show.
}

kestrum::ScreenPoint TrayIconAdapter::cursorPosition() {
    QPoint at = QCursor::pos();
    return {at.x(), at.y()};
}

void TrayIconAdapter::bringApplicationForward() {
    QCoreApplication::processEvents();
}

void TrayIconAdapter::startAnimationTimer(int milliseconds) {
    animation_.start(milliseconds);
}

void TrayIconAdapter::stopAnimationTimer() {
    animation_.stop();
}
