#pragma once

#include <set>
#include <string>
#include <vector>

// Which category working files hold text that no saved file holds. The
// exit deletes every working file, so it asks first about these: text the
// user typed or changed in the editor, captures and moved text that arrived
// while auto-save was off, and working files an earlier run left behind
// when it ended without the exit.
namespace kestrum {

struct Folders;
struct ProgramState;

class UnsavedTexts {
  public:
    // Text that is in no saved file reached `category`'s working file.
    void changed(const std::string& category) { names_.insert(category); }
    // `category`'s working file is gone, or its whole text went into a saved file.
    void saved(const std::string& category) { names_.erase(category); }
    // The marked categories whose working file still exists, by name.
    std::vector<std::string> pending(const Folders& folders) const;

  private:
    std::set<std::string> names_;
};

// Marks every working file of `categories` that exists already: a run that
// ended without the exit left it, and nothing says whether it was saved.
void markLeftoverWorkingFiles(ProgramState& state, const std::vector<std::string>& categories);

// Saves `category`'s working file into the category's folder under its
// first-line name, as auto-save would, and marks it saved; returns the path.
std::string saveIntoCategoryFolder(ProgramState& state, const std::string& category);

} // namespace kestrum
