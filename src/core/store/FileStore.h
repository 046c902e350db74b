#pragma once

#include "base/Errors.h"
#include "base/FileDescriptor.h"
#include "text/NativePath.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// File access for paths held as program text (GB18030).
namespace kestrum::files {

bool exists(std::string_view path);

// The whole file, or nothing when it is missing, unreadable or not a
// regular file; read as a user's file is (base/UserFile.h).
std::optional<std::string> tryRead(std::string_view path);

// The whole file; raises "Cannot open file %s" when it cannot be read, and
// says so when it is no regular file.
std::string load(std::string_view path);

// Writes the new content as a synced draft (store/DraftFile.h) and renames
// it over `path`, so the old content stays whole when anything fails, a
// crash included; raises `errorPattern` with the path then.
void replace(std::string_view path, std::string_view bytes,
             std::string_view errorPattern = kCannotCreate);

// Creates `path` only if it does not exist yet, whole or not at all: the
// bytes go to a synced draft that is then published under the name
// without ever replacing a file. False when it exists; raises "Cannot
// create file %s" for any other failure.
bool createNew(std::string_view path, std::string_view bytes);

void copy(std::string_view from, std::string_view to, std::string_view errorPattern);

// Moves `from` to `to`, replacing a file there: a rename on one file system,
// else a synced copy put over `to` and only then the removal of `from`, so
// a failure leaves `from` as it was. Raises "Cannot create file %s" for `to`.
void moveReplacing(std::string_view from, std::string_view to);

// Deleting what is not there is no failure.
bool remove(std::string_view path);

} // namespace kestrum::files
