#pragma once

#include "base/InterfaceLanguage.h"
#include "base/Paths.h"

#include <string>
#include <string_view>

namespace kestrum {

// The folders every part of the program builds its paths from, each as
// program text ending in "/".
struct Folders {
    std::string program;        // settings files, skins
    std::string temporary;      // category working files
    std::string documents;      // the drop window's folder for a category not in the table
    std::string data = {};      // what ships with the program, read only: the manual, skins
    std::string autostart = {}; // the user's XDG autostart folder
    std::string unsorted = {};  // the pseudo-category's folder; the program folder when empty

    std::string unsortedFolder() const { return unsorted.empty() ? program : unsorted; }
    std::string working() const { return temporary + "tuckpad/"; }
    std::string settingsFile() const { return program + "tuckpad.ini"; }
    std::string skinFile() const { return program + "skin.ini"; }

    // temporary folder + category + "temp.txt"; raises for a name that
    // could reach outside the temporary folder.
    std::string categoryWorkingFile(std::string_view category) const;
};

// The places the settings and the pseudo-category may go, as the desktop
// names them.
struct SettingsPlaces {
    std::string executableFolder;
    std::string installedBinFolder; // the install prefix's bin folder, as built
    std::string configFolder;       // $XDG_CONFIG_HOME/kestrum
    std::string oldDataFolder;      // ~/.local/share/Kestrum, where settings were kept before
    std::string documentsFolder;    // the user's documents folder
};

struct SettingsFolders {
    std::string program;  // settings files, ending in "/"
    std::string unsorted; // the pseudo-category's folder, ending in "/"
};

// A build tree or an unpacked copy that can be written keeps its settings
// and the pseudo-category's captures beside the program. An installed copy
// (or one that cannot be written) never writes into its own folders,
// whoever runs it: settings go to the config folder, where settings kept
// in the old data folder are moved once, and captures to documents +
// "Kestrum/", where the user sees them. The folders are created.
SettingsFolders chooseSettingsFolders(const SettingsPlaces& places);

// Where an installed program keeps what it ships: beside its bin folder,
// "/usr/bin" giving "/usr/share/kestrum/" (the build tree is laid out alike).
std::string shippedDataFolder(std::string_view executableFolder);

// The manual that ships with the program: Chinese for the Chinese
// interfaces, English for the English one.
std::string shippedManual(const Folders& folders, InterfaceLanguage language);

// The document the help commands open: "tuckpad.chm" in the program folder
// when the user put one there, else the shipped manual; empty when neither
// is there.
std::string helpDocument(const Folders& folders, InterfaceLanguage language);

// Creates `folder` with mode 0700 or makes an existing one private; raises
// when it is a link, not a folder, or belongs to someone else.
void preparePrivateFolder(const std::string& folder, unsigned userId);

struct PrivateFolder {
    std::string path;   // ends in "/"
    std::string notice; // why `path` is not the usual folder, for the user; empty when it is
};

// The run's private temporary folder: runtime folder + "kestrum/" when the
// desktop gives a runtime folder, else system temporary + "kestrum-UID/".
// When that one is refused (another user may have planted it, and a sticky
// temporary folder keeps it there), a fresh one made with mkdtemp.
PrivateFolder choosePrivateTemporaryFolder(std::string_view runtimeFolder,
                                           std::string_view systemTemporary, unsigned userId);

} // namespace kestrum
