#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

class IniFile;

// The category table: section "类别" of the settings file, one key per
// category whose value is the category's folder; key order is list order.
namespace categories {

std::vector<std::string> names(const IniFile& settings);

// The folder of `name`; readers pass their own default (the editor the
// program folder, the drop window the documents folder).
std::string folder(const IniFile& settings, std::string_view name, std::string_view fallback);

// Raises with a clear message for a name or folder that cannot safely go
// into an INI line or a file name.
void write(IniFile& settings, std::string_view name, std::string_view folder);
void remove(IniFile& settings, std::string_view name);

// Rewrites the table in `newOrder` keeping every folder: the settings file
// is copied to `snapshotPath`, each folder is read from the copy (default
// `fallback`), the section is written anew and the copy deleted.
void rewriteInOrder(IniFile& settings, const std::string& snapshotPath,
                    const std::vector<std::string>& newOrder, std::string_view fallback);

} // namespace categories

void checkCategoryName(std::string_view name);
void checkCategoryFolder(std::string_view folder);

} // namespace kestrum
