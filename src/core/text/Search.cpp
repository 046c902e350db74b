#include "text/Search.h"

#include "base/Errors.h"
#include "base/Paths.h"
#include "base/UserFile.h"
#include "text/FolderListing.h"
#include "text/NativePath.h"

#include <algorithm>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <set>
#include <unistd.h>
#include <utility>

namespace kestrum::search {
namespace {

std::vector<std::string> distinctFolders(const std::vector<std::string>& folders) {
    std::vector<std::string> distinct;
    std::set<std::string> seen;
    for (const auto& folder : folders)
        if (std::string slashed = withSlash(folder); seen.insert(slashed).second)
            distinct.push_back(slashed);
    return distinct;
}

// Nothing when the folder cannot be listed.
std::optional<std::vector<std::string>> folderFiles(const std::string& folder) {
    std::vector<std::string> all;
    try {
        auto names = listTextFiles(folder);
        if (!names)
            return std::nullopt;
        for (const auto& name : *names)
            all.push_back(folder + name);
    } catch (const std::exception&) {
        return std::nullopt;
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
    needles_ = makeNeedles(query_, {}); // raises for an empty query
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
    needles_ = makeNeedles(query_, sample);
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
            auto listed = folderFiles(folder);
            if (!listed)
                noteUnreadable(folder);
            std::vector<std::string> found = listed.value_or(std::vector<std::string>{});
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

void Search::noteUnreadable(const std::string& source) {
    std::lock_guard<std::mutex> lock(report_);
    unreadable_.push_back(source);
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
    if (!file.isOpen()) {
        noteUnreadable(path);
        return;
    }
    thread_local ScanBuffer buffer;
    FileScan scan(needles_, buffer, path);
    std::vector<Hit> found;
    bool counted = false;
    // Knowing the size lets the last block be known as the last, so a file
    // that fits in one block needs no line counting past its hits.
    const std::uint64_t size = file.size();
    std::uint64_t total = 0;
    for (bool more = true; more && !cancelled_;) {
        ssize_t n = file.read(scan.room(files::kReadBlock), files::kReadBlock);
        if (n < 0)
            noteUnreadable(path);
        std::size_t got = static_cast<std::size_t>(std::max<ssize_t>(n, 0));
        total += got;
        more = scan.take(got, n <= 0 || total >= size, found);
        if (found.size() >= 256 && !takeHits(found, counted))
            break;
    }
    takeHits(found, counted);
}

} // namespace kestrum::search
