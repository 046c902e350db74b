#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One file's search, fed the file's bytes block by block: the lines that
// hold the query, each once, with their numbers. Time is linear and memory
// bounded whatever the line lengths: a line longer than `longLine` is
// searched in pieces, and a hit's line longer than `hitText` is given as a
// window of that size around the hit.
namespace kestrum::search {

struct Query {
    std::string text; // program text; never empty
    bool exactCase = false;
    bool firstPerFile = false; // only each file's first hit: enough to list the files
};

struct Hit {
    std::string file;
    std::size_t line = 0; // from 1; CR LF, LF and a lone CR each end a line
    std::string text;     // the line's bytes as they stand in the file, or a window of it
};

// Two places in a needle whose bytes are scanned for together.
struct RarePair {
    std::size_t first = 0, second = 0;
};

// The query as the scan looks for it, in both encodings a file may have.
struct Needles {
    std::string gb, utf8; // folded byte by byte when the case does not count
    std::string gbFolded; // the query folded by characters, to check a hit
    RarePair gbRare, utf8Rare;
    bool fold = false; // the case does not count and the query has ASCII letters
    bool firstPerFile = false;
};

// Raises for an empty query. The needles' bytes to scan for are the ones
// rarest in `sample`.
Needles makeNeedles(const Query& query, std::string_view sample);

struct ScanLimits {
    std::size_t longLine = 1 << 20; // a line without end this long is searched in pieces
    std::size_t hitText = 1024;     // the longest hit text
};

// A worker's read buffer, grown but never cleared: zeroing a block per
// file cost more than the search itself.
class ScanBuffer {
  public:
    char* data() { return bytes_.get(); }
    // Room for `size` bytes, the first `kept` of them kept.
    void reserve(std::size_t size, std::size_t kept);

  private:
    std::unique_ptr<char[]> bytes_;
    std::size_t capacity_ = 0;
};

// A file is UTF-8 or the program's text as its first block that is not
// plain ASCII shows; only that encoding's needle is then looked for.
enum class Encoding { Ascii, Utf8, Gb };

class FileScan {
  public:
    FileScan(const Needles& needles, ScanBuffer& buffer, std::string file, ScanLimits limits = {});

    // Where the next bytes read from the file go: room for `most`.
    char* room(std::size_t most);
    // Scans after `n` bytes were put into room(); `atEnd` when the file
    // ends with them. False once no more bytes are wanted.
    bool take(std::size_t n, bool atEnd, std::vector<Hit>& found);
    Encoding encoding() const { return encoding_; }

  private:
    std::size_t pieceEnd(std::string_view data);
    void detectEncoding(std::string_view chunk);
    std::size_t findHits(std::string_view data, std::size_t end, bool piece,
                         std::vector<Hit>& found);
    std::string hitText(std::string_view data, std::size_t start, std::size_t lineEnd,
                        std::size_t at, std::size_t needle) const;

    const Needles& needles_;
    ScanBuffer& buffer_;
    std::string file_;
    ScanLimits limits_;
    std::string folded_;
    std::size_t held_ = 0;
    std::size_t line_ = 1;
    Encoding encoding_ = Encoding::Ascii;
    bool lineReported_ = false; // the line the held bytes start in has its hit already
    bool done_ = false;
};

} // namespace kestrum::search
