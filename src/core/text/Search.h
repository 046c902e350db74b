#pragma once

#include "text/SearchScan.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Search over the collected text: every line of the given files that holds
// the query. Files are the program's 8-bit text (GB18030) or UTF-8, as the
// first block of a file that is not plain ASCII shows; in GB18030 a hit must
// start on a character of its own (never on the second byte of a
// double-byte character). ASCII letters match without regard to case unless
// asked otherwise. Files are streamed in blocks on worker threads, each
// file through a FileScan (text/SearchScan.h): linear time and bounded
// memory whatever its line lengths.
namespace kestrum::search {

inline constexpr std::size_t kMostHits = 10000;

// What to search: the *.txt files of the folders, as the file list shows
// them and each folder once (listed by the workers while they search, off
// the caller's thread), and the given files that exist.
struct Sources {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};

class Search {
  public:
    // Called from the worker threads, one call per file with hits, under
    // a lock: calls never overlap.
    using HitsFound = std::function<void(std::vector<Hit>&&)>;

    // Starts at once; raises for an empty query. `onDone`, when given, is
    // called once from the last worker to end, also after a cancel.
    Search(Query query, Sources sources, HitsFound onHits, std::size_t mostHits = kMostHits,
           unsigned threads = 0, std::function<void()> onDone = {});
    Search(Query query, std::vector<std::string> files, HitsFound onHits,
           std::size_t mostHits = kMostHits, unsigned threads = 0,
           std::function<void()> onDone = {})
        : Search(std::move(query), Sources{{}, std::move(files)}, std::move(onHits), mostHits,
                 threads, std::move(onDone)) {}
    ~Search(); // cancels and waits
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    void cancel() { cancelled_ = true; }
    void wait();
    // After wait(): more hits were there than `mostHits`.
    bool truncated() const { return truncated_; }
    std::size_t hits() const { return hits_; }
    std::size_t filesWithHits() const { return filesWithHits_; }
    // After wait(): the folders that could not be listed and the files that
    // could not be read, in no order.
    const std::vector<std::string>& unreadable() const { return unreadable_; }

  private:
    void work();
    void chooseRareBytes(const std::string& firstFile);
    void searchFile(const std::string& path);
    bool takeHits(std::vector<Hit>& found, bool& fileCounted);
    void noteUnreadable(const std::string& source);

    Query query_;
    Needles needles_;
    // The work queue, under `queue_`: files found so far, and folders not
    // yet listed; a worker with neither waits while another one lists.
    std::mutex queue_;
    std::condition_variable listed_;
    std::vector<std::string> files_, folders_;
    std::size_t nextFile_ = 0, nextFolder_ = 0, listing_ = 0;
    std::once_flag rareChosen_;
    HitsFound onHits_;
    std::function<void()> onDone_;
    std::atomic<unsigned> running_{0};
    std::size_t mostHits_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> truncated_{false};
    std::atomic<std::size_t> hits_{0};
    std::atomic<std::size_t> filesWithHits_{0};
    std::mutex report_; // over the hits and `unreadable_`
    std::vector<std::string> unreadable_;
    std::vector<std::thread> workers_;
};

} // namespace kestrum::search
