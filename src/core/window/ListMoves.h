#pragma once

#include <optional>
#include <vector>

// The reordering commands of the editor's lists: the category list's move
// to the top and the four moves of the merge list.
namespace kestrum {

enum class ListMove { Up, Down, ToTop, ToBottom };

// Moves entry `index` and returns where it now stands; nothing when there
// is no such entry or it already stands where the move would take it.
template <typename T> std::optional<int> moveEntry(std::vector<T>& list, int index, ListMove move) {
    int last = static_cast<int>(list.size()) - 1;
    if (index < 0 || index > last)
        return std::nullopt;
    bool towardsTop = move == ListMove::Up || move == ListMove::ToTop;
    if ((towardsTop && index == 0) || (!towardsTop && index == last))
        return std::nullopt;
    int target = move == ListMove::Up      ? index - 1
                 : move == ListMove::Down  ? index + 1
                 : move == ListMove::ToTop ? 0
                                           : last;
    T entry = std::move(list[static_cast<std::size_t>(index)]);
    list.erase(list.begin() + index);
    list.insert(list.begin() + target, std::move(entry));
    return target;
}

} // namespace kestrum
