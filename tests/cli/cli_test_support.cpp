#include "cli_test_support.h"

#include <fcntl.h>
#include <png.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "support/zbar_reader.h"

namespace clitest {
namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

int OpenOrDie(const fs::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags, 0600);
    if (fd < 0) throw std::runtime_error("cannot open " + path.string());
    return fd;
}

}  // namespace

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "pixmond-cli-test.XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::vector<std::string> TempDir::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    const std::string s = Slurp(path);
    return {s.begin(), s.end()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

RunResult RunCli(const std::vector<std::string>& args, const std::string& input, const fs::path& dir) {
    // Files rather than pipes: no deadlock however much the child writes.
    const TempDir io;
    WriteFile(io / "in", input);
    std::vector<std::string> argvStrings{PIXMOND_CLI};
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvStrings) argv.push_back(a.data());
    argv.push_back(nullptr);

    const int in = OpenOrDie(io / "in", O_RDONLY);
    const int out = OpenOrDie(io / "out", O_WRONLY | O_CREAT | O_TRUNC);
    const int err = OpenOrDie(io / "err", O_WRONLY | O_CREAT | O_TRUNC);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (::chdir(dir.c_str()) != 0) ::_exit(126);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(in);
    ::close(out);
    ::close(err);
    RunResult result;
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.maxRssKilobytes = usage.ru_maxrss;
    result.out = Slurp(io / "out");
    result.err = Slurp(io / "err");
    return result;
}

RunResult RunOnTerminal(const std::vector<std::string>& args) {
    std::vector<std::string> argvStrings{PIXMOND_CLI};
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (pid < 0) throw std::runtime_error("forkpty failed");
    if (pid == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    RunResult result;
    char buffer[4096];
    // The read fails with EIO once the child has gone and the terminal is closed.
    for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;) result.out.append(buffer, static_cast<std::size_t>(n));
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(master);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

std::optional<testsupport::Picture> ReadPng(const std::vector<std::uint8_t>& bytes) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    testsupport::Picture p;
    p.width = static_cast<std::int32_t>(image.width);
    p.height = static_cast<std::int32_t>(image.height);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) p.pixels.push_back({rgb[i], rgb[i + 1], rgb[i + 2]});
    return p;
}

std::optional<std::string> Decode(const testsupport::Picture& picture) {
    return testsupport::DecodeGrey(testsupport::ToGrey(picture), picture.width, picture.height);
}

std::optional<testsupport::Picture> RasteriseSvg(const fs::path& svg) {
    const TempDir dir;
    const std::string command =
        std::string(RSVG_CONVERT) + " -o '" + (dir / "r.png").string() + "' '" + svg.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    return ReadPng(ReadFile(dir / "r.png"));
}

}  // namespace clitest
