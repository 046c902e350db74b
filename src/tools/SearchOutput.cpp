#include "SearchOutput.h"

#include "StandardOutput.h"
#include "text/Gb18030.h"
#include "text/ViewedText.h"

namespace {

std::string utf8Line(std::string_view bytes) {
    return kestrum::isUtf8(bytes) ? std::string(bytes) : kestrum::gb18030::toUtf8(bytes);
}

} // namespace

void SearchOutput::add(const std::vector<kestrum::search::Hit>& hits) {
    if (failed_)
        return;
    using kestrum::gb18030::toUtf8;
    for (const auto& hit : hits)
        pending_ += filesOnly_ ? toUtf8(hit.file) + "\n"
                               : toUtf8(hit.file) + ":" + std::to_string(hit.line) + ":" +
                                     utf8Line(hit.text) + "\n";
    if (pending_.size() <= (1 << 16))
        return;
    try {
        writeOutput(pending_);
        pending_.clear();
    } catch (const OutputFailed& failed) {
        failed_ = true;
        std::lock_guard<std::mutex> lock(mutex_);
        failure_ = failed.what();
        changed_.notify_all();
    }
}

void SearchOutput::ended() {
    std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
    changed_.notify_all();
}

void SearchOutput::finish(kestrum::search::Search& run) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return ended_ || failure_; });
    }
    run.cancel(); // nothing left to stop after its end
    run.wait();
    if (failure_)
        throw OutputFailed(*failure_);
    writeOutput(pending_);
}
