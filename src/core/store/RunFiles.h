#pragma once

#include <string>
#include <vector>

namespace kestrum {

struct Folders;
class IniFile;

// Removes what a run leaves in the temporary folder: the working folder
// with everything in it, "非分类temp.txt" and the working file of each
// listed category. Missing files are passed over; nothing outside the
// working folder and those files is touched.
void removeRunFiles(const Folders& folders, const std::vector<std::string>& categories);

// Removes the marked temporaries (files::removeStaleSiblings) that a run
// killed half-way through a write left in the folders the program writes:
// the program folder, the temporary and working folders and the folders
// of the categories in the table.
void removeStaleSiblings(const Folders& folders, const IniFile& settings);

// Creates the working folder and any missing parents.
void createWorkingFolder(const Folders& folders);

} // namespace kestrum
