#include "text/MergeCopy.h"

#include "base/Errors.h"
#include "base/FileDescriptor.h"
#include "base/UserFile.h"
#include "text/NativePath.h"
#include "text/ReadFailureText.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace kestrum::merge {
namespace {

constexpr char kCtrlZ = 0x1A;

template <typename Read> CopyFailure copyStream(Read read, int out) {
    LineCopy copy;
    std::string converted;
    std::vector<char> buffer(1 << 20);
    while (!copy.stopped()) {
        ssize_t n = read(buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return CopyFailure::reading;
        if (n == 0)
            break;
        std::string_view block(buffer.data(), static_cast<std::size_t>(n));
        if (!copy.passUnchanged(block)) {
            converted.clear();
            copy.feed(block, converted);
            block = converted;
        }
        if (!files::writeAll(out, block))
            return CopyFailure::writing;
    }
    converted.clear();
    copy.finish(converted);
    return files::writeAll(out, converted) ? CopyFailure::none : CopyFailure::writing;
}

} // namespace

// Only CR and Ctrl+Z change what is copied: a CR becomes CR LF and takes a
// LF right after it along, so the bytes between two CRs go over as they are
// and the scan jumps from CR to CR.
void LineCopy::feed(std::string_view block, std::string& out) {
    if (stopped_)
        return;
    if (std::size_t end = block.find(kCtrlZ); end != std::string_view::npos) {
        block = block.substr(0, end);
        stopped_ = true;
    }
    out.reserve(out.size() + block.size() + block.size() / 32);
    if (!block.empty()) {
        if (afterCr_ && block.front() == '\n')
            block.remove_prefix(1); // the LF of a CR LF line end cut between blocks
        afterCr_ = false;
    }
    for (std::size_t cr; (cr = block.find('\r')) != std::string_view::npos;) {
        out.append(block.substr(0, cr));
        out += "\r\n";
        lineOpen_ = false;
        afterCr_ = cr + 1 == block.size();
        block.remove_prefix(cr + 1 < block.size() && block[cr + 1] == '\n' ? cr + 2 : cr + 1);
    }
    out.append(block);
    lineOpen_ = lineOpen_ || !block.empty();
}

bool LineCopy::passUnchanged(std::string_view block) {
    if (stopped_ || block.empty() || block.back() == '\r' || (afterCr_ && block.front() == '\n') ||
        block.find(kCtrlZ) != std::string_view::npos)
        return false;
    std::size_t afterLastEnd = 0;
    for (std::size_t cr = block.find('\r'); cr != std::string_view::npos;
         cr = block.find('\r', cr + 2)) {
        if (block[cr + 1] != '\n')
            return false;
        afterLastEnd = cr + 2;
    }
    afterCr_ = false;
    lineOpen_ = afterLastEnd < block.size();
    return true;
}

void LineCopy::finish(std::string& out) {
    if (lineOpen_)
        out += "\r\n";
    lineOpen_ = false;
}

CopyFailure copyLines(int in, int out) {
    return copyStream([in](char* into, std::size_t most) { return ::read(in, into, most); }, out);
}

void appendFiles(const std::vector<std::string>& sources, const std::string& target) {
    for (const auto& source : sources) {
        files::UserFile in(files::nativePath(source).c_str());
        if (!in.isOpen())
            files::raiseReadFailure(in.failure(), source);
        files::FileDescriptor out(::open(files::nativePath(target).c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
        if (!out.valid())
            raise(files::kCannotCreate, target);
        CopyFailure failure = copyStream(
            [&in](char* into, std::size_t most) { return in.read(into, most); }, out.get());
        bool closed = out.close();
        if (failure == CopyFailure::reading)
            raise(files::kCannotOpen, source);
        if (failure == CopyFailure::writing || !closed)
            raise(files::kCannotCreate, target);
    }
}

} // namespace kestrum::merge
