#pragma once

#include <string>
#include <string_view>
#include <vector>

// The merge's line copy: a line ends at CR (an LF right after it belongs to
// the line end; any other LF is an ordinary byte), every line is written
// followed by CR LF, and the copy stops at the end or the first Ctrl+Z.
namespace kestrum::merge {

// Streams in blocks of any size; constant memory.
class LineCopy {
  public:
    // Converts one block; nothing more is taken after a Ctrl+Z.
    void feed(std::string_view block, std::string& out);
    // True, having taken it, when the block comes out byte for byte as it
    // is (no Ctrl+Z, every CR already followed by its LF), so the caller can
    // write the block itself; false, taking nothing, otherwise.
    bool passUnchanged(std::string_view block);
    // Ends the last line when it had no line end of its own.
    void finish(std::string& out);
    bool stopped() const { return stopped_; }

  private:
    bool lineOpen_ = false; // bytes of the current line have been written
    bool afterCr_ = false;  // the previous byte ended a line with CR
    bool stopped_ = false;
};

enum class CopyFailure { none, reading, writing };

// Copies the file descriptor `in` onto `out` by the rule; says which side
// failed, errno telling why.
CopyFailure copyLines(int in, int out);

// Appends each source file to `target` by the rule, in order. Raises
// "Cannot open file %s" for a source and "Cannot create file %s" for the
// target; what was copied before a failure stays in the target.
void appendFiles(const std::vector<std::string>& sources, const std::string& target);

} // namespace kestrum::merge
