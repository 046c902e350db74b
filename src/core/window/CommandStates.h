#pragma once

#include <string_view>
#include <vector>

// Which of the editor's commands apply, group by group, from the editor's
// text, its selection and the clipboard.
namespace kestrum {

enum class StateGroup {
    None,           // always available; the refresh leaves it alone
    Text,           // the editor holds more than blanks
    Selection,      // the selection holds more than blanks
    Paste,          // the clipboard offers text
    ClearClipboard, // enabled when the clipboard offers text, disabled only by its own command
};

enum class Enable { On, Off, Keep };

struct EditorFacts {
    std::string_view text;      // or any text with the same blankness
    std::string_view selection; // likewise
    bool clipboardHasText = false;
};

Enable enableFor(StateGroup group, const EditorFacts& facts);

// The refresh over a table of commands: one answer per row, in row order.
std::vector<Enable> refreshCommandStates(const std::vector<StateGroup>& rows,
                                         const EditorFacts& facts);

} // namespace kestrum
