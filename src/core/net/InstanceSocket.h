#pragma once

#include <string>
#include <string_view>

// One running Kestrum per user and temporary folder: the first start listens
// on a Unix socket in the abstract namespace (no file that could be planted
// or left behind); a later start asks it to show its editor window and
// ends. Both sides check that the peer is the same user.
namespace kestrum::instance {

// The socket's name for the run whose usual private folder is `folder`.
std::string socketName(std::string_view folder, unsigned userId);

// True when an instance of this user listens at `name` and was asked to show.
bool askRunning(const std::string& name);

// A listening socket (non-blocking), or -1 when the name is taken or the
// system refuses.
int listen(const std::string& name);

// Accepts one waiting start; true when it came from this user.
bool acceptStart(int listener);

void close(int listener);

} // namespace kestrum::instance
