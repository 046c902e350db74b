#pragma once

#include <string>
#include <string_view>

class QTextEdit;

// Shows a file's bytes in the file viewer: rich text formatted, UTF-8 text
// decoded as such, anything else as the program's own 8-bit text.
void showFileIn(QTextEdit* viewer, std::string_view bytes);

// Shows the file at `path` (program text): its first part when it is large
// (kestrum::kViewedPart), ended by a note whose link shows the next part.
void showFileAt(QTextEdit* viewer, const std::string& path);
