#include "window/WorkingFileSync.h"

namespace kestrum {

void WorkingFileSync::loaded(bool fileExists, bool blank) {
    onDisk_ = fileExists ? Action::Write : Action::Delete;
    blank_ = blank;
    blankKnown_ = true;
    dirty_ = false;
}

void WorkingFileSync::done(Action action) {
    if (action == Action::None)
        return;
    onDisk_ = action;
    dirty_ = false;
}

} // namespace kestrum
