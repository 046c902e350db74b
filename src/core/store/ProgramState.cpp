#include "store/ProgramState.h"

namespace kestrum {

void ProgramState::openSettings() {
    settings.open(folders.settingsFile());
    skins.open(folders.skinFile());
}

} // namespace kestrum
