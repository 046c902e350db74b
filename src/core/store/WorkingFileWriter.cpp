#include "store/WorkingFileWriter.h"

#include "store/FileStore.h"

#include <algorithm>
#include <utility>

namespace kestrum {

WorkingFileWriter::~WorkingFileWriter() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void WorkingFileWriter::setOutcome(Outcome outcome) {
    std::lock_guard lock(mutex_);
    outcome_ = std::move(outcome);
}

void WorkingFileWriter::write(const std::string& path, Content content) {
    ask({path, std::move(content)});
}

void WorkingFileWriter::remove(const std::string& path) {
    ask({path, {}});
}

void WorkingFileWriter::ask(Job job) {
    {
        std::lock_guard lock(mutex_);
        // Only the newest text of a file counts: a job not begun yet is
        // replaced where it stands, so the order between files is kept.
        auto same = std::find_if(pending_.begin(), pending_.end(),
                                 [&](const Job& waiting) { return waiting.path == job.path; });
        if (same != pending_.end())
            *same = std::move(job);
        else
            pending_.push_back(std::move(job));
        if (!thread_.joinable())
            thread_ = std::thread([this] { work(); });
    }
    changed_.notify_all();
}

bool WorkingFileWriter::wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return pending_.empty() && !busy_; });
    return !std::exchange(failed_, false);
}

void WorkingFileWriter::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || !pending_.empty(); });
        if (pending_.empty())
            return; // ending, with nothing left to write
        Job job = std::move(pending_.front());
        pending_.pop_front();
        busy_ = true;
        lock.unlock();
        run(job);
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

void WorkingFileWriter::run(const Job& job) {
    std::optional<std::string> failure;
    try {
        if (job.content)
            files::replace(job.path, job.content());
        else
            files::remove(job.path);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    Outcome tell;
    {
        std::lock_guard lock(mutex_);
        failed_ = failed_ || failure.has_value();
        tell = outcome_;
    }
    if (tell) // outside the lock: it may hand the news to another thread
        tell(job.path, failure);
}

} // namespace kestrum
