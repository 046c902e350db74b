#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// Takes the editor's text to the working files on a thread of its own, so a
// key release costs the window no more than handing the text over. Writes
// happen in the order asked, each whole (files::replace); a burst of writes
// to one file that the thread has not reached yet becomes one. Whatever
// reads or replaces a working file otherwise waits for it first (wait()),
// so a pending write is never overtaken.
namespace kestrum {

class WorkingFileWriter {
  public:
    // The bytes to write, made on the writer's thread.
    using Content = std::function<std::string()>;
    // Told after every write or removal, on the writer's thread: the path and
    // the failure's text, or nothing when it succeeded.
    using Outcome =
        std::function<void(const std::string& path, const std::optional<std::string>& failure)>;

    WorkingFileWriter() = default;
    ~WorkingFileWriter(); // finishes what was asked, then ends the thread
    WorkingFileWriter(const WorkingFileWriter&) = delete;
    WorkingFileWriter& operator=(const WorkingFileWriter&) = delete;

    void setOutcome(Outcome outcome);
    void write(const std::string& path, Content content);
    void remove(const std::string& path);
    // Returns once everything asked for is done; false when anything failed
    // since the last wait.
    bool wait();

  private:
    struct Job {
        std::string path;
        Content content; // empty: remove the file
    };
    void ask(Job job);
    void work();
    void run(const Job& job);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> pending_;
    bool busy_ = false; // a job is being done outside the lock
    bool failed_ = false;
    bool ending_ = false;
    Outcome outcome_;
    std::thread thread_; // started by the first job
};

} // namespace kestrum
