#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kestrum::reflow {

// The line width in bytes for the chars-per-line box's text: 2 x N, or 65
// when the box is empty, "0", or starts with a character from ':' on.
// Raises "'%s' is not a valid integer value" for text such as "1.5", and
// refuses a negative count.
int widthFor(std::string_view charsPerLineText);

// The progress run shown in the hint panel while the reflow cuts lines.
struct Progress {
    std::string hint;     // the panel's text; grows by "■■■■■" at every cut
    long panelWidth = 50; // the width setting the emptying rule compares with
    std::function<void(const std::string&)> show; // called after every cut
};

// Cuts every line longer than `width` bytes, carrying the rest into the
// next line of the same paragraph. Lines are separated by CR LF in the
// result. A double-byte (or four-byte) character is never split: it goes
// to the carried rest, so no line is longer than `width` unless one
// character alone is.
std::string run(std::string_view text, int width, Progress* progress = nullptr);

// The last place where `text` can be cut so that running the two parts one
// after the other gives the bytes of running the whole: after a line end and
// before a line that starts a paragraph, which no rest is carried into. 0 when
// there is none yet (the place needs the line's first two bytes in sight).
std::size_t lastParagraphCut(std::string_view text);

} // namespace kestrum::reflow
