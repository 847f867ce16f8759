#include "store/file_writer.h"

namespace sorvane {

int DefaultWriters() {
    // Creating a file is mostly the file system's own work, which runs beside the parsing;
    // two workers keep both processors of a small machine busy while the reader waits.
    return 2;
}

FileWriter::FileWriter(int workers, size_t queueLimit) : limit_(queueLimit) {
    if (workers > 0) pool_ = std::make_unique<TaskPool>(workers);
}

FileWriter::~FileWriter() {
    if (!pool_) return;
    try {
        pool_->Wait();
    } catch (...) {
        // Already reported by an earlier Write or Wait, or the owner is unwinding a failure.
    }
}

void FileWriter::Done(size_t bytes, bool failed) {
    {
        std::lock_guard lock(mutex_);
        queued_.fetch_sub(bytes, std::memory_order_relaxed);
        if (failed) failed_.store(true, std::memory_order_relaxed);
    }
    drained_.notify_all();
}

void FileWriter::Queue(size_t bytes, std::function<void()> body) {
    {
        std::unique_lock lock(mutex_);
        drained_.wait(lock, [&] {
            size_t q = queued_.load(std::memory_order_relaxed);
            return failed_.load(std::memory_order_relaxed) || q == 0 || q + bytes <= limit_;
        });
        if (!failed_.load(std::memory_order_relaxed))
            queued_.fetch_add(bytes, std::memory_order_relaxed);
    }
    if (failed_.load(std::memory_order_relaxed)) {
        Wait();  // throws the failure (once; later writes go on as if none had been seen)
        failed_.store(false, std::memory_order_relaxed);
        queued_.fetch_add(bytes, std::memory_order_relaxed);
    }
    pool_->Submit([this, body = std::move(body), bytes] {
        try {
            body();
        } catch (...) {
            Done(bytes, true);
            throw;  // kept by the pool for the next Wait
        }
        Done(bytes, false);
    });
}

void FileWriter::Write(fs::path path, std::string content) {
    if (!pool_) {
        WriteFileAtomic(path, content);
        return;
    }
    const size_t bytes = content.size();
    Queue(bytes, [path = std::move(path), content = std::move(content)] {
        WriteFileAtomic(path, content);
    });
}

void FileWriter::WriteLines(fs::path path, const std::vector<std::string>& lines) {
    if (!pool_) {
        WriteLinesAtomic(path, lines);
        return;
    }
    Queue(LinesContentBytes(lines),
          [path = std::move(path), &lines] { WriteLinesAtomic(path, lines); });
}

void FileWriter::Wait() {
    if (pool_) pool_->Wait();
}

}  // namespace sorvane
