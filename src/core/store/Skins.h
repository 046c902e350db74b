#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Skins: folders holding "1.bmp" (the picture with auto-save off) and
// "2.bmp" (on), found below the program folder and the folder of what
// ships with the program, and named after their folder.
namespace kestrum {

class IniFile;
struct Folders;

inline constexpr int kMostFoldersSearched = 20000;

// Depth first below `root`, in the order the file system lists entries:
// every folder (`root` itself included) holding `fileName`, compared
// without regard to ASCII case, as a path ending in "/". Only real folders
// are searched: no symbolic link is followed and no hidden folder (".name")
// entered, and the search stops after `mostFolders` folders.
std::vector<std::string> findFoldersWithFile(std::string_view fileName, const std::string& root,
                                             int mostFolders = kMostFoldersSearched);

// The last component of a folder path that ends in "/".
std::string skinName(std::string_view folder);

// The skins of the program folder, then those shipped beside the program,
// each entered in the skin file (a folder that cannot be stored there, such
// as one with a line break in its path, is still offered).
std::vector<std::string> searchSkins(const Folders& folders, IniFile& skinFile);

struct SkinFiles {
    std::string off, on; // "1.bmp" and "2.bmp"
};

// The two pictures of the skin `name` (its folder from the skin file, else
// `fallbackFolder`); nothing when either file is missing.
std::optional<SkinFiles> skinFiles(const IniFile& skinFile, std::string_view name,
                                   std::string_view fallbackFolder);

// Where a picture drawn at twice the size may lie beside the one at `path`:
// "1.bmp" gives "1@2x.bmp".
std::string doubleSizePicture(std::string_view path);

// A skin picture's bytes, read as a user's file; nothing when it cannot be
// read or is larger than any picture a drop window could take.
std::optional<std::string> readSkinPicture(std::string_view path);

} // namespace kestrum
