#pragma once

#include <string>
#include <string_view>

namespace kestrum {

// The folders every part of the program builds its paths from, each as
// program text ending in "/".
struct Folders {
    std::string program;   // settings files, the pseudo-category, skins
    std::string temporary; // category working files
    std::string documents; // the drop window's folder for a category not in the table

    std::string working() const { return temporary + "tuckpad/"; }
    std::string settingsFile() const { return program + "tuckpad.ini"; }
    std::string skinFile() const { return program + "skin.ini"; }

    // temporary folder + category + "temp.txt"; raises for a name that
    // could reach outside the temporary folder.
    std::string categoryWorkingFile(std::string_view category) const;
};

// `folder` with "/" added unless it ends in one already.
std::string withSlash(std::string_view folder);

// The executable's folder when it can be written to (a build tree, an
// unpacked folder), else the per-user data folder, which is created.
std::string chooseProgramFolder(std::string_view executableFolder, std::string_view userDataFolder);

// A private folder for this user below the system's temporary folder,
// created with mode 0700; raises when it is a link, not a folder, or
// belongs to someone else.
std::string preparePrivateTemporaryFolder(std::string_view systemTemporary, unsigned userId);

} // namespace kestrum
