#include "text/SearchScan.h"

#include "base/Errors.h"
#include "text/AsciiText.h"
#include "text/Gb18030.h"
#include "text/Messages.h"
#include "text/ViewedText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kestrum::search {
namespace {

bool hasAsciiLetter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

// Every ASCII letter byte folded: a trail byte may be folded too, so a hit
// found this way is checked again on the real bytes.
void foldBytes(std::string_view in, std::string& out) {
    out.resize(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        char c = in[i];
        out[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
}

std::string foldedBytes(std::string_view in) {
    std::string out;
    foldBytes(in, out);
    return out;
}

// Walks GB18030 characters forward from a place known to start one. A line
// start starts a character too (line ends are characters of their own and
// never a trail byte), so the walk jumps ahead to the line of the place
// asked about; places asked about in order cost the walk one pass.
class CharacterWalk {
  public:
    explicit CharacterWalk(std::string_view data) : data_(data) {}
    bool startsCharacter(std::size_t at) {
        std::size_t line = at;
        while (line > at_ && data_[line - 1] != '\n' && data_[line - 1] != '\r')
            --line;
        at_ = std::max(at_, line);
        while (at_ < at)
            at_ += gb18030::characterLength(data_, at_);
        return at_ == at;
    }

  private:
    std::string_view data_;
    std::size_t at_ = 0;
};

// The last place at or before `at` where a GB18030 character starts,
// walking from 0, which starts one.
std::size_t characterStartBefore(std::string_view data, std::size_t at) {
    std::size_t i = 0;
    for (std::size_t next; i < at && (next = i + gb18030::characterLength(data, i)) <= at;)
        i = next;
    return i;
}

bool isUtf8Trail(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Where a chunk may end: after its last line break, unless that break is
// a CR at the very end of what was read (its LF may still come).
std::size_t completeLines(std::string_view data, bool atEnd) {
    if (atEnd)
        return data.size();
    for (std::size_t i = data.size(); i > 0; --i) {
        char c = data[i - 1];
        if (c == '\n' || (c == '\r' && i < data.size()))
            return i;
    }
    return 0;
}

// Counts line breaks in [from, to): CR LF, a lone CR and a lone LF each once.
std::size_t breaksIn(std::string_view data, std::size_t from, std::size_t to) {
    std::size_t n = 0;
    for (std::size_t i = from; i < to; ++i)
        if (data[i] == '\r' || (data[i] == '\n' && (i == 0 || data[i - 1] != '\r')))
            ++n;
    return n;
}

// The needle's two bytes (at two positions, unless it has one byte) that
// are rarest in `sample`: a place where both stand is seldom anything but
// the needle, so scanning for the pair leaves little to check.
RarePair rarestPair(std::string_view needle, std::string_view sample) {
    std::size_t counts[256] = {};
    for (unsigned char c : sample)
        ++counts[c];
    auto count = [&](std::size_t i) { return counts[static_cast<unsigned char>(needle[i])]; };
    RarePair pair;
    for (std::size_t i = 1; i < needle.size(); ++i)
        if (count(i) < count(pair.first))
            pair.first = i;
    pair.second = pair.first;
    for (std::size_t i = 0; i < needle.size(); ++i)
        if (i != pair.first && (pair.second == pair.first || count(i) < count(pair.second)))
            pair.second = i;
    return pair;
}

std::uint64_t loadWord(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Sixteen places at a time, as two words: a word holds a zero byte exactly
// where both of the pair's bytes stand. The zero-byte test never misses one,
// and the sixteen places are then checked byte by byte, so byte order does
// not matter.
const char* findNeedle(std::string_view hay, std::size_t from, std::string_view needle,
                       RarePair pair) {
    if (hay.size() < needle.size() || from > hay.size() - needle.size())
        return nullptr;
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
    const char first = needle[pair.first], second = needle[pair.second];
    const std::uint64_t firstWord = kOnes * static_cast<unsigned char>(first);
    const std::uint64_t secondWord = kOnes * static_cast<unsigned char>(second);
    const std::size_t last = hay.size() - needle.size(); // the last place a hit can start
    const char* data = hay.data();
    auto isHit = [&](std::size_t at) {
        return data[at + pair.first] == first && data[at + pair.second] == second &&
               std::memcmp(data + at, needle.data(), needle.size()) == 0;
    };
    auto zeroIn = [&](std::size_t at) {
        std::uint64_t both = (loadWord(data + at + pair.first) ^ firstWord) |
                             (loadWord(data + at + pair.second) ^ secondWord);
        return (both - kOnes) & ~both & kHighs;
    };
    std::size_t at = from;
    for (; at + 16 <= last + 1; at += 16) { // two words a turn, one branch
        if ((zeroIn(at) | zeroIn(at + 8)) == 0)
            continue;
        for (std::size_t k = 0; k < 16; ++k)
            if (isHit(at + k))
                return data + at + k;
    }
    for (; at <= last; ++at)
        if (isHit(at))
            return data + at;
    return nullptr;
}

std::size_t lineStart(std::string_view data, std::size_t at) {
    while (at > 0 && data[at - 1] != '\n' && data[at - 1] != '\r')
        --at;
    return at;
}

std::size_t lineEnd(std::string_view data, std::size_t at) {
    std::size_t end = data.find_first_of("\r\n", at);
    return end == std::string_view::npos ? data.size() : end;
}

} // namespace

Needles makeNeedles(const Query& query, std::string_view sample) {
    if (query.text.empty())
        throw KestrumError(Messages::tr("请输入要搜索的文字。"));
    Needles needles;
    needles.gb = query.text;
    needles.utf8 = gb18030::toUtf8(query.text);
    needles.firstPerFile = query.firstPerFile;
    needles.fold = !query.exactCase && hasAsciiLetter(query.text);
    if (!query.exactCase) {
        // The needle is folded as the haystack is, byte by byte; a hit is
        // then checked with the folding that knows characters.
        needles.gbFolded = lowerAscii(needles.gb);
        needles.gb = foldedBytes(needles.gb);
        needles.utf8 = foldedBytes(needles.utf8);
    }
    needles.gbRare = rarestPair(needles.gb, sample);
    needles.utf8Rare = rarestPair(needles.utf8, sample);
    return needles;
}

void ScanBuffer::reserve(std::size_t size, std::size_t kept) {
    if (capacity_ >= size)
        return;
    auto bigger = std::make_unique<char[]>(size);
    if (kept > 0)
        std::memcpy(bigger.get(), bytes_.get(), kept);
    bytes_ = std::move(bigger);
    capacity_ = size;
}

FileScan::FileScan(const Needles& needles, ScanBuffer& buffer, std::string file, ScanLimits limits)
    : needles_(needles), buffer_(buffer), file_(std::move(file)), limits_(limits) {}

char* FileScan::room(std::size_t most) {
    buffer_.reserve(held_ + most, held_);
    return buffer_.data() + held_;
}

bool FileScan::take(std::size_t n, bool atEnd, std::vector<Hit>& found) {
    if (done_)
        return false;
    held_ += n;
    std::string_view data(buffer_.data(), held_);
    std::size_t end = completeLines(data, atEnd);
    bool piece = end == 0 && !atEnd;
    if (piece && (held_ < limits_.longLine || (end = pieceEnd(data)) == 0))
        return true; // the line goes on: more bytes first
    if (!piece)
        detectEncoding(data.substr(0, end));
    std::size_t before = found.size();
    std::size_t counted = findHits(data, end, piece, found);
    bool hit = found.size() > before;
    if (!atEnd) // the last chunk's lines after its hits need no numbers
        line_ += breaksIn(data, counted, end);
    // A piece holds no line end, so the line it continues goes on after it.
    lineReported_ = piece && (lineReported_ || hit);
    if (held_ > end)
        std::memmove(buffer_.data(), buffer_.data() + end, held_ - end);
    held_ -= end;
    done_ = atEnd || (needles_.firstPerFile && hit);
    return !done_;
}

// How much of a line without end to search now: all but what the hits
// near the cut need (the needle and the hit text after it), cut between
// characters.
std::size_t FileScan::pieceEnd(std::string_view data) {
    std::size_t keep = std::max(needles_.gb.size(), needles_.utf8.size()) + limits_.hitText;
    if (data.size() <= keep)
        return 0;
    std::size_t cut = data.size() - keep;
    for (int back = 0; back < 3 && cut > 0 && isUtf8Trail(data[cut]); ++back)
        --cut;
    detectEncoding(data.substr(0, cut));
    return encoding_ == Encoding::Gb ? characterStartBefore(data, cut) : cut;
}

void FileScan::detectEncoding(std::string_view chunk) {
    if (encoding_ == Encoding::Ascii && !gb18030::isPlainAscii(chunk))
        encoding_ = isUtf8(chunk) ? Encoding::Utf8 : Encoding::Gb;
}

// The lines of data[0, end) with a hit; a hit may reach past `end` into
// the held bytes, which a piece keeps for that. Returns where the line
// count stands: the start of the last hit's line.
std::size_t FileScan::findHits(std::string_view data, std::size_t end, bool piece,
                               std::vector<Hit>& found) {
    bool gbFile = encoding_ == Encoding::Gb;
    const std::string& needle = gbFile ? needles_.gb : needles_.utf8;
    // Only a piece's hits may reach past its end: a line's hits never do.
    std::string_view scope =
        data.substr(0, piece ? std::min(data.size(), end + needle.size() - 1) : end);
    std::string_view haystack = scope;
    if (needles_.fold) {
        foldBytes(scope, folded_);
        haystack = folded_;
    }
    CharacterWalk walk(data);
    std::size_t countedTo = 0;
    // The line the bytes start in may have had its hit in an earlier piece.
    std::size_t at = lineReported_ ? lineEnd(data.substr(0, end), 0) : 0;
    while (at < end) {
        const char* hit =
            findNeedle(haystack, at, needle, gbFile ? needles_.gbRare : needles_.utf8Rare);
        if (!hit || static_cast<std::size_t>(hit - haystack.data()) >= end)
            break;
        at = static_cast<std::size_t>(hit - haystack.data());
        if (gbFile && (!walk.startsCharacter(at) ||
                       (needles_.fold && lowerAscii(std::string(data.substr(at, needle.size()))) !=
                                             needles_.gbFolded))) {
            ++at;
            continue;
        }
        std::size_t start = lineStart(data, at), stop = lineEnd(data, at);
        line_ += breaksIn(data, countedTo, start);
        countedTo = start;
        found.push_back({file_, line_, hitText(data, start, stop, at, needle.size())});
        if (needles_.firstPerFile)
            break;
        at = stop; // the next line
    }
    return countedTo;
}

// The line, or when it is longer than the limit, a window of it around
// the hit that starts and ends between characters.
std::string FileScan::hitText(std::string_view data, std::size_t start, std::size_t lineEnd,
                              std::size_t at, std::size_t needle) const {
    std::size_t most = std::max(limits_.hitText, needle);
    if (lineEnd - start <= most)
        return std::string(data.substr(start, lineEnd - start));
    std::size_t from = std::max(start, at - std::min(at, (most - needle) / 4));
    bool gbFile = encoding_ == Encoding::Gb;
    if (gbFile)
        from = start + characterStartBefore(data.substr(start), from - start);
    while (!gbFile && from < at && isUtf8Trail(data[from]))
        ++from;
    std::size_t to = std::min(lineEnd, from + most);
    if (gbFile)
        to = from + characterStartBefore(data.substr(from), to - from);
    while (!gbFile && to > at + needle && to < lineEnd && isUtf8Trail(data[to]))
        --to;
    return std::string(data.substr(from, to - from));
}

} // namespace kestrum::search
