// The category table under hostile names and folders: a name or folder is
// refused with a message or stored so that it reads back as written, every
// other category keeps its place and folder, a reordering keeps every
// folder, and a stored name's working file lies in the temporary folder.
#include "FuzzCheck.h"
#include "base/Errors.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/Folders.h"
#include "store/IniFile.h"
#include "text/AsciiText.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>
#include <vector>

using namespace kestrum;

namespace {

std::string scratch(const char* name) {
    return (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
           "/kestrum-fuzz-categories-" + std::to_string(getpid()) + name;
}

using Table = std::vector<std::pair<std::string, std::string>>;

Table tableOf(const IniFile& settings) {
    Table table;
    for (auto& name : categories::names(settings))
        table.emplace_back(name, categories::folder(settings, name, "?"));
    return table;
}

// Reads a length-prefixed piece of the input.
std::string take(std::string_view& input) {
    if (input.empty())
        return {};
    std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(input[0]) % 24, input.size() - 1);
    std::string piece(input.substr(1, length));
    input.remove_prefix(1 + length);
    return piece;
}

void checkWrite(IniFile& settings, const std::string& name, const std::string& folder) {
    Table before = tableOf(settings);
    try {
        categories::write(settings, name, folder);
    } catch (const KestrumError&) {
        require(tableOf(settings) == before, "a refused category changes nothing");
        return;
    }
    Table after = tableOf(settings);
    auto same = [&](const auto& entry) { return equalIgnoringAsciiCase(entry.first, name); };
    require(std::count_if(after.begin(), after.end(), same) == 1, "a stored name is there once");
    require(categories::folder(settings, name, "?") == folder, "its folder reads back as written");
    before.erase(std::remove_if(before.begin(), before.end(), same), before.end());
    after.erase(std::remove_if(after.begin(), after.end(), same), after.end());
    require(before == after, "every other category keeps its place and folder");
    Folders folders{"/p/", "/t/", "/d/"};
    auto file = std::filesystem::path(folders.categoryWorkingFile(name)).lexically_normal();
    require(file.parent_path() == "/t", "the working file lies in the temporary folder");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = bytesOf(data, size);
    std::string path = scratch(".ini"), snapshot = scratch("-order.ini");
    files::replace(path, "");
    IniFile settings(path);
    while (!input.empty()) {
        char op = input[0];
        input.remove_prefix(1);
        std::string name = take(input), folder = take(input);
        if (op % 3 == 0) {
            checkWrite(settings, name, folder);
        } else if (op % 3 == 1) {
            categories::remove(settings, name);
        } else {
            Table before = tableOf(settings);
            std::vector<std::string> order;
            for (auto it = before.rbegin(); it != before.rend(); ++it)
                order.push_back(it->first);
            categories::rewriteInOrder(settings, snapshot, order, "?");
            Table after = tableOf(settings);
            std::reverse(after.begin(), after.end());
            require(after == before, "a reordering keeps every name and folder");
        }
    }
    files::remove(path);
    return 0;
}
