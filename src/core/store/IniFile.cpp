#include "store/IniFile.h"

#include "base/Errors.h"
#include "base/Numbers.h"
#include "store/FileStore.h"
#include "text/AsciiText.h"
#include "text/Messages.h"
#include "text/TextLines.h"

#include <algorithm>
#include <optional>

namespace kestrum {
namespace {

std::string_view trimBlanks(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimBlanks(line);
    auto close = line.find(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos)
        return std::nullopt;
    return trimBlanks(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// Blank lines, comments and lines without "=" hold no key.
std::optional<KeyLine> keyLine(std::string_view line) {
    std::string_view trimmed = trimBlanks(line);
    auto equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[' ||
        equals == std::string_view::npos)
        return std::nullopt;
    KeyLine result{trimBlanks(trimmed.substr(0, equals)), trimBlanks(trimmed.substr(equals + 1))};
    if (result.key.empty())
        return std::nullopt;
    return result;
}

// The file as lines; each operation takes it afresh from disk.
class Document {
  public:
    explicit Document(const std::string& path) {
        auto data = files::tryRead(path);
        if (data)
            for (auto line : lines::split(*data))
                lines_.emplace_back(line);
    }

    // Lines [first, end) of the section's body; first is past the header.
    struct Range {
        std::size_t header;
        std::size_t first;
        std::size_t end;
    };

    std::optional<Range> find(std::string_view section) const {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            auto name = sectionName(lines_[i]);
            if (!name || !sameKeyName(*name, section))
                continue;
            std::size_t end = i + 1;
            while (end < lines_.size() && !sectionName(lines_[end]))
                ++end;
            return Range{i, i + 1, end};
        }
        return std::nullopt;
    }

    std::optional<std::size_t> findKey(const Range& range, std::string_view key) const {
        for (std::size_t i = range.first; i < range.end; ++i)
            if (auto entry = keyLine(lines_[i]); entry && sameKeyName(entry->key, key))
                return i;
        return std::nullopt;
    }

    std::optional<std::string> value(std::string_view section, std::string_view key) const {
        auto range = find(section);
        if (!range)
            return std::nullopt;
        auto at = findKey(*range, key);
        if (!at)
            return std::nullopt;
        return std::string(keyLine(lines_[*at])->value);
    }

    // Where a new key of the section goes: after its last non-blank line,
    // so a blank line that separates it from the next section stays there.
    std::size_t insertionPoint(const Range& range) const {
        std::size_t at = range.end;
        while (at > range.first && trimBlanks(lines_[at - 1]).empty())
            --at;
        return at;
    }

    std::vector<std::string>& lines() { return lines_; }
    const std::vector<std::string>& lines() const { return lines_; }

    std::string render() const {
        std::string out;
        for (const auto& line : lines_)
            out.append(line).append(lines::kCrLf);
        return out;
    }

  private:
    std::vector<std::string> lines_;
};

bool holdsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void checkWritable(std::string_view section, std::string_view key, std::string_view value) {
    for (auto name : {section, key})
        // The reader trims blanks around names, so such a name could not be read back.
        if (trimBlanks(name) != name || name.empty() || name.find('=') != std::string_view::npos ||
            name.front() == '[' || name.front() == ';' || holdsLineBreakOrNul(name) ||
            name.find(']') != std::string_view::npos)
            raise(Messages::tr("设置项的名称不能为空，不能含有换行、“=”或“]”，不能以“[”或“;"
                               "”开头，开头和结尾也不能是空格：%s"),
                  name);
    if (holdsLineBreakOrNul(value))
        raise(Messages::tr("设置值只能是一行文字：%s"), key);
}

std::string entryLine(std::string_view key, std::string_view value) {
    std::string line(key);
    return line.append("=").append(value);
}

void save(const std::string& path, const Document& document) {
    files::replace(path, document.render(), IniFile::kWriteError);
}

} // namespace

bool sameKeyName(std::string_view a, std::string_view b) {
    return equalIgnoringAsciiCase(a, b);
}

int parseSettingInteger(std::string_view text, int fallback) {
    return parseInteger(text).value_or(fallback);
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    auto value = Document(path_).value(section, key);
    std::string text = value ? *std::move(value) : std::string(fallback);
    text.resize(std::min(text.size(), kStringReadLimit));
    return text;
}

int IniFile::readInteger(std::string_view section, std::string_view key, int fallback) const {
    auto value = Document(path_).value(section, key);
    return value ? parseSettingInteger(*value, fallback) : fallback;
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    checkWritable(section, key, value);
    Document document(path_);
    auto& lines = document.lines();
    auto range = document.find(section);
    if (!range) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entryLine(key, value));
    } else if (auto at = document.findKey(*range, key)) {
        lines[*at] = entryLine(key, value);
    } else {
        lines.insert(lines.begin() + static_cast<long>(document.insertionPoint(*range)),
                     entryLine(key, value));
    }
    save(path_, document);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniFile::listKeys(std::string_view section) const {
    std::vector<std::string> keys;
    Document document(path_);
    auto range = document.find(section);
    if (!range)
        return keys;
    std::size_t used = 1; // the listing's final terminator
    for (std::size_t i = range->first; i < range->end; ++i) {
        auto entry = keyLine(document.lines()[i]);
        if (!entry)
            continue;
        if (used + entry->key.size() + 1 > kKeyListingLimit)
            break;
        used += entry->key.size() + 1;
        keys.emplace_back(entry->key);
    }
    return keys;
}

std::vector<std::pair<std::string, std::string>>
IniFile::readSection(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    Document document(path_);
    if (auto range = document.find(section))
        for (std::size_t i = range->first; i < range->end; ++i)
            if (auto entry = keyLine(document.lines()[i]))
                entries.emplace_back(entry->key, entry->value.substr(0, kStringReadLimit));
    return entries;
}

void IniFile::deleteKey(std::string_view section, std::string_view key) {
    Document document(path_);
    auto range = document.find(section);
    auto at = range ? document.findKey(*range, key) : std::nullopt;
    if (!at)
        return;
    document.lines().erase(document.lines().begin() + static_cast<long>(*at));
    try {
        save(path_, document);
    } catch (const KestrumError&) {
        // A key deletion that the platform refuses is passed over.
    }
}

void IniFile::eraseSection(std::string_view section) {
    Document document(path_);
    auto range = document.find(section);
    if (!range)
        return;
    auto& lines = document.lines();
    lines.erase(lines.begin() + static_cast<long>(range->header),
                lines.begin() + static_cast<long>(range->end));
    save(path_, document);
}

void IniFile::writeSection(std::string_view section,
                           const std::vector<std::pair<std::string, std::string>>& entries) {
    checkWritable(section, "x", "");
    for (const auto& [key, value] : entries)
        checkWritable(section, key, value);
    Document document(path_);
    auto& lines = document.lines();
    std::vector<std::string> body;
    for (const auto& [key, value] : entries)
        body.push_back(entryLine(key, value));
    auto range = document.find(section);
    if (!range) {
        lines.push_back("[" + std::string(section) + "]");
        lines.insert(lines.end(), body.begin(), body.end());
    } else {
        // Blank lines and comments between the entries go with the old order.
        std::size_t keep = document.insertionPoint(*range);
        lines.erase(lines.begin() + static_cast<long>(range->first),
                    lines.begin() + static_cast<long>(keep));
        lines.insert(lines.begin() + static_cast<long>(range->first), body.begin(), body.end());
    }
    save(path_, document);
}

} // namespace kestrum
