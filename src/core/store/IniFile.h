#pragma once

#include "base/Numbers.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrum {

// An INI-style settings file of program text with CR LF line ends. Every
// call reads or writes the file itself, so a value written anywhere is seen
// by the next read everywhere, and a hand edit made while the program runs
// is seen too.
class IniFile {
  public:
    static constexpr std::size_t kStringReadLimit = 2047;
    static constexpr std::size_t kKeyListingLimit = 16384;
    static constexpr std::string_view kWriteError = "Unable to write to %s";

    IniFile() = default;
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    void open(std::string path) { path_ = std::move(path); }
    const std::string& path() const { return path_; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value);

    // Every entry of the section in file order, from one reading of the file.
    std::vector<std::pair<std::string, std::string>> readSection(std::string_view section) const;

    // The section's keys in file order, as many as fit the listing limit.
    std::vector<std::string> listKeys(std::string_view section) const;
    void deleteKey(std::string_view section, std::string_view key);
    void eraseSection(std::string_view section);

    // Writes the whole section anew in the given order, in one replacement
    // of the file, so that no failure half-way can lose entries.
    void writeSection(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& entries);

  private:
    std::string path_;
};

// Section and key names match without regard to ASCII letter case.
bool sameKeyName(std::string_view a, std::string_view b);

// A settings value that does not parse gives the fallback.
int parseSettingInteger(std::string_view text, int fallback);

} // namespace kestrum
