#include "window/CommandStates.h"

#include "text/TextLines.h"

namespace kestrum {

Enable enableFor(StateGroup group, const EditorFacts& facts) {
    auto on = [](bool yes) { return yes ? Enable::On : Enable::Off; };
    switch (group) {
    case StateGroup::Text:
        return on(!lines::trimControls(facts.text).empty());
    case StateGroup::Selection:
        return on(!lines::trimControls(facts.selection).empty());
    case StateGroup::Paste:
        return on(facts.clipboardHasText);
    case StateGroup::ClearClipboard:
        return facts.clipboardHasText ? Enable::On : Enable::Keep;
    case StateGroup::None:
        break;
    }
    return Enable::Keep;
}

std::vector<Enable> refreshCommandStates(const std::vector<StateGroup>& rows,
                                         const EditorFacts& facts) {
    std::vector<Enable> states;
    states.reserve(rows.size());
    for (StateGroup group : rows)
        states.push_back(enableFor(group, facts));
    return states;
}

} // namespace kestrum
