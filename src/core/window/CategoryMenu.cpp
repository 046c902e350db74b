#include "window/CategoryMenu.h"

#include "store/SettingKeys.h"

namespace kestrum {

CategoryMenuState categoryMenuState(const std::vector<std::string>& names, int selected) {
    if (selected < 0 || selected >= static_cast<int>(names.size()))
        return {};
    return {names[static_cast<std::size_t>(selected)] != settingKeys().pseudoCategory,
            selected != 0};
}

} // namespace kestrum
