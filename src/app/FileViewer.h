#pragma once

#include <functional>
#include <string>

class QTextEdit;

// Shows the file at `path` (program text) in the file viewer: rich text
// formatted, UTF-8 text decoded as such, anything else as the program's own
// 8-bit text; its first part when it is large
// (kestrum::kViewedPart), ended by a note whose link shows the next part.
// A large part arrives over later turns of the event loop; `whenShown` runs
// once it is all in, unless another file or a clearing came first. Raises
// when the file cannot be read.
void showFileAt(QTextEdit* viewer, const std::string& path, std::function<void()> whenShown = {});

// True while a file asked for is still on its way into the viewer.
bool isShowingFile(QTextEdit* viewer);

// Empties the viewer and drops a file still on its way.
void clearViewer(QTextEdit* viewer);
