#pragma once
// Reading texts and writing pictures: bounded reads, and files that are either whole or absent.

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace pixmond::cli {

// A file or stream that cannot be written; what() is one line naming it and why.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Input that cannot be read or is not what it must be; what() is one line.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// No QR symbol holds more than 7089 characters, so a longer text can only fail: reading stops
// at this many bytes instead of filling memory with it.
inline constexpr std::size_t kMaxTextBytes = 64 * 1024;

// All of a stream, up to kMaxTextBytes; throws InputError (naming `what`) when it is longer
// or cannot be read.
std::string ReadAllBounded(std::FILE* stream, const std::string& what);

// Lines of a stream, one at a time, in constant memory. A line ends at LF; a CR before it is
// dropped, and so is a UTF-8 byte-order mark at the very start.
class LineReader {
public:
    explicit LineReader(std::FILE* stream) : stream_(stream), buffer_(64 * 1024) {}
    // False at the end. Otherwise line holds at most kMaxTextBytes of the next line and
    // tooLong says whether more was skipped. Throws InputError on a read error.
    bool Next(std::string& line, bool& tooLong);

private:
    bool Fill();

    std::FILE* stream_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool first_ = true;
};

// Reads the process umask once, so that later files get the usual permissions although they
// start as private temporary files. Call before any thread starts.
void RememberUmask();

// Writes to a temporary file in the same folder, then renames it over path: a reader never
// sees half a picture, and a failure leaves nothing behind. Throws OutputError.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Writes all bytes to standard output and flushes. Throws OutputError.
void WriteStdout(std::span<const std::uint8_t> bytes);

// The signals that end a program from outside: interrupt, terminate, hang-up, quit.
sigset_t TerminationSignals();

// While alive, the calling thread holds the termination signals back; one that arrives
// meanwhile takes effect when the blocker goes, after the file is complete.
class TerminationSignalsBlocked {
public:
    TerminationSignalsBlocked();
    ~TerminationSignalsBlocked();
    TerminationSignalsBlocked(const TerminationSignalsBlocked&) = delete;
    TerminationSignalsBlocked& operator=(const TerminationSignalsBlocked&) = delete;

private:
    sigset_t previous_;
};

}  // namespace pixmond::cli
