#include "text/RtfReader.h"

#include "text/Gb18030.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

namespace kestrum::rtf {
namespace {

enum class Destination { Text, Skip, FontTable, ColorTable };

// Bold, italic and size of double-byte text (\ab, \ai, \afs after \dbch),
// which word processors write apart from those of Latin text.
struct AsianFormat {
    bool bold = false, italic = false;
    std::optional<int> halfPoints;
};

// What a group inherits from the group around it.
struct GroupState {
    Format format;
    AsianFormat asian;
    bool doubleByte = false; // \dbch: the text that follows is Asian
    int codePage = 1252;
    int unicodeFallback = 1; // \ucN: characters after \uN that stand in for it
    Destination destination = Destination::Text;
};

void appendUtf8(std::string& out, std::uint32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Groups whose content is not document text. Anything starred with \* that
// is not listed here is skipped as well.
const std::unordered_map<std::string_view, Destination>& destinations() {
    static const std::unordered_map<std::string_view, Destination> table = [] {
        std::unordered_map<std::string_view, Destination> t{{"fonttbl", Destination::FontTable},
                                                            {"colortbl", Destination::ColorTable}};
        for (std::string_view skipped :
             {"stylesheet",        "info",         "pict",       "object",    "header",
              "headerl",           "headerr",      "headerf",    "footer",    "footerl",
              "footerr",           "footerf",      "footnote",   "xmlnstbl",  "listtable",
              "listoverridetable", "rsidtbl",      "generator",  "themedata", "colorschememapping",
              "datastore",         "latentstyles", "fldinst",    "filetbl",   "revtbl",
              "pgdsctbl",          "userprops",    "docvar",     "template",  "nonshppict",
              "mmathPr",           "pntext",       "pntxta",     "pntxtb",    "bkmkstart",
              "bkmkend",           "shpinst",      "annotation", "atnid",     "atnauthor",
              "comment",           "operator",     "title",      "subject",   "author",
              "keywords",          "doccomm",      "company"})
            t.emplace(skipped, Destination::Skip);
        return t;
    }();
    return table;
}

const std::unordered_map<std::string_view, std::string_view>& symbolWords() {
    static const std::unordered_map<std::string_view, std::string_view> table{
        {"par", "\n"},           {"line", "\n"},       {"sect", "\n"},
        {"page", "\n"},          {"row", "\n"},        {"tab", "\t"},
        {"cell", "\t"},          {"emdash", "\u2014"}, {"endash", "\u2013"},
        {"lquote", "\u2018"},    {"rquote", "\u2019"}, {"ldblquote", "\u201C"},
        {"rdblquote", "\u201D"}, {"bullet", "\u2022"}, {"emspace", " "},
        {"enspace", " "}};
    return table;
}

int codePageOfCharset(int charset, int documentPage) {
    switch (charset) {
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 204:
        return 1251;
    case 238:
        return 1250;
    default:
        return documentPage; // ANSI and default fonts follow \ansicpg
    }
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Reader {
  public:
    Reader(std::string_view in, const Decoder& decode) : in_(in), decode_(decode) {}

    std::optional<Document> run() {
        while (at_ < in_.size()) {
            char c = in_[at_++];
            if (c == '{') {
                flushBytes();
                starred_ = false;
                if (groups_.size() >= static_cast<std::size_t>(kDeepestGroup))
                    return std::nullopt;
                groups_.push_back(state_);
                skipFallback_ = 0;
            } else if (c == '}') {
                flushBytes();
                if (groups_.empty())
                    break;
                closeGroup();
                if (groups_.empty())
                    break; // the document's own group has ended
            } else if (c == '\\') {
                controlSequence();
            } else if (c != '\r' && c != '\n') {
                textByte(c);
            }
        }
        flushBytes();
        return std::move(document_);
    }

  private:
    void closeGroup() {
        if (state_.destination == Destination::FontTable &&
            groups_.back().destination != Destination::FontTable)
            font_ = -1;
        state_ = groups_.back();
        groups_.pop_back();
        skipFallback_ = 0;
    }

    void controlSequence() {
        if (at_ >= in_.size())
            return;
        char c = in_[at_];
        if (!isLetter(c)) {
            ++at_;
            controlSymbol(c);
            return;
        }
        std::size_t start = at_;
        while (at_ < in_.size() && isLetter(in_[at_]))
            ++at_;
        std::string_view word = in_.substr(start, std::min<std::size_t>(at_ - start, 32));
        std::optional<int> parameter = readParameter();
        if (at_ < in_.size() && in_[at_] == ' ')
            ++at_; // the delimiter belongs to the word
        flushBytes();
        if (word == "bin") {
            at_ += std::min<std::size_t>(
                static_cast<std::size_t>(std::max(parameter.value_or(0), 0)), in_.size() - at_);
            return;
        }
        if (skipFallback_ > 0 && word != "u") {
            --skipFallback_;
            return;
        }
        controlWord(word, parameter);
    }

    std::optional<int> readParameter() {
        bool negative = at_ < in_.size() && in_[at_] == '-';
        std::size_t start = at_ + (negative ? 1 : 0), end = start;
        long long value = 0;
        while (end < in_.size() && end - start < 10 && in_[end] >= '0' && in_[end] <= '9')
            value = value * 10 + (in_[end++] - '0');
        if (end == start)
            return std::nullopt;
        at_ = end;
        value = std::clamp(negative ? -value : value, -2147483647LL, 2147483647LL);
        return static_cast<int>(value);
    }

    void controlSymbol(char c) {
        if (c == '\'') {
            int high = at_ < in_.size() ? hexValue(in_[at_]) : -1;
            int low = at_ + 1 < in_.size() ? hexValue(in_[at_ + 1]) : -1;
            if (high < 0 || low < 0)
                return;
            at_ += 2;
            textByte(static_cast<char>(high * 16 + low));
            return;
        }
        if (c == '*') {
            starred_ = true;
            return;
        }
        flushBytes();
        if (skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        if (c == '\r' || c == '\n')
            text("\n");
        else if (c == '~')
            text("\u00A0");
        else if (c == '_')
            text("\u2011");
        else if (c == '\\' || c == '{' || c == '}')
            text(std::string(1, c));
    }

    void controlWord(std::string_view word, std::optional<int> parameter) {
        bool starred = std::exchange(starred_, false);
        auto destination = destinations().find(word);
        if (destination != destinations().end()) {
            if (state_.destination == Destination::Text)
                state_.destination = destination->second;
            return;
        }
        if (starred) {
            state_.destination = Destination::Skip;
            return;
        }
        if (state_.destination == Destination::FontTable)
            fontTableWord(word, parameter);
        else if (state_.destination == Destination::ColorTable)
            colorTableWord(word, parameter);
        else if (state_.destination == Destination::Text)
            textWord(word, parameter);
    }

    void fontTableWord(std::string_view word, std::optional<int> parameter) {
        if (word == "f")
            font_ = parameter.value_or(0);
        else if (word == "fcharset" && font_ >= 0)
            fontPages_[font_] = codePageOfCharset(parameter.value_or(0), documentPage_);
        else if (word == "cpg" && font_ >= 0 && parameter)
            fontPages_[font_] = *parameter;
    }

    void colorTableWord(std::string_view word, std::optional<int> parameter) {
        int value = std::clamp(parameter.value_or(0), 0, 255);
        int shift = word == "red" ? 16 : word == "green" ? 8 : word == "blue" ? 0 : -1;
        if (shift < 0)
            return;
        color_ =
            (color_.value_or(0) & ~(0xFFu << shift)) | (static_cast<std::uint32_t>(value) << shift);
    }

    void textWord(std::string_view word, std::optional<int> parameter) {
        Format& f = state_.format;
        bool on = parameter.value_or(1) != 0;
        if (auto symbol = symbolWords().find(word); symbol != symbolWords().end())
            text(std::string(symbol->second));
        else if (word == "u" && parameter)
            unicode(*parameter);
        else if (word == "uc")
            state_.unicodeFallback = std::clamp(parameter.value_or(1), 0, 16);
        else if (word == "b")
            f.bold = on;
        else if (word == "i")
            f.italic = on;
        else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" ||
                 word == "ulwave" || word == "uldash" || word == "ulth")
            f.underline = on;
        else if (word == "ulnone")
            f.underline = false;
        else if (word == "fs" && parameter && *parameter > 0)
            f.halfPoints = std::min(*parameter, 3276);
        else if (word == "ab")
            state_.asian.bold = on;
        else if (word == "ai")
            state_.asian.italic = on;
        else if (word == "afs" && parameter && *parameter > 0)
            state_.asian.halfPoints = std::min(*parameter, 3276);
        else if (word == "dbch" || word == "loch" || word == "hich")
            state_.doubleByte = word == "dbch";
        else if (word == "cf")
            f.color = colorAt(parameter.value_or(0));
        else if (word == "plain")
            plain();
        else if (word == "f")
            state_.codePage = pageOfFont(parameter.value_or(0));
        else if (word == "ansicpg" && parameter)
            documentPage_ = state_.codePage = *parameter;
        else if (word == "deff")
            defaultFont_ = parameter.value_or(0);
    }

    void plain() {
        state_.format = Format{};
        state_.asian = AsianFormat{};
        if (defaultFont_)
            state_.codePage = pageOfFont(*defaultFont_);
    }

    int pageOfFont(int font) const {
        auto known = fontPages_.find(font);
        return known == fontPages_.end() ? documentPage_ : known->second;
    }

    std::optional<std::uint32_t> colorAt(int index) const {
        if (index <= 0 || static_cast<std::size_t>(index) >= colors_.size())
            return std::nullopt; // 0 is the default colour
        return colors_[static_cast<std::size_t>(index)];
    }

    void unicode(int value) {
        std::uint32_t c = static_cast<std::uint32_t>(value < 0 ? value + 65536 : value) & 0xFFFF;
        skipFallback_ = state_.unicodeFallback;
        if (c >= 0xD800 && c <= 0xDBFF) {
            highSurrogate_ = c;
            return;
        }
        std::string out;
        if (c >= 0xDC00 && c <= 0xDFFF && highSurrogate_)
            c = 0x10000 + ((*highSurrogate_ - 0xD800) << 10) + (c - 0xDC00);
        highSurrogate_.reset();
        appendUtf8(out, c);
        text(out);
    }

    void textByte(char c) {
        if (skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        if (state_.destination == Destination::ColorTable && c == ';') {
            colors_.push_back(std::exchange(color_, std::nullopt));
            return;
        }
        if (state_.destination != Destination::Text)
            return;
        if (!bytes_.empty() && bytesPage_ != state_.codePage)
            flushBytes();
        bytesPage_ = state_.codePage;
        bytes_ += c;
    }

    // Bytes wait for the next token that is not one of them, so that the two
    // bytes of a double-byte character written as two \'hh decode as one.
    void flushBytes() {
        if (bytes_.empty())
            return;
        std::string decoded = decode_(bytes_, bytesPage_);
        bytes_.clear();
        text(decoded);
    }

    void text(const std::string& utf8) {
        if (state_.destination != Destination::Text || utf8.empty())
            return;
        highSurrogate_.reset();
        Format format = currentFormat();
        auto& runs = document_.runs;
        if (runs.empty() || !(runs.back().format == format))
            runs.push_back({std::string(), format});
        runs.back().text += utf8;
    }

    Format currentFormat() const {
        Format format = state_.format;
        if (state_.doubleByte) {
            format.bold = format.bold || state_.asian.bold;
            format.italic = format.italic || state_.asian.italic;
            format.halfPoints = state_.asian.halfPoints.value_or(format.halfPoints);
        }
        return format;
    }

    std::string_view in_;
    const Decoder& decode_;
    std::size_t at_ = 0;
    std::vector<GroupState> groups_;
    GroupState state_;
    Document document_;
    std::string bytes_;
    int bytesPage_ = 1252;
    int documentPage_ = 1252;
    int skipFallback_ = 0;
    bool starred_ = false;
    std::optional<std::uint32_t> highSurrogate_;
    int font_ = -1; // the font-table entry being read
    std::optional<int> defaultFont_;
    std::map<int, int> fontPages_;
    std::vector<std::optional<std::uint32_t>> colors_;
    std::optional<std::uint32_t> color_;
};

} // namespace

std::string Document::plainText() const {
    std::string all;
    for (const auto& run : runs)
        all += run.text;
    return all;
}

std::string decodeCodePage(std::string_view bytes, int codePage) {
    if (codePage == 936 || codePage == 54936 || codePage == 20936)
        return gb18030::toUtf8(bytes);
    std::string out;
    for (unsigned char c : bytes)
        appendUtf8(out, c);
    return out;
}

bool looksLikeRtf(std::string_view bytes) {
    return bytes.substr(0, 5) == "{\\rtf";
}

std::optional<Document> read(std::string_view bytes, const Decoder& decode) {
    if (!looksLikeRtf(bytes))
        return std::nullopt;
    return Reader(bytes, decode).run();
}

} // namespace kestrum::rtf
