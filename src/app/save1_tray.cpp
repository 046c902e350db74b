// The drop window's notification-area icon.
#include "save1.h"

#include "AppTexts.h"
#include "ProgramText.h"
#include "TrayIconAdapter.h"

#include <QMenu>

// The drop window's configuration of the icon, in this order: the icon is
// added at once, then given the program's picture and its tooltip. The
// notification area gets the drop window's menu too, and opens it at the
// icon where it can; the pointer position this program knows may be far
// from there.
void TForm1::createTrayIcon() {
    TrayIcon1 = std::make_unique<TrayIconAdapter>();
    kestrum::TTrayIcon& icon = TrayIcon1->icon();
    icon.HideAppOnActive = false;
    icon.SetActive(true);
    icon.SetAnimate(false);
    icon.ShowDesigning = false;
    icon.SetIcon(TrayIcon1->addImage(programIcon()));
    icon.SetToolTip(fromQt(apptexts::applicationTitle() + QLatin1Char(' ')));
    icon.OnDblClick = [this] { TrayIcon1DblClick(); };
    icon.PopupMenu = [this](kestrum::ScreenPoint at) { PopupMenu1->popup(QPoint(at.x, at.y)); };
    TrayIcon1->setMenu(PopupMenu1);
}

QIcon TForm1::programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kestrum-%1.png").arg(size), QSize(size, size));
    return icon;
}

void TForm1::TrayIcon1DblClick() {
    mshowClick();
}
