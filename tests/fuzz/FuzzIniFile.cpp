// The settings file: any content reads without failing, and a value that
// the writer accepts reads back as written, leaving every other entry as it
// read before.
#include "FuzzCheck.h"
#include "base/Errors.h"
#include "store/FileStore.h"
#include "store/IniFile.h"

#include <algorithm>
#include <unistd.h>

using namespace kestrum;

namespace {
const std::string& scratchFile() {
    static const std::string path =
        (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
        "/kestrum-fuzz-ini-" + std::to_string(getpid()) + ".ini";
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = bytesOf(data, size);
    // The first line names the section, key and value to write; the rest is the file.
    auto end = input.find('\n');
    std::string_view command = input.substr(0, end);
    std::string_view content = end == std::string_view::npos ? "" : input.substr(end + 1);
    auto at1 = command.find('\t'), at2 = command.find('\t', at1 == command.npos ? at1 : at1 + 1);
    if (at1 == command.npos || at2 == command.npos)
        return 0;
    std::string section(command.substr(0, at1)), key(command.substr(at1 + 1, at2 - at1 - 1));
    std::string value(command.substr(at2 + 1));

    files::replace(scratchFile(), content);
    IniFile ini(scratchFile());
    ini.readInteger(section, key, 7);
    ini.readBool(section, key, true);
    ini.listKeys(section);
    auto before = ini.readSection(section);
    try {
        ini.writeString(section, key, value);
    } catch (const KestrumError&) {
        require(ini.readSection(section) == before, "a refused write changes nothing");
        return 0;
    }
    std::string trimmed = value;
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t'))
        trimmed.pop_back();
    while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t'))
        trimmed.erase(0, 1);
    if (trimmed.size() <= IniFile::kStringReadLimit)
        require(ini.readString(section, key, "\x01") == trimmed, "a written value reads back");
    auto sameName = [](const std::string& name) {
        return [&name](const auto& entry) { return sameKeyName(entry.first, name); };
    };
    for (const auto& entry : before) {
        // A key name that stands twice reads as its first entry.
        bool unique = std::count_if(before.begin(), before.end(), sameName(entry.first)) == 1;
        if (unique && !sameKeyName(entry.first, key))
            require(ini.readString(section, entry.first, "\x01") == entry.second,
                    "other entries keep their values");
    }
    return 0;
}
