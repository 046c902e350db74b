#include "text/Search.h"

#include "base/Errors.h"
#include "base/Paths.h"
#include "base/UserFile.h"
#include "text/AsciiText.h"
#include "text/FolderListing.h"
#include "text/Gb18030.h"
#include "text/NativePath.h"
#include "text/ViewedText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <set>
#include <unistd.h>
#include <utility>

namespace kestrum::search {
namespace {

constexpr std::size_t kBlock = 1 << 20;

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

bool startsCharacter(std::string_view line, std::size_t at) {
    std::size_t i = 0;
    while (i < at)
        i += gb18030::characterLength(line, i);
    return i == at;
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

std::vector<std::string> distinctFolders(const std::vector<std::string>& folders) {
    std::vector<std::string> distinct;
    std::set<std::string> seen;
    for (const auto& folder : folders)
        if (std::string slashed = withSlash(folder); seen.insert(slashed).second)
            distinct.push_back(slashed);
    return distinct;
}

std::vector<std::string> folderFiles(const std::string& folder) {
    std::vector<std::string> all;
    try {
        if (auto names = listTextFiles(folder))
            for (const auto& name : *names)
                all.push_back(folder + name);
    } catch (const std::exception&) {
        // a folder that fails while it is listed adds nothing
    }
    return all;
}

std::vector<std::string> existingFiles(const std::vector<std::string>& files) {
    std::vector<std::string> all;
    for (const auto& file : files)
        if (std::error_code ec; std::filesystem::exists(files::nativePath(file), ec))
            all.push_back(file);
    return all;
}

} // namespace

Search::Search(Query query, Sources sources, HitsFound onHits, std::size_t mostHits,
               unsigned threads, std::function<void()> onDone)
    : query_(std::move(query)), onHits_(std::move(onHits)), onDone_(std::move(onDone)),
      mostHits_(mostHits) {
    if (query_.text.empty())
        throw KestrumError(gb("请输入要搜索的文字。"));
    gbPattern_ = query_.text;
    utf8Pattern_ = gb18030::toUtf8(query_.text);
    if (!query_.exactCase) {
        // The needle is folded as the haystack is, byte by byte; a hit is
        // then checked with the folding that knows characters.
        gbFolded_ = lowerAscii(gbPattern_);
        foldBytes(std::string(gbPattern_), gbPattern_);
        foldBytes(std::string(utf8Pattern_), utf8Pattern_);
    }
    files_ = existingFiles(sources.files);
    folders_ = distinctFolders(sources.folders);
    if (threads == 0)
        threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    running_ = threads;
    for (unsigned i = 0; i < threads; ++i)
        workers_.emplace_back([this] { work(); });
}

// The start of the first file searched stands for them all.
void Search::chooseRareBytes(const std::string& firstFile) {
    std::string sample(1 << 16, '\0');
    files::UserFile first(files::nativePath(firstFile).c_str());
    ssize_t got = first.read(sample.data(), sample.size());
    sample.resize(static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    gbRare_ = rarestPair(gbPattern_, sample);
    utf8Rare_ = rarestPair(utf8Pattern_, sample);
}

Search::~Search() {
    cancel();
    wait();
}

void Search::wait() {
    for (auto& worker : workers_)
        if (worker.joinable())
            worker.join();
}

// Files are searched as soon as they are listed: a worker takes the next
// file, else lists the next folder, else waits for the folders being listed.
void Search::work() {
    std::unique_lock<std::mutex> lock(queue_);
    while (!cancelled_) {
        if (nextFile_ < files_.size()) {
            std::string file = files_[nextFile_++];
            lock.unlock();
            std::call_once(rareChosen_, [&] { chooseRareBytes(file); });
            searchFile(file);
            lock.lock();
        } else if (nextFolder_ < folders_.size()) {
            std::string folder = folders_[nextFolder_++];
            ++listing_;
            lock.unlock();
            std::vector<std::string> found = folderFiles(folder);
            lock.lock();
            files_.insert(files_.end(), std::make_move_iterator(found.begin()),
                          std::make_move_iterator(found.end()));
            --listing_;
            listed_.notify_all();
        } else if (listing_ > 0) {
            listed_.wait(lock);
        } else {
            break;
        }
    }
    lock.unlock();
    listed_.notify_all(); // a cancel wakes the waiting workers too
    if (--running_ == 0 && onDone_)
        onDone_();
}

bool Search::takeHits(std::vector<Hit>& found, bool& fileCounted) {
    if (found.empty())
        return true;
    std::lock_guard<std::mutex> lock(report_);
    std::size_t room = hits_ < mostHits_ ? mostHits_ - hits_ : 0;
    bool full = found.size() > room;
    if (full) {
        found.resize(room);
        truncated_ = true;
        cancelled_ = true; // enough kept: every worker stops
    }
    if (!found.empty()) {
        hits_ += found.size();
        if (!std::exchange(fileCounted, true))
            ++filesWithHits_;
        onHits_(std::move(found));
    }
    found.clear();
    return !full;
}

// Opens files relative to their folder, which stays open while the files of
// one folder follow each other: the kernel then looks up one name instead of
// every part of the path. A slash is never part of a GB18030 character, so
// the path splits at the last one.
class FolderHandle {
  public:
    FolderHandle() = default;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    ~FolderHandle() { closeFolder(); }

    files::UserFile open(const std::string& path) {
        std::size_t slash = path.rfind('/');
        if (slash == std::string::npos)
            return files::UserFile(files::nativePath(path).c_str());
        if (path.compare(0, slash + 1, folder_) != 0 || folder_.size() != slash + 1) {
            closeFolder();
            folder_ = path.substr(0, slash + 1);
            fd_ = ::open(files::nativePath(folder_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        return files::UserFile(fd_, files::nativePath(path.substr(slash + 1)).c_str());
    }

  private:
    void closeFolder() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    std::string folder_;
    int fd_ = -1;
};

void Search::searchFile(const std::string& path) {
    thread_local FolderHandle folder; // a worker's files come folder by folder
    files::UserFile file = folder.open(path);
    if (!file.isOpen())
        return; // a file gone, unreadable or no regular file adds nothing
    bool fold = !query_.exactCase && hasAsciiLetter(query_.text);
    // One buffer per thread, grown but never cleared: zeroing a block per
    // file cost more than the search itself.
    thread_local std::unique_ptr<char[]> buffer;
    thread_local std::size_t capacity = 0;
    std::size_t held = 0;
    std::string folded;
    std::vector<Hit> found;
    std::size_t line = 1;
    bool atEnd = false, counted = false;
    // Knowing the size lets the last block be known as the last, so a file
    // that fits in one block needs no line counting past its hits.
    std::size_t size = static_cast<std::size_t>(file.size());
    std::size_t total = 0;
    // A file is UTF-8 or the program's text as its first block that is not
    // plain ASCII shows; only that encoding's needle is then looked for.
    enum class Encoding { Ascii, Utf8, Gb } encoding = Encoding::Ascii;
    while (!atEnd && !cancelled_) {
        if (capacity < held + kBlock) {
            auto bigger = std::make_unique<char[]>(held + kBlock);
            if (held > 0)
                std::memcpy(bigger.get(), buffer.get(), held);
            buffer = std::move(bigger);
            capacity = held + kBlock;
        }
        ssize_t n = file.read(buffer.get() + held, kBlock);
        held += static_cast<std::size_t>(std::max<ssize_t>(n, 0));
        total += static_cast<std::size_t>(std::max<ssize_t>(n, 0));
        atEnd = n <= 0 || total >= size;
        std::string_view data(buffer.get(), held);
        std::size_t end = completeLines(data, atEnd);
        if (end == 0 && !atEnd)
            continue;
        std::string_view chunk(data.data(), end);
        std::string_view haystack = chunk;
        if (fold) {
            foldBytes(chunk, folded);
            haystack = folded;
        }
        if (encoding == Encoding::Ascii && !gb18030::isPlainAscii(chunk))
            encoding = isUtf8(chunk) ? Encoding::Utf8 : Encoding::Gb;
        // Candidates, in order: the file's encoding picks the one needle.
        std::vector<std::size_t> starts;
        for (const std::string* pattern : {&gbPattern_, &utf8Pattern_}) {
            bool same = utf8Pattern_ == gbPattern_; // an ASCII query
            if ((pattern == &utf8Pattern_ && (same || encoding == Encoding::Gb)) ||
                (pattern == &gbPattern_ && !same && encoding != Encoding::Gb))
                continue;
            RarePair rare = pattern == &gbPattern_ ? gbRare_ : utf8Rare_;
            for (std::size_t at = 0;; ++at) {
                const char* hit = findNeedle(haystack, at, *pattern, rare);
                if (!hit)
                    break;
                at = static_cast<std::size_t>(hit - haystack.data());
                std::size_t start = lineStart(chunk, at);
                std::string_view text = chunk.substr(start, lineEnd(chunk, at) - start);
                bool utf8 = encoding != Encoding::Gb; // ASCII lines are both
                if (!utf8 && !startsCharacter(text, at - start))
                    continue;
                if (!utf8 && fold &&
                    lowerAscii(std::string(chunk.substr(at, pattern->size()))) != gbFolded_)
                    continue;
                starts.push_back(start);
                if (query_.firstPerFile)
                    break;
                at = start + text.size(); // the next line
            }
        }
        if (query_.firstPerFile && !starts.empty()) {
            starts.resize(1);
            atEnd = true; // the rest of the file is not needed
        }
        std::size_t countedTo = 0;
        for (std::size_t start : starts) {
            line += breaksIn(chunk, countedTo, start);
            countedTo = start;
            found.push_back(
                {path, line, std::string(chunk.substr(start, lineEnd(chunk, start) - start))});
        }
        if (!atEnd) // the last chunk's remaining lines hold no hit to number
            line += breaksIn(chunk, countedTo, chunk.size());
        std::memmove(buffer.get(), buffer.get() + end, held - end);
        held -= end;
        if (found.size() >= 256 && !takeHits(found, counted))
            break;
    }
    takeHits(found, counted);
}

} // namespace kestrum::search
