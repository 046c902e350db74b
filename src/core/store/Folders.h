#pragma once

#include "base/Paths.h"

#include <string>
#include <string_view>

namespace kestrum {

// The folders every part of the program builds its paths from, each as
// program text ending in "/".
struct Folders {
    std::string program;        // settings files, the pseudo-category, skins
    std::string temporary;      // category working files
    std::string documents;      // the drop window's folder for a category not in the table
    std::string data = {};      // what ships with the program, read only: the manual, skins
    std::string autostart = {}; // the user's XDG autostart folder

    std::string working() const { return temporary + "tuckpad/"; }
    std::string settingsFile() const { return program + "tuckpad.ini"; }
    std::string skinFile() const { return program + "skin.ini"; }

    // temporary folder + category + "temp.txt"; raises for a name that
    // could reach outside the temporary folder.
    std::string categoryWorkingFile(std::string_view category) const;
};

// The executable's folder when it can be written to (a build tree, an
// unpacked folder), else the per-user data folder, which is created.
std::string chooseProgramFolder(std::string_view executableFolder, std::string_view userDataFolder);

// Where an installed program keeps what it ships: beside its bin folder,
// "/usr/bin" giving "/usr/share/kestrum/" (the build tree is laid out alike).
std::string shippedDataFolder(std::string_view executableFolder);

// The document the help commands open: "tuckpad.chm" in the program folder
// when the user put one there, else the manual that ships with the program;
// empty when neither is there.
std::string helpDocument(const Folders& folders);

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
