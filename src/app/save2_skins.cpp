// The skin list of the editor's settings page: filled anew from a search
// every time the page is chosen, and a chosen entry applied to the drop window.
#include "save2.h"

#include "Desktop.h"
#include "ListSelection.h"
#include "ProgramText.h"
#include "save1.h"
#include "store/ProgramState.h"
#include "store/Skins.h"

#include <QListWidget>

void TForm2::connectSkinHandlers() {
    // A click, or the selection moved with the keyboard; a row that only
    // became current when focus arrived applies nothing.
    connect(ListBox3, &QListWidget::itemClicked, this, [this] { ListBox3Click(); });
    connect(ListBox3, &QListWidget::itemSelectionChanged, this, [this] { ListBox3Click(); });
}

void TForm2::fillSkinList() {
    QSignalBlocker quiet(ListBox3); // filling the list applies nothing
    ListBox3->clear();
    state_.skinFolders = kestrum::searchSkins(state_.folders, state_.skins);
    for (const auto& folder : state_.skinFolders)
        ListBox3->addItem(toQt(kestrum::skinName(folder)));
}

void TForm2::ListBox3Click() {
    QListWidgetItem* selected = highlightedItem(ListBox3);
    if (selected)
        guarded(desktop_,
                [&] { dropWindow_.applySkin(fromQt(selected->text()), state_.folders.program); });
}
