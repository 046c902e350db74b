#pragma once

#include <string_view>

class QTextEdit;

// Shows a file's bytes in the file viewer: rich text formatted, UTF-8 text
// decoded as such, anything else as the program's own 8-bit text.
void showFileIn(QTextEdit* viewer, std::string_view bytes);
