#pragma once

#include "text/Search.h"

#include <cstddef>
#include <mutex>
#include <vector>

namespace kestrum {

// Hits on their way from the search's workers to the window's thread. The
// workers only append; the window takes them in portions of bounded size,
// so a fast search never floods the event loop with one long run of list
// inserts. Exactly one drain is asked for while hits wait.
class HitQueue {
  public:
    // Appends; true when the caller must ask for a drain (none was under way).
    bool push(std::vector<search::Hit>&& hits);
    // Up to `most` hits, oldest first; when none are left the drain is over.
    std::vector<search::Hit> take(std::size_t most);
    bool draining() const;
    void clear();

  private:
    mutable std::mutex lock_;
    std::vector<search::Hit> waiting_;
    std::size_t taken_ = 0; // hits before this index have been handed out
    bool draining_ = false;
};

} // namespace kestrum
