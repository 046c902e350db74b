#pragma once

#include "base/FileDescriptor.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// One running Kestrum per user and private folder. The first start holds a
// lock on the run's private (0700) folder for as long as it runs and
// listens on a socket file in it; a later start finds the lock taken and
// asks the first, through the socket, to show its editor window. Only the
// user can make files in that folder, so no one else can take the name
// first; both sides still check that the peer is the same user. The lock
// ends with the process, so a run that was killed holds nothing.
namespace kestrum::instance {

// The socket of the run whose private folder is `folder` (program text),
// as the system names it.
std::string socketPath(std::string_view folder);

struct Start {
    files::FileDescriptor lock;     // the folder, locked by the first start for its whole run
    files::FileDescriptor listener; // its socket, non-blocking
    bool askedRunning = false;      // a later start: the first was asked to show
};

// What a start does: takes the lock and listens, or asks the instance that
// holds it (passing `activationToken`, empty for none), waiting up to
// `patience` for one that is still starting. A lock that cannot be made at
// all leaves both descriptors empty.
Start start(std::string_view folder, std::chrono::milliseconds patience,
            std::string_view activationToken = {});

// True when an instance of this user listens at `socket` and was asked to show.
bool askRunning(const std::string& socket, std::string_view activationToken = {});

// What a later start asked for.
struct ShowRequest {
    std::string activationToken; // empty: none came
};

// Accepts one waiting start when it came from this user. Its words are
// awaited up to `patience`: a start that sends none, or no valid token,
// still asks for the editor.
std::optional<ShowRequest>
acceptStart(int listener, std::chrono::milliseconds patience = std::chrono::milliseconds(250));

} // namespace kestrum::instance
