#include "store/Autostart.h"

#include "store/FileStore.h"
#include "store/Folders.h"

#include <filesystem>

namespace kestrum::autostart {
namespace {

// The desktop entry's quoting: a path with blanks or reserved characters
// goes in double quotes, with ", `, $ and \ escaped.
std::string quotedArgument(std::string_view path) {
    if (path.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string_view::npos)
        return std::string(path);
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string entryPath(std::string_view autostartFolder) {
    return withSlash(autostartFolder) + std::string(kEntryName);
}

} // namespace

std::string folder(std::string_view configHome, std::string_view home) {
    if (!configHome.empty() && configHome.front() == '/')
        return withSlash(configHome) + "autostart/";
    return withSlash(home) + ".config/autostart/";
}

std::string entry(std::string_view executable) {
    return "[Desktop Entry]\nType=Application\nName=Kestrum\nComment=Collect text into categories\n"
           "Exec=" +
           quotedArgument(executable) +
           "\nIcon=kestrum\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
}

bool enabled(std::string_view autostartFolder) {
    return files::exists(entryPath(autostartFolder));
}

void set(std::string_view autostartFolder, std::string_view executable, bool on) {
    if (!on) {
        files::remove(entryPath(autostartFolder));
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(files::nativePath(autostartFolder), ec);
    files::replace(entryPath(autostartFolder), entry(executable));
}

} // namespace kestrum::autostart
