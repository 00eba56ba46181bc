#include "cli/io.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace pixmond::cli {
namespace {

mode_t g_umask = 022;

std::string Reason(int error) { return std::strerror(error); }

[[noreturn]] void Throw(const std::string& what, int error) {
    throw OutputError("cannot write '" + what + "': " + Reason(error));
}

// Writes everything or returns the errno that stopped it.
int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace

std::string ReadAllBounded(std::FILE* stream, const std::string& what) {
    std::string text;
    char chunk[16 * 1024];
    while (true) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, stream);
        text.append(chunk, n);
        if (text.size() > kMaxTextBytes)
            throw InputError(what + " holds more than " + std::to_string(kMaxTextBytes) +
                             " bytes; no QR code holds that much");
        if (n < sizeof chunk) break;
    }
    if (std::ferror(stream)) throw InputError("cannot read " + what + ": " + Reason(errno));
    return text;
}

bool LineReader::Fill() {
    pos_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), stream_);
    if (end_ == 0 && std::ferror(stream_)) throw InputError(std::string("read error: ") + Reason(errno));
    return end_ > 0;
}

bool LineReader::Next(std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool any = false;
    while (true) {
        if (pos_ == end_ && !Fill()) break;
        any = true;
        const char* start = buffer_.data() + pos_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        const std::size_t length = newline ? static_cast<std::size_t>(newline - start) : end_ - pos_;
        const std::size_t room = kMaxTextBytes - line.size();
        line.append(start, std::min(length, room));
        if (length > room) tooLong = true;
        pos_ += length;
        if (newline) {
            ++pos_;
            break;
        }
    }
    if (!any) return false;
    if (first_ && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    first_ = false;
    if (!tooLong && !line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

void RememberUmask() {
    g_umask = ::umask(022);
    ::umask(g_umask);
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) throw OutputError("cannot write '" + path + "': it is a folder");
    if (!target.has_filename()) throw OutputError("cannot write '" + path + "': it names no file");
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string hidden(".");
    hidden += target.filename().string();
    hidden += ".XXXXXX";
    std::string temp = (folder / hidden).string();
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) Throw(path, errno);
    temp.assign(name.data());

    int error = WriteAll(fd, bytes);
    if (!error && ::fchmod(fd, 0666 & ~g_umask) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temp.c_str());
        if (error == EISDIR) throw OutputError("cannot write '" + path + "': it is a folder");
        Throw(path, error);
    }
}

void WriteStdout(std::span<const std::uint8_t> bytes) {
    std::fflush(stdout);
    if (const int error = WriteAll(STDOUT_FILENO, bytes))
        throw OutputError("cannot write to standard output: " + Reason(error));
}

sigset_t TerminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&set, s);
    return set;
}

TerminationSignalsBlocked::TerminationSignalsBlocked() {
    const sigset_t set = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

TerminationSignalsBlocked::~TerminationSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace pixmond::cli
