#pragma once

#include "base/FileDescriptor.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace kestrum::files {

// Set on a named temporary file of ours, so the start-up sweep never takes
// a user's file for one, whatever the user named it.
inline constexpr const char* kTemporaryMark = "user.kestrum.temporary";

enum class Publication { published, nameTaken, unsupported, failed };

// A file's new content before it has its name: an unnamed file (O_TMPFILE)
// in the target's folder where the file system makes them, so a crash
// leaves nothing behind; else a named temporary beside the target,
// ".NAME.kestrum-tmp-" and twelve letters or digits, carrying the mark.
// Gone again unless published.
class DraftFile {
  public:
    explicit DraftFile(const std::filesystem::path& target);
    ~DraftFile();
    DraftFile(const DraftFile&) = delete;
    DraftFile& operator=(const DraftFile&) = delete;

    // The whole content, synced to the disk.
    bool write(std::string_view bytes, mode_t mode);
    // Gives the draft the name `to` unless that name is taken.
    Publication publishAsNew(const std::filesystem::path& to);
    // Puts the draft over `to` in one rename: an unnamed draft gets a marked
    // temporary name for the moment in between.
    bool publishOver(const std::filesystem::path& to);

  private:
    bool linkAs(const std::filesystem::path& name);
    bool takeTemporaryName();
    void published();

    std::filesystem::path folder_, fileName_;
    std::filesystem::path temporary_; // empty while the draft has no name
    FileDescriptor fd_;
    bool published_ = false;
};

// Names of the form ".NAME.kestrum-tmp-" + twelve letters or digits.
bool isTemporarySiblingName(std::string_view fileName);

// Removes what a crash left of our named temporaries in `folder`: regular
// files of this user that have such a name and carry the mark (never a
// link, a folder or anything below); returns how many.
int removeStaleSiblings(std::string_view folder);

} // namespace kestrum::files
