#pragma once

#include <string>
#include <vector>

// Which items of the category list's context menu apply to the selection.
namespace kestrum {

struct CategoryMenuState {
    bool remove = false;    // "删除": not for the pseudo-category
    bool moveToTop = false; // "移至最高": not for the entry already on top
};

// `selected` is the list position, -1 for none.
CategoryMenuState categoryMenuState(const std::vector<std::string>& names, int selected);

} // namespace kestrum
