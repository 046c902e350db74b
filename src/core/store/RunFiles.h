#pragma once

#include <string>
#include <vector>

namespace kestrum {

struct Folders;

// Removes what a run leaves in the temporary folder: the working folder
// with everything in it, "非分类temp.txt" and the working file of each
// listed category. Missing files are passed over; nothing outside the
// working folder and those files is touched.
void removeRunFiles(const Folders& folders, const std::vector<std::string>& categories);

// Creates the working folder and any missing parents.
void createWorkingFolder(const Folders& folders);

} // namespace kestrum
