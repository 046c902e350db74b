#pragma once

#include <string>

namespace kestrum {

struct IntegerSetting {
    std::string section;
    std::string key;
    int fallback;
};

struct BoolSetting {
    std::string section;
    std::string key;
    bool fallback;
};

struct StringSetting {
    std::string section;
    std::string key;
    std::string fallback;
};

// Every section and key of the settings and skin files, with the default a
// reader uses, held in this one place. Texts are program text.
struct SettingKeys {
    std::string programSection;  // "程序参数"
    std::string categorySection; // "类别"
    std::string skinSection;     // "程序皮肤设置"
    std::string pseudoCategory;  // "非分类"

    IntegerSetting dropTop;
    IntegerSetting dropLeft;
    BoolSetting autoSave;
    BoolSetting sound;
    IntegerSetting editorWidth;
    IntegerSetting editorHeight;
    IntegerSetting editorTop;
    IntegerSetting editorLeft;
    StringSetting charsPerLine;
    IntegerSetting leftPanelWidth;     // "滑杆1"
    IntegerSetting viewerHeight;       // "滑杆3"
    IntegerSetting categoryListHeight; // "滑杆4"
    BoolSetting saveUtf8;              // "文件用UTF-8保存": category folders' files as UTF-8
};

const SettingKeys& settingKeys();

} // namespace kestrum

namespace kestrum {
class IniFile;

int readSetting(const IniFile& file, const IntegerSetting& setting);
bool readSetting(const IniFile& file, const BoolSetting& setting);
std::string readSetting(const IniFile& file, const StringSetting& setting);
void writeSetting(IniFile& file, const IntegerSetting& setting, int value);
void writeSetting(IniFile& file, const BoolSetting& setting, bool value);
void writeSetting(IniFile& file, const StringSetting& setting, const std::string& value);
} // namespace kestrum
