#pragma once

class QString;
class QWidget;

// Brings a window forward at another start's request. On Wayland only a
// token the compositor handed out lets a program do that; `activationToken`
// (empty for none) goes to Qt's activation of the window.
void bringForward(QWidget& window, const QString& activationToken);
