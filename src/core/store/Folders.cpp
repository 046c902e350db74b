#include "store/Folders.h"

#include "base/Errors.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "text/Messages.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrum {

std::string Folders::categoryWorkingFile(std::string_view category) const {
    checkCategoryName(category);
    return temporary + std::string(category) + "temp.txt";
}

namespace {

bool sameFolder(std::string_view a, std::string_view b) {
    std::error_code ec;
    return std::filesystem::equivalent(files::nativePath(a), files::nativePath(b), ec);
}

// Settings an earlier version kept in the data folder move to the config
// folder once: never over settings already there.
void moveOldSettings(const std::string& from, const std::string& to) {
    if (from.empty() || files::exists(to + "tuckpad.ini"))
        return;
    for (const char* name : {"tuckpad.ini", "skin.ini"}) {
        std::error_code ec;
        auto source = files::nativePath(from + name), target = files::nativePath(to + name);
        if (!std::filesystem::exists(source, ec))
            continue;
        std::filesystem::rename(source, target, ec);
        if (ec) { // another file system: copy, then remove the original
            std::filesystem::copy_file(source, target, ec);
            if (!ec)
                std::filesystem::remove(source, ec);
        }
    }
}

} // namespace

SettingsFolders chooseSettingsFolders(const SettingsPlaces& places) {
    if (!sameFolder(places.executableFolder, places.installedBinFolder) &&
        access(files::nativePath(places.executableFolder).c_str(), W_OK) == 0) {
        std::string beside = withSlash(places.executableFolder);
        return {beside, beside};
    }
    SettingsFolders chosen{withSlash(places.configFolder),
                           withSlash(places.documentsFolder) + "Kestrum/"};
    std::error_code ec;
    std::filesystem::create_directories(files::nativePath(chosen.program), ec);
    std::filesystem::create_directories(files::nativePath(chosen.unsorted), ec);
    moveOldSettings(places.oldDataFolder.empty() ? "" : withSlash(places.oldDataFolder),
                    chosen.program);
    return chosen;
}

std::string shippedDataFolder(std::string_view executableFolder) {
    std::filesystem::path bin{std::string(executableFolder)};
    if (!bin.has_filename())
        bin = bin.parent_path(); // "/usr/bin/" names the same folder as "/usr/bin"
    return withSlash(bin.parent_path().string()) + "share/kestrum/";
}

std::string shippedManual(const Folders& folders, InterfaceLanguage language) {
    bool chinese = language != InterfaceLanguage::English;
    return folders.data + (chinese ? "manual/tuckpad.html" : "manual/tuckpad_en.html");
}

std::string helpDocument(const Folders& folders, InterfaceLanguage language) {
    for (std::string candidate :
         {folders.program + "tuckpad.chm", shippedManual(folders, language)})
        if (files::exists(candidate))
            return candidate;
    return {};
}

void preparePrivateFolder(const std::string& folder, unsigned userId) {
    auto native = files::nativePath(folder);
    if (mkdir(native.c_str(), 0700) != 0 && errno != EEXIST)
        raise(Messages::tr("无法建立临时文件夹 %s"), folder);
    struct stat info {};
    if (lstat(native.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        raise(Messages::tr("临时文件夹 %s 不是文件夹（也许是一个链接），为了安全不使用它"), folder);
    if (info.st_uid != userId)
        raise(Messages::tr("临时文件夹 %s 属于别的用户，为了安全不使用它"), folder);
    if ((info.st_mode & 077) != 0 && chmod(native.c_str(), 0700) != 0)
        raise(Messages::tr("无法把临时文件夹 %s 设为私有"), folder);
}

PrivateFolder choosePrivateTemporaryFolder(std::string_view runtimeFolder,
                                           std::string_view systemTemporary, unsigned userId) {
    std::string usual = runtimeFolder.empty()
                            ? withSlash(systemTemporary) + "kestrum-" + std::to_string(userId)
                            : withSlash(runtimeFolder) + "kestrum";
    try {
        preparePrivateFolder(usual, userId);
        return {usual + "/", {}};
    } catch (const KestrumError& refused) {
        std::string fresh = files::nativePath(withSlash(systemTemporary)).native() + "kestrum-" +
                            std::to_string(userId) + "-XXXXXX";
        if (!mkdtemp(fresh.data()))
            throw;
        std::string path = files::programPath(fresh) + "/";
        return {path, refused.what() + Messages::tr("。这次运行改用临时文件夹 ") + path};
    }
}

} // namespace kestrum
