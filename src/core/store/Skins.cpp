#include "store/Skins.h"

#include "base/UserFile.h"
#include "store/FileStore.h"
#include "store/Folders.h"
#include "store/IniFile.h"
#include "store/SettingKeys.h"
#include "text/AsciiText.h"

#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>

namespace kestrum {
namespace {

struct Search {
    std::string_view fileName;
    int foldersLeft;
    std::vector<std::string> found;

    void visit(const std::string& folder) {
        if (foldersLeft-- <= 0)
            return;
        DIR* entries = ::opendir(files::nativePath(folder).c_str());
        if (!entries)
            return; // a folder that cannot be listed adds nothing
        bool listed = false;
        while (dirent* entry = ::readdir(entries)) {
            std::string name = files::programPath(entry->d_name);
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "/" + name;
            struct stat info {};
            if (::lstat(files::nativePath(path).c_str(), &info) != 0)
                continue;
            if (S_ISDIR(info.st_mode)) {
                if (name[0] != '.')
                    visit(path);
            } else if (!listed && equalIgnoringAsciiCase(name, fileName)) {
                found.push_back(folder + "/");
                listed = true;
            }
        }
        ::closedir(entries);
    }
};

// The name `fileName` has in `folder`, compared without regard to ASCII
// case as the search compares it; nothing when no regular file has it.
std::optional<std::string> entryIgnoringCase(const std::string& folder, std::string_view fileName) {
    DIR* entries = ::opendir(files::nativePath(folder).c_str());
    if (!entries)
        return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = ::readdir(entries)) {
        std::string name = files::programPath(entry->d_name);
        struct stat info {};
        if (equalIgnoringAsciiCase(name, fileName) &&
            ::stat(files::nativePath(folder + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            found = std::move(name);
            break;
        }
    }
    ::closedir(entries);
    return found;
}

// 1024 by 1024 pixels of 32 bits with room for the headers.
constexpr std::size_t kLargestSkinPicture = 5 << 20;

std::string withoutSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

std::vector<std::string> findFoldersWithFile(std::string_view fileName, const std::string& root,
                                             int mostFolders) {
    Search search{fileName, mostFolders, {}};
    search.visit(withoutSlash(root));
    return search.found;
}

std::string skinName(std::string_view folder) {
    // "/" is never part of a multi-byte GB18030 character, so the bytes
    // between the last two slashes are whole characters.
    std::string_view path = folder.substr(0, folder.empty() ? 0 : folder.size() - 1);
    std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::vector<std::string> searchSkins(const Folders& folders, IniFile& skinFile) {
    auto skins = findFoldersWithFile("1.bmp", folders.program);
    std::error_code ec;
    std::string program = withSlash(withoutSlash(folders.program));
    if (!folders.data.empty() &&
        std::filesystem::is_directory(files::nativePath(folders.data), ec) &&
        folders.data.rfind(program, 0) != 0)
        for (auto& skin : findFoldersWithFile("1.bmp", folders.data))
            skins.push_back(std::move(skin));
    for (const auto& folder : skins) {
        try {
            skinFile.writeString(settingKeys().skinSection, skinName(folder), folder);
        } catch (const std::exception&) {
            // Offered all the same; only the way back by name is missing.
        }
    }
    return skins;
}

std::optional<SkinFiles> skinFiles(const IniFile& skinFile, std::string_view name,
                                   std::string_view fallbackFolder) {
    std::string folder = skinFile.readString(settingKeys().skinSection, name, fallbackFolder);
    // The search offers a skin whatever the case of its names ("1.BMP"), so
    // the pictures are opened under the names they really have.
    auto off = entryIgnoringCase(folder, "1.bmp");
    auto on = entryIgnoringCase(folder, "2.bmp");
    if (!off || !on)
        return std::nullopt;
    return SkinFiles{folder + *off, folder + *on};
}

std::string doubleSizePicture(std::string_view path) {
    std::size_t nameStart = path.find_last_of('/') + 1; // npos + 1 is 0
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || dot < nameStart)
        dot = path.size();
    return std::string(path.substr(0, dot)) + "@2x" + std::string(path.substr(dot));
}

std::optional<std::string> readSkinPicture(std::string_view path) {
    files::UserFileBytes read =
        files::readUserFile(files::nativePath(path).c_str(), kLargestSkinPicture);
    if (read.failure != files::ReadFailure::none || !read.whole)
        return std::nullopt;
    return std::move(read.bytes);
}

} // namespace kestrum
