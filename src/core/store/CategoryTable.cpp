#include "store/CategoryTable.h"

#include "base/Errors.h"
#include "store/FileStore.h"
#include "store/IniFile.h"
#include "store/SettingKeys.h"
#include "text/AsciiText.h"
#include "text/Messages.h"

#include <unordered_map>

namespace kestrum {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

void checkCategoryName(std::string_view name) {
    bool unsafe = name.empty() || name == "." || name == ".." ||
                  name.find_first_of(std::string_view("/\r\n=\0", 5)) != std::string_view::npos;
    if (unsafe)
        raise(Messages::tr("类别名“%s”不能用：类别名不能为空，不能是“.”或“..”，也不能含有“/”、“=”、"
                           "换行或空字符。"),
              name);
    // The settings file trims blanks around its keys, so such a name could
    // be written but never read back.
    if (isBlank(name.front()) || isBlank(name.back()))
        raise(Messages::tr("类别名“%s”不能用：类别名的开头和结尾不能是空格。"), name);
}

void checkCategoryFolder(std::string_view folder) {
    if (folder.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        raise(Messages::tr("文件夹“%s”不能用：文件夹名不能含有换行或空字符。"), folder);
    // The settings file trims blanks around values: such a folder would be
    // read back as another one.
    if (!folder.empty() && (isBlank(folder.front()) || isBlank(folder.back())))
        raise(Messages::tr("文件夹“%s”不能用：文件夹名的开头和结尾不能是空格。"), folder);
}

namespace categories {

std::vector<std::string> names(const IniFile& settings) {
    return settings.listKeys(settingKeys().categorySection);
}

std::string folder(const IniFile& settings, std::string_view name, std::string_view fallback) {
    return settings.readString(settingKeys().categorySection, name, fallback);
}

void write(IniFile& settings, std::string_view name, std::string_view folder) {
    checkCategoryName(name);
    checkCategoryFolder(folder);
    settings.writeString(settingKeys().categorySection, name, folder);
}

void remove(IniFile& settings, std::string_view name) {
    settings.deleteKey(settingKeys().categorySection, name);
}

void rewriteInOrder(IniFile& settings, const std::string& snapshotPath,
                    const std::vector<std::string>& newOrder, std::string_view fallback) {
    files::copy(settings.path(), snapshotPath, IniFile::kWriteError);
    std::unordered_map<std::string, std::string> stored;
    for (auto& [key, value] : IniFile(snapshotPath).readSection(settingKeys().categorySection))
        stored.emplace(lowerAscii(key), std::move(value)); // the first of equal keys counts
    auto folderInSnapshot = [&](const std::string& name) {
        auto found = stored.find(lowerAscii(name));
        return found != stored.end() ? found->second : std::string(fallback);
    };
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(newOrder.size());
    for (const auto& name : newOrder)
        entries.emplace_back(name, folderInSnapshot(name));
    try {
        settings.writeSection(settingKeys().categorySection, entries);
    } catch (...) {
        files::remove(snapshotPath);
        throw;
    }
    files::remove(snapshotPath);
}

} // namespace categories
} // namespace kestrum
