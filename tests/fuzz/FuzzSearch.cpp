// The search over one file, fed in blocks of any size, with line and hit
// limits small enough that long lines are searched in pieces: the same
// lines as a plain line-by-line search, each with its right number, and a
// hit text that is the line or a window of it holding a hit.
#include "FuzzCheck.h"
#include "text/AsciiText.h"
#include "text/Gb18030.h"
#include "text/SearchScan.h"

#include <algorithm>
#include <vector>

using namespace kestrum;
using namespace kestrum::search;

namespace {

constexpr ScanLimits kLimits{48, 16};

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string foldBytes(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return out;
}

// Where the first hit of `line` starts, by the plain rules of each encoding.
std::size_t firstHit(std::string_view line, const Query& query, Encoding encoding) {
    bool gbFile = encoding == Encoding::Gb;
    std::string needle = gbFile ? query.text : gb18030::toUtf8(query.text);
    for (std::size_t at = 0; at + needle.size() <= line.size();
         at += gbFile ? gb18030::characterLength(line, at) : 1) {
        std::string_view part = line.substr(at, needle.size());
        bool same = query.exactCase ? part == needle
                    : gbFile        ? lowerAscii(std::string(part)) == lowerAscii(needle)
                                    : foldBytes(part) == foldBytes(needle);
        if (same)
            return at;
    }
    return std::string_view::npos;
}

bool windowHoldsHit(std::string_view line, std::string_view text, std::size_t hit,
                    std::size_t needle) {
    for (std::size_t at = line.find(text); at != std::string_view::npos;
         at = line.find(text, at + 1))
        if (at <= hit && hit + needle <= at + text.size())
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    std::size_t block = 1 + data[0] % 64;
    Query query{{}, (data[1] & 1) != 0, (data[1] & 2) != 0};
    bool endAlone = (data[1] & 4) != 0; // the end comes as a read of nothing
    std::size_t queryLength = std::min<std::size_t>(1 + data[2] % 8, size - 3);
    query.text = std::string(bytesOf(data + 3, queryLength));
    if (query.text.find_first_of("\r\n") != std::string::npos)
        return 0; // no line holds a line end: such a query is outside the comparison
    std::string_view file = bytesOf(data + 3 + queryLength, size - 3 - queryLength);

    Needles needles = makeNeedles(query, file);
    ScanBuffer buffer;
    FileScan scan(needles, buffer, "f", kLimits);
    std::vector<Hit> hits;
    bool more = true;
    for (std::size_t at = 0; more && at < file.size(); at += block) {
        std::string_view part = file.substr(at, block);
        std::copy(part.begin(), part.end(), scan.room(part.size()));
        more = scan.take(part.size(), !endAlone && at + block >= file.size(), hits);
    }
    if (more)
        scan.take(0, true, hits);

    std::vector<std::string_view> lines = splitLines(file);
    std::size_t expected = 0;
    std::size_t most = std::max(kLimits.hitText, needles.gb.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::size_t hit = firstHit(lines[i], query, scan.encoding());
        if (hit == std::string_view::npos)
            continue;
        if (query.firstPerFile && expected == 1)
            break;
        require(expected < hits.size(), "every line with a hit is found");
        const Hit& found = hits[expected++];
        require(found.line == i + 1, "the hit's line number is right");
        if (lines[i].size() <= most)
            require(found.text == lines[i], "a short line is given whole");
        else
            require(found.text.size() <= std::max(most, gb18030::toUtf8(query.text).size()) &&
                        windowHoldsHit(lines[i], found.text, hit,
                                       scan.encoding() == Encoding::Gb ? query.text.size()
                                                                       : needles.utf8.size()),
                    "a long line is given as a window holding its first hit");
    }
    require(expected == hits.size(), "no line is found that has no hit");
    return 0;
}
