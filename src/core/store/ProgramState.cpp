#include "store/ProgramState.h"

#include "base/Errors.h"
#include "store/FileStore.h"
#include "store/SettingKeys.h"

namespace kestrum {

void ProgramState::openSettings() {
    settings.open(folders.settingsFile());
    skins.open(folders.skinFile());
    // A user who starts afresh gets category files every Linux program
    // reads; one whose settings file exists keeps what their folders hold.
    if (files::exists(settings.path()))
        return;
    try {
        writeSetting(settings, settingKeys().saveUtf8, true);
    } catch (const KestrumError&) {
        // The program still starts where its settings cannot be written;
        // the first setting the user changes says so.
    }
}

} // namespace kestrum
