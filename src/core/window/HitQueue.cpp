#include "window/HitQueue.h"

#include <algorithm>
#include <iterator>

namespace kestrum {

bool HitQueue::push(std::vector<search::Hit>&& hits) {
    std::lock_guard<std::mutex> hold(lock_);
    waiting_.insert(waiting_.end(), std::make_move_iterator(hits.begin()),
                    std::make_move_iterator(hits.end()));
    if (draining_)
        return false;
    draining_ = true;
    return true;
}

std::vector<search::Hit> HitQueue::take(std::size_t most) {
    std::lock_guard<std::mutex> hold(lock_);
    std::size_t count = std::min(most, waiting_.size() - taken_);
    auto from = waiting_.begin() + static_cast<std::ptrdiff_t>(taken_);
    std::vector<search::Hit> portion(
        std::make_move_iterator(from),
        std::make_move_iterator(from + static_cast<std::ptrdiff_t>(count)));
    taken_ += count;
    if (taken_ == waiting_.size()) {
        waiting_.clear();
        taken_ = 0;
        draining_ = false;
    }
    return portion;
}

bool HitQueue::draining() const {
    std::lock_guard<std::mutex> hold(lock_);
    return draining_;
}

void HitQueue::clear() {
    std::lock_guard<std::mutex> hold(lock_);
    waiting_.clear();
    taken_ = 0;
    draining_ = false;
}

} // namespace kestrum
