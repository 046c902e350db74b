#include "text/MergeCopy.h"

#include "base/Errors.h"
#include "store/FileStore.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kestrum::merge {
namespace {

constexpr char kCtrlZ = 0x1A;

enum class CopyFailure { none, reading, writing };

CopyFailure copyStream(int in, int out) {
    LineCopy copy;
    std::string converted;
    char buffer[1 << 16];
    while (!copy.stopped()) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return CopyFailure::reading;
        if (n == 0)
            break;
        converted.clear();
        copy.feed(std::string_view(buffer, static_cast<std::size_t>(n)), converted);
        if (!files::writeAll(out, converted))
            return CopyFailure::writing;
    }
    converted.clear();
    copy.finish(converted);
    return files::writeAll(out, converted) ? CopyFailure::none : CopyFailure::writing;
}

} // namespace

void LineCopy::feed(std::string_view block, std::string& out) {
    if (stopped_)
        return;
    out.reserve(out.size() + block.size() + block.size() / 32);
    std::size_t start = 0; // bytes [start, i) are copied as they are
    for (std::size_t i = 0; i < block.size(); ++i) {
        char c = block[i];
        if (c != '\r' && c != '\n' && c != kCtrlZ) {
            afterCr_ = false;
            continue;
        }
        out.append(block.substr(start, i - start));
        lineOpen_ = lineOpen_ || i > start;
        start = i + 1;
        if (c == kCtrlZ) {
            stopped_ = true;
            return;
        }
        if (c == '\n' && afterCr_) {
            afterCr_ = false; // the LF of a CR LF line end
        } else if (c == '\n') {
            out += '\n';
            lineOpen_ = true;
        } else {
            out += "\r\n";
            lineOpen_ = false;
            afterCr_ = true;
        }
    }
    out.append(block.substr(start));
    lineOpen_ = lineOpen_ || start < block.size();
}

void LineCopy::finish(std::string& out) {
    if (lineOpen_)
        out += "\r\n";
    lineOpen_ = false;
}

bool copyLines(int in, int out) {
    return copyStream(in, out) == CopyFailure::none;
}

void appendFiles(const std::vector<std::string>& sources, const std::string& target) {
    for (const auto& source : sources) {
        int in = ::open(files::nativePath(source).c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0)
            raise(files::kCannotOpen, source);
        int out = ::open(files::nativePath(target).c_str(),
                         O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (out < 0) {
            ::close(in);
            raise(files::kCannotCreate, target);
        }
        CopyFailure failure = copyStream(in, out);
        ::close(in);
        bool closed = ::close(out) == 0;
        if (failure == CopyFailure::reading)
            raise(files::kCannotOpen, source);
        if (failure == CopyFailure::writing || !closed)
            raise(files::kCannotCreate, target);
    }
}

} // namespace kestrum::merge
