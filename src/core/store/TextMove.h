#pragma once

#include <string>
#include <string_view>

// The editor's "转移到": text moved into another category's working file.
namespace kestrum {

struct ProgramState;

// What moves: the selection when it holds anything, else every line of the
// editor's text, each ending in CR LF.
std::string textToMove(std::string_view editorText, std::string_view selection);

// Appends `moved` to `target`'s working file, whose old content loses its
// blanks at both ends, writes every line with CR LF, and returns the new
// content.
std::string moveText(ProgramState& state, const std::string& target, std::string_view moved);

// The auto-saved copy of a move: the whole new `content` under its
// first-line name in the target's folder, never over an existing file.
// Returns its path; raises when every numbered name is taken.
std::string autoSaveMoved(ProgramState& state, const std::string& target,
                          const std::string& content);

} // namespace kestrum
