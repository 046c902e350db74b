// The drop window's skins: the menu built once, and a skin's two pictures
// taking the place of the built-in pair.
#include "save1.h"

#include "Desktop.h"
#include "ProgramText.h"
#include "ScreenPicture.h"
#include "store/ProgramState.h"
#include "store/Skins.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

void TForm1::buildSkinMenu() {
    if (state_.skinMenuBuilt)
        return;
    state_.skinFolders = kestrum::searchSkins(state_.folders, state_.skins);
    QMenu* menu = mskin->menu();
    int n = 0;
    for (const auto& folder : state_.skinFolders) {
        QString name = toQt(kestrum::skinName(folder));
        mskin->setVisible(true);
        // "&&" shows one "&": the caption reads as the name, with no accelerator.
        QAction* item = menu->addAction(QString(name).replace(u'&', QStringLiteral("&&")));
        item->setObjectName(QStringLiteral("vorl%1").arg(n++));
        item->setData(name);
        connect(item, &QAction::triggered, this, [this, item] { MyClick(item); });
    }
    state_.skinMenuBuilt = true;
}

void TForm1::MyClick(QAction* item) {
    guarded(desktop_,
            [&] { applySkin(fromQt(item->data().toString()), state_.folders.documents); });
}

void TForm1::applySkin(const std::string& name, const std::string& fallbackFolder) {
    auto pictures = kestrum::skinFiles(state_.skins, name, fallbackFolder);
    if (!pictures)
        return;
    Image5 = skinPicture(pictures->off, devicePixelRatioF());
    Image6 = skinPicture(pictures->on, devicePixelRatioF()); // a bad one leaves the new off picture
    showStatePicture();
}
