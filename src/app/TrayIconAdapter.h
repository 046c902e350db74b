#pragma once

#include "window/TrayIcon.h"

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <map>
#include <memory>

// Carries the notification-area icon's logic to Qt's tray icon: XEmbed's
// system tray on an X11 desktop without a StatusNotifier host, the
// StatusNotifierItem protocol over D-Bus where one runs. Without either
// the icon stays unseen and the program runs on.
class TrayIconAdapter : public QObject, public kestrum::TrayPlatform {
    Q_OBJECT
  public:
    explicit TrayIconAdapter(QObject* parent = nullptr);
    ~TrayIconAdapter() override;

    kestrum::TTrayIcon& icon() { return *icon_; }
    // The picture behind an image id the logic passes around.
    kestrum::TrayImage addImage(const QIcon& picture);
    QSystemTrayIcon& platformIcon() { return tray_; }
    // The menu the notification area opens at the icon on a right click.
    void setMenu(QMenu* menu) { tray_.setContextMenu(menu); }

    void add(const kestrum::TrayRecord& record) override;
    void modify(const kestrum::TrayRecord& record) override;
    void remove(const kestrum::TrayRecord& record) override;
    void postResetToolTip() override;
    void setApplicationShown(bool shown) override;
    kestrum::ScreenPoint cursorPosition() override;
    void bringApplicationForward() override;
    void startAnimationTimer(int milliseconds) override;
    void stopAnimationTimer() override;

  private:
    void show(const kestrum::TrayRecord& record);
    // An entry is added before it has its picture; it goes into the
    // notification area once it has one, as an empty entry would show nothing.
    void showWhenPictured();

    bool added_ = false;

    QSystemTrayIcon tray_;
    QTimer animation_;
    std::map<int, QIcon> pictures_;
    std::unique_ptr<kestrum::TTrayIcon> icon_; // goes first, taking its icon away
};
