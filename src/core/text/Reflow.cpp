#include "text/Reflow.h"

#include "base/Errors.h"
#include "base/Numbers.h"
#include "text/Gb18030.h"
#include "text/Messages.h"
#include "text/TextLines.h"

#include <climits>
#include <deque>
#include <vector>

namespace kestrum::reflow {
namespace {

const std::string& progressMark() {
    static const std::string mark = gb("■■■■■");
    return mark;
}

bool paragraphBreakBefore(std::string_view line) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(line[i]); };
    if (line.empty())
        return true;
    if (byte(0) <= 0x20 && (line.size() == 1 || byte(1) <= 0x20))
        return true;
    return line.size() >= 2 && byte(0) == 0xA1 && byte(1) == 0xA1;
}

// How many of the bytes at the start of `part` (which starts a character)
// make whole characters within `limit` bytes. From a character start, a run
// of bytes 0x81..0xFE is made of pairs (a four-byte character needs a digit
// second), so such runs are crossed two bytes at a time without decoding.
std::size_t charactersWithin(std::string_view part, std::size_t limit) {
    auto high = [&](std::size_t i) {
        auto b = static_cast<unsigned char>(part[i]);
        return b >= 0x81 && b <= 0xFE;
    };
    std::size_t at = 0;
    while (at < part.size()) {
        std::size_t run = at;
        while (run < part.size() && high(run))
            ++run;
        std::size_t pairsEnd = at + ((run - at) & ~std::size_t{1});
        if (pairsEnd > at) {
            if (pairsEnd > limit)
                return at + ((limit - at) & ~std::size_t{1});
            at = pairsEnd;
            continue;
        }
        std::size_t length = gb18030::characterLength(part, at);
        if (at + length > limit)
            return at;
        at += length;
    }
    return at;
}

// The line being cut: the carried rest followed by the continuation lines
// joined to it, kept as views into the text so that a long line is never
// copied at every pass.
class CarriedLine {
  public:
    void append(std::string_view part) {
        if (!part.empty())
            parts_.push_back(part);
        size_ += part.size();
    }
    std::size_t size() const { return size_; }

    // Appends the first `width` bytes or fewer to `to`, ending on a
    // character boundary; at least one character, so that every cut makes
    // progress. A part that fits whole is taken without looking into it.
    void takeHead(std::size_t width, std::string& to) {
        std::size_t taken = 0;
        while (!parts_.empty()) {
            std::string_view& part = parts_.front();
            if (taken + part.size() <= width) {
                to.append(part);
                taken += part.size();
                size_ -= part.size();
                parts_.pop_front();
                continue;
            }
            std::size_t fits = charactersWithin(part, width - taken);
            if (fits == 0 && taken == 0)
                fits = gb18030::characterLength(part, 0);
            to.append(part.substr(0, fits));
            size_ -= fits;
            part.remove_prefix(fits);
            break;
        }
    }

    void takeAll(std::string& to) { takeHead(size_, to); }

  private:
    std::deque<std::string_view> parts_;
    std::size_t size_ = 0;
};

class Output {
  public:
    explicit Output(std::size_t capacity) { text_.reserve(capacity); }
    // The text to append the next line's bytes to.
    std::string& newLine() {
        if (lines_++)
            text_ += lines::kCrLf;
        return text_;
    }
    std::string finish(bool endsWithBreak) {
        if (endsWithBreak && lines_)
            text_ += lines::kCrLf;
        return std::move(text_);
    }

  private:
    std::string text_;
    std::size_t lines_ = 0;
};

void reportCut(Progress* progress, int factor) {
    if (!progress)
        return;
    progress->hint += progressMark();
    if (static_cast<long>(progress->hint.size()) * factor > progress->panelWidth)
        progress->hint.clear();
    if (progress->show)
        progress->show(progress->hint);
}

} // namespace

int widthFor(std::string_view text) {
    int count = 0;
    if (!text.empty() && text != "0" && static_cast<unsigned char>(text.front()) < ':') {
        auto parsed = parseInteger(text);
        if (!parsed)
            raise("'%s' is not a valid integer value", text);
        count = *parsed;
    }
    if (count < 0)
        raise(Messages::tr("每行字数不能是负数：%s"), text);
    if (count == 0)
        return 65;
    // A count past half the integer range is wider than any text anyway.
    return count > INT32_MAX / 2 ? INT32_MAX : 2 * count;
}

std::size_t lastParagraphCut(std::string_view text) {
    for (std::size_t p = text.size() < 2 ? 0 : text.size() - 2; p > 0; --p) {
        bool lineStarts = text[p - 1] == '\n' || (text[p - 1] == '\r' && text[p] != '\n');
        if (!lineStarts)
            continue;
        std::size_t end = text.find_first_of("\r\n", p);
        if (paragraphBreakBefore(text.substr(p, end == std::string_view::npos ? end : end - p)))
            return p;
    }
    return 0;
}

std::string run(std::string_view text, int width, Progress* progress) {
    const auto all = lines::split(text);
    const auto w = static_cast<std::size_t>(width);
    bool endsWithBreak = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    Output out(text.size() + text.size() / 16);
    CarriedLine current;
    std::size_t next = 0;
    bool haveLine = false;
    auto takeNextLine = [&] {
        haveLine = next < all.size();
        if (haveLine)
            current.append(all[next++]);
    };
    takeNextLine();
    // Pass k looks at line k only: a line is final once its pass is done,
    // so the passes stream through the text. They go on while a line is
    // longer than the width, as many as that takes.
    while (haveLine) {
        if (current.size() <= w) {
            current.takeAll(out.newLine());
            takeNextLine();
            continue;
        }
        current.takeHead(w, out.newLine());
        if (current.size() == 0) {
            // One character wider than the line was all there was to cut.
            takeNextLine();
        } else if (next >= all.size()) {
            endsWithBreak = true; // the rest became the new last line
            reportCut(progress, 5);
        } else if (paragraphBreakBefore(all[next])) {
            reportCut(progress, 5);
        } else {
            current.append(all[next++]);
            reportCut(progress, 2);
        }
    }
    return out.finish(endsWithBreak);
}

} // namespace kestrum::reflow
