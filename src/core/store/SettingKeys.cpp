#include "store/SettingKeys.h"

#include "store/IniFile.h"
#include "text/Gb18030.h"

namespace kestrum {

const SettingKeys& settingKeys() {
    static const SettingKeys keys = [] {
        std::string program = gb("程序参数");
        return SettingKeys{
            program,
            gb("类别"),
            gb("程序皮肤设置"),
            gb("非分类"),
            {program, gb("窗口顶部"), 300},
            {program, gb("窗口左边"), 400},
            {program, gb("是否自动保存"), true},
            {program, gb("是否有声"), true},
            {program, gb("窗口2宽度"), 700},
            {program, gb("窗口2高度"), 500},
            {program, gb("窗口2高"), 90},
            {program, gb("窗口2左边"), 40},
            {program, gb("每行字数"), "32"},
            {program, gb("滑杆1"), 65},
            {program, gb("滑杆3"), 50},
            {program, gb("滑杆4"), 200},
            {program, gb("文件用UTF-8保存"), false},
        };
    }();
    return keys;
}

} // namespace kestrum

namespace kestrum {

int readSetting(const IniFile& file, const IntegerSetting& s) {
    return file.readInteger(s.section, s.key, s.fallback);
}
bool readSetting(const IniFile& file, const BoolSetting& s) {
    return file.readBool(s.section, s.key, s.fallback);
}
std::string readSetting(const IniFile& file, const StringSetting& s) {
    return file.readString(s.section, s.key, s.fallback);
}
void writeSetting(IniFile& file, const IntegerSetting& s, int value) {
    file.writeInteger(s.section, s.key, value);
}
void writeSetting(IniFile& file, const BoolSetting& s, bool value) {
    file.writeBool(s.section, s.key, value);
}
void writeSetting(IniFile& file, const StringSetting& s, const std::string& value) {
    file.writeString(s.section, s.key, value);
}

} // namespace kestrum
