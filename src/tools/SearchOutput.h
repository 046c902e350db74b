#pragma once

#include "text/Search.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The search's hits on standard output as file:line:text (or file names
// only). Hits come on the search's worker threads; when the output fails,
// the search is stopped at once rather than run to its end.
class SearchOutput {
  public:
    explicit SearchOutput(bool filesOnly) : filesOnly_(filesOnly) {}

    // The search's callbacks: hits (calls never overlap), and its end.
    void add(const std::vector<kestrum::search::Hit>& hits);
    void ended();

    // Waits for the search's end, cancelling it when the output failed;
    // writes what is left, and raises OutputFailed for a failed write.
    void finish(kestrum::search::Search& run);

  private:
    bool filesOnly_;
    std::string pending_; // these two only on the search's serialised calls
    bool failed_ = false;
    std::mutex mutex_; // over the two below
    std::condition_variable changed_;
    bool ended_ = false;
    std::optional<std::string> failure_;
};
