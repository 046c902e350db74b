#include "store/RunFiles.h"

#include "base/Errors.h"
#include "store/CategoryTable.h"
#include "store/DraftFile.h"
#include "store/FileStore.h"
#include "store/Folders.h"
#include "store/IniFile.h"
#include "store/SettingKeys.h"
#include "text/Messages.h"

#include <filesystem>

namespace kestrum {

void removeRunFiles(const Folders& folders, const std::vector<std::string>& categories) {
    std::error_code ec;
    std::filesystem::remove_all(files::nativePath(folders.working()), ec);
    files::remove(folders.categoryWorkingFile(settingKeys().pseudoCategory));
    for (const auto& category : categories) {
        try {
            files::remove(folders.categoryWorkingFile(category));
        } catch (const KestrumError&) {
            // A name that could point outside the temporary folder has no
            // working file of its own to remove.
        }
    }
}

void removeStaleSiblings(const Folders& folders, const IniFile& settings) {
    std::vector<std::string> written = {folders.program, folders.temporary, folders.working()};
    for (const auto& [name, folder] : settings.readSection(settingKeys().categorySection))
        written.push_back(folder);
    for (const auto& folder : written)
        files::removeStaleSiblings(folder);
}

void createWorkingFolder(const Folders& folders) {
    std::error_code ec;
    std::filesystem::create_directories(files::nativePath(folders.working()), ec);
    if (ec)
        raise(Messages::tr("无法建立工作文件夹 %s"), folders.working());
}

} // namespace kestrum
