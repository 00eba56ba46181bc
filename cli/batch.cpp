#include "cli/batch.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "cli/io.h"
#include "cli/render.h"
#include "pixmond/failure.h"
#include "pixmond/text.h"

namespace pixmond::cli {
namespace {

using Clock = std::chrono::steady_clock;

struct Job {
    std::uint64_t line = 0;
    std::string text;
    bool tooLong = false;
};

// The reader runs ahead of the encoders by at most a few lines, whatever the file's length.
class JobQueue {
public:
    explicit JobQueue(std::size_t capacity) : capacity_(capacity) {}

    // False once stopped: the job is dropped.
    bool Push(Job job) {
        std::unique_lock lock(mutex_);
        notFull_.wait(lock, [&] { return stopped_ || jobs_.size() < capacity_; });
        if (stopped_) return false;
        jobs_.push_back(std::move(job));
        notEmpty_.notify_one();
        return true;
    }

    // Nothing once closed and drained, or stopped.
    std::optional<Job> Pop() {
        std::unique_lock lock(mutex_);
        notEmpty_.wait(lock, [&] { return stopped_ || closed_ || !jobs_.empty(); });
        if (stopped_ || jobs_.empty()) return std::nullopt;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        notFull_.notify_one();
        return job;
    }

    void Close() {
        const std::lock_guard lock(mutex_);
        closed_ = true;
        notEmpty_.notify_all();
    }

    void Stop() {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        jobs_.clear();
        notEmpty_.notify_all();
        notFull_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable notFull_, notEmpty_;
    std::deque<Job> jobs_;
    std::size_t capacity_;
    bool closed_ = false;
    bool stopped_ = false;
};

// Standard error, shared by the encoders' reports and the progress bar, which is redrawn
// below the reports instead of being mixed into them.
class Console {
public:
    explicit Console(bool progressBar) : progressBar_(progressBar) {}

    void Report(const std::string& text) {
        const std::lock_guard lock(mutex_);
        ClearBarLocked();
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
    }

    void Progress(const std::string& bar) {
        if (!progressBar_) return;
        const std::lock_guard lock(mutex_);
        std::fprintf(stderr, "\r%s\x1b[K", bar.c_str());
        std::fflush(stderr);
        barShown_ = true;
    }

    void ClearBar() {
        const std::lock_guard lock(mutex_);
        ClearBarLocked();
    }

private:
    void ClearBarLocked() {
        if (!barShown_) return;
        std::fputs("\r\x1b[K", stderr);
        barShown_ = false;
    }

    std::mutex mutex_;
    bool progressBar_;
    bool barShown_ = false;
};

struct Counts {
    std::atomic<std::uint64_t> written{0};
    std::atomic<std::uint64_t> failed{0};
};

std::string MinutesSeconds(double seconds) {
    const auto s = static_cast<long long>(seconds + 0.5);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld", s / 60, s % 60);
    return buffer;
}

std::string ProgressText(std::uint64_t done, std::uint64_t total, double seconds) {
    constexpr std::uint64_t kWidth = 30;
    const std::uint64_t filled = total ? std::min(kWidth, done * kWidth / total) : kWidth;
    std::string bar(1, '[');
    bar.append(filled, '#');
    bar.append(kWidth - filled, '-');
    bar += "] ";
    bar += std::to_string(done) + "/" + std::to_string(total);
    if (seconds > 0 && done > 0) {
        const double rate = done / seconds;
        bar += "  " + std::to_string(static_cast<long long>(rate)) + "/s  " +
               MinutesSeconds(static_cast<double>(total - done) / rate) + " left";
    }
    return bar;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenList(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw InputError("'" + path + "' is a folder, not a list of texts");
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) throw InputError("cannot read '" + path + "': " + std::strerror(errno));
    return file;
}

struct ListSize {
    std::uint64_t lines = 0;
    std::uint64_t texts = 0;  // lines that are not empty
};

ListSize MeasureList(std::FILE* file) {
    ListSize size;
    LineReader reader(file);
    std::string line;
    bool tooLong = false;
    while (reader.Next(line, tooLong)) {
        ++size.lines;
        if (!line.empty()) ++size.texts;
    }
    return size;
}

void PrepareFolder(const std::string& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir))
        throw OutputError("cannot make the folder '" + dir + "': " + (ec ? ec.message() : "a file has that name"));
    // Permissions alone do not tell (root, read-only mounts): try it.
    std::string probe = (std::filesystem::path(dir) / ".pixmond-probe.XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) throw OutputError("cannot write into '" + dir + "': " + std::strerror(errno));
    ::close(fd);
    ::unlink(probe.c_str());
}

// Empty when the line's picture was written; otherwise what went wrong.
std::string MakeLine(const BatchSettings& s, const Job& job, std::uint64_t lineCount, QrCode& record) {
    if (job.tooLong)
        return "the line holds more than " + std::to_string(kMaxTextBytes) + " bytes; no QR code holds that much";
    try {
        std::string text;
        try {
            text = FromUtf8(job.text);
        } catch (const ModuleFailure& e) {
            return std::string(FindInvalidUtf8(job.text) ? "the line is not valid UTF-8: "
                                                         : "the line has a character GB18030 cannot hold: ") +
                   e.message();
        }
        const PictureRequest request{text, s.level, s.size, s.background, s.foreground, s.type, false};
        const std::vector<std::uint8_t> bytes = MakePicture(record, request);
        const std::string name = LineFileStem(job.line, lineCount) + "." + std::string(TypeExtension(s.type));
        WriteFileAtomically((std::filesystem::path(s.dir) / name).string(), bytes);
        return {};
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const std::exception& e) {
        // A module failure's text is its report, shown as it stands.
        return e.what();
    }
}

}  // namespace

std::string LineFileStem(std::uint64_t lineNumber, std::uint64_t lineCount) {
    const std::size_t width = std::max<std::size_t>(4, std::to_string(lineCount).size());
    std::string digits = std::to_string(lineNumber);
    return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

int RunBatch(const BatchSettings& s) {
    File file;
    ListSize size;
    try {
        file = OpenList(s.file);
        size = MeasureList(file.get());
        if (size.lines == 0) throw InputError("'" + s.file + "' is empty");
        if (size.texts == 0) throw InputError("'" + s.file + "' holds only empty lines");
        PrepareFolder(s.dir);
        std::rewind(file.get());
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "pixmond-cli: %s\n", e.what());
        return 2;
    }

    // Every thread holds the ending signals back; the ticker takes them, so an interrupt lets
    // the pictures in progress finish instead of leaving half of one.
    const sigset_t signals = TerminationSignals();
    sigset_t previousMask;
    pthread_sigmask(SIG_BLOCK, &signals, &previousMask);

    const auto start = Clock::now();
    const unsigned jobs = std::max(1u, s.jobs);
    JobQueue queue(4 * static_cast<std::size_t>(jobs));
    Console console(s.progressBar);
    Counts counts;
    std::atomic<bool> finished{false};
    std::atomic<int> interruptedBy{0};

    std::thread ticker([&] {
        while (!finished.load()) {
            const timespec wait{0, 100'000'000};
            const int signal = sigtimedwait(&signals, nullptr, &wait);
            if (signal > 0) {
                interruptedBy = signal;
                queue.Stop();
            }
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            console.Progress(ProgressText(counts.written + counts.failed, size.texts, seconds));
        }
    });
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < jobs; ++i)
        workers.emplace_back([&] {
            QrCode record;  // this thread's own: the reentrant path touches nothing shared
            while (std::optional<Job> job = queue.Pop()) {
                const std::string problem = MakeLine(s, *job, size.lines, record);
                if (problem.empty()) {
                    ++counts.written;
                } else {
                    ++counts.failed;
                    console.Report("pixmond-cli: line " + std::to_string(job->line) + ": " + problem);
                }
            }
        });

    std::uint64_t skipped = 0;
    int status = 0;
    try {
        LineReader reader(file.get());
        Job job;
        while (reader.Next(job.text, job.tooLong)) {
            ++job.line;
            if (job.text.empty() && !job.tooLong) {
                ++skipped;
                continue;
            }
            if (!queue.Push(job)) break;
        }
    } catch (const InputError& e) {
        console.Report("pixmond-cli: " + std::string(e.what()));
        queue.Stop();
        status = 2;
    }
    queue.Close();
    for (std::thread& t : workers) t.join();
    finished = true;
    ticker.join();
    console.ClearBar();
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);

    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    char summary[200];
    std::snprintf(summary, sizeof summary, "%s%llu written, %llu skipped (empty), %llu failed, %.2f s",
                  interruptedBy ? "interrupted: " : "", static_cast<unsigned long long>(counts.written.load()),
                  static_cast<unsigned long long>(skipped), static_cast<unsigned long long>(counts.failed.load()),
                  seconds);
    console.Report("pixmond-cli: " + std::string(summary));
    if (interruptedBy) return 128 + interruptedBy;
    if (status) return status;
    return counts.failed ? 1 : 0;
}

}  // namespace pixmond::cli
