#include "cli/run.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "cli/batch.h"
#include "cli/io.h"
#include "cli/options.h"
#include "cli/render.h"
#include "pixmond/failure.h"
#include "pixmond/random_colour.h"
#include "pixmond/text.h"

#ifndef PIXMOND_VERSION
#define PIXMOND_VERSION "unknown"
#endif

namespace pixmond::cli {
namespace {

int UsageError(const std::string& message) {
    std::fprintf(stderr, "pixmond-cli: %s\n", message.c_str());
    return 2;
}

bool IsBinary(OutputType type) { return type == OutputType::Bmp || type == OutputType::Png; }
bool IsTerminalText(OutputType type) { return type == OutputType::Utf8 || type == OutputType::Ascii; }

int RunSingle(const Options& o) {
    if (o.destination == Destination::Stdout && IsBinary(o.type) && ::isatty(STDOUT_FILENO))
        return UsageError("will not write a " + std::string(TypeName(o.type)) +
                          " picture to a terminal; use -o FILE or redirect standard output");

    std::string utf8;
    std::string text;
    try {
        utf8 = o.ReadsStdin() ? ReadAllBounded(stdin, "standard input") : *o.text;
        text = FromUtf8(utf8);
    } catch (const InputError& e) {
        return UsageError(e.what());
    } catch (const ModuleFailure& e) {
        return UsageError(std::string(FindInvalidUtf8(utf8) ? "the text is not valid UTF-8: "
                                                            : "the text has a character GB18030 cannot hold: ") +
                          e.message());
    }

    PictureRequest request;
    request.text = text;
    request.level = o.level;
    request.size = o.size;
    request.background = o.background;
    request.foreground = o.randomColour ? RandomColour() : o.foreground;
    // Nothing to draw for --json alone; the module's picture is the cheapest to make.
    request.type = o.destination == Destination::Nowhere ? OutputType::Bmp : o.type;
    request.ansiColours =
        o.destination == Destination::Stdout && IsTerminalText(o.type) && ::isatty(STDOUT_FILENO);

    QrCode record;
    std::vector<std::uint8_t> picture;
    try {
        picture = MakePicture(record, request);
    } catch (const ModuleFailure& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    try {
        if (o.destination == Destination::File) {
            const TerminationSignalsBlocked wholeFile;
            WriteFileAtomically(o.outputPath, picture);
        } else if (o.destination == Destination::Stdout) {
            WriteStdout(picture);
        }
        if (o.json) {
            const std::string line = SymbolJson(record, utf8.size()) + "\n";
            WriteStdout({reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
        }
    } catch (const OutputError& e) {
        return UsageError(e.what());
    }
    return 0;
}

}  // namespace

int Main(int argc, char** argv) {
    // A closed pipe is reported as a write error, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    RememberUmask();
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParseResult parsed = ParseArguments(args);
    if (parsed.error) return UsageError(*parsed.error);
    const Options& o = parsed.options;
    if (o.help) {
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    }
    if (o.version) {
        std::puts("pixmond-cli " PIXMOND_VERSION);
        return 0;
    }
    try {
        if (o.batchFile) {
            BatchSettings s;
            s.file = *o.batchFile;
            s.dir = o.batchDir;
            s.type = o.type;
            s.level = o.level;
            s.size = o.size;
            s.background = o.background;
            // One colour for the whole list, so the pictures do not depend on the threads.
            s.foreground = o.randomColour ? RandomColour() : o.foreground;
            s.jobs = o.jobs ? o.jobs : std::max(1u, std::thread::hardware_concurrency());
            s.progressBar = ::isatty(STDERR_FILENO);
            return RunBatch(s);
        }
        return RunSingle(o);
    } catch (const std::bad_alloc&) {
        std::fputs("pixmond-cli: out of memory\n", stderr);
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pixmond-cli: %s\n", e.what());
        return 1;
    }
}

}  // namespace pixmond::cli
