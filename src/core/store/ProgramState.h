#pragma once

#include "store/Folders.h"
#include "store/IniFile.h"
#include "store/UnsavedTexts.h"
#include "store/WorkingFileWriter.h"

#include <string>
#include <vector>

namespace kestrum {

// The state both windows share for the whole run; the drop window owns the
// one instance.
struct ProgramState {
    Folders folders;
    InterfaceLanguage language = InterfaceLanguage::Source; // the manual follows it
    IniFile settings;                                       // tuckpad.ini
    IniFile skins;                                          // skin.ini
    bool autoSave = false;
    bool sound = false;
    bool editorClosed = false;
    std::string captureCategory;
    std::string captureFolder;
    int dropIndex = 0;
    int savedTop = 0;
    std::vector<std::string> skinFolders;
    bool skinMenuBuilt = false;
    UnsavedTexts unsaved;
    WorkingFileWriter workingFiles; // the editor's writes, waited for by every other user
    // Told in the message panel the first time the editor is on the screen.
    std::string pendingNotice;

    // Binds the two settings files to the program folder; a settings file
    // made from nothing starts with "文件用UTF-8保存" on.
    void openSettings();
};

} // namespace kestrum
