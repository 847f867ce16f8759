// Whole-file writes by the atomic replace, either done at once or queued to background
// workers, so that a store goes on with its records while the files it finished are written.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/task_pool.h"

namespace sorvane {

// The workers a bulk store writes with.
int DefaultWriters();

class FileWriter {
  public:
    // workers 0: every Write has written its file when it returns. Otherwise Write queues,
    // and holds back while the queued contents exceed queueLimit bytes (so that they count
    // against a memory budget).
    explicit FileWriter(int workers = 0, size_t queueLimit = SIZE_MAX);
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;
    // Waits for the queued writes; a failure among them is dropped here, so a caller that
    // needs to know of it calls Wait first.
    ~FileWriter();

    // Writes content to path by WriteFileAtomic. Queued writes run in any order, so two
    // writes of one path must have a Wait between them. Throws FileError: at once without
    // workers; with workers, a queued write that failed is thrown by the next Write or Wait
    // (the first failure; nothing more is queued once one is known).
    void Write(fs::path path, std::string content);
    // Writes the lines, each followed by CR LF, the same way, from the caller's lines: they
    // must stay as they are, and in place, until the next Wait has returned.
    void WriteLines(fs::path path, const std::vector<std::string>& lines);
    // Returns once every write given before has ended; throws the first failure.
    void Wait();

    bool Background() const { return pool_ != nullptr; }
    // Bytes of content queued and not yet written.
    size_t QueuedBytes() const { return queued_.load(std::memory_order_relaxed); }

  private:
    // Queues a write of `bytes` bytes of content done by body, once the queue has room.
    void Queue(size_t bytes, std::function<void()> body);
    void Done(size_t bytes, bool failed);

    std::unique_ptr<TaskPool> pool_;
    size_t limit_;
    std::atomic<size_t> queued_{0};
    std::atomic<bool> failed_{false};
    std::mutex mutex_;
    std::condition_variable drained_;  // queued_ went down
};

}  // namespace sorvane
