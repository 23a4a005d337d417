#include "pulldown/pulldown_run.h"

#include <chrono>
#include <cstdio>

#include "pulldown/patched_copy.h"

namespace morvane::pulldown {
namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(250);
const std::string kProgram = "morvane-pulldown: ";

std::string summaryLine(const Summary& s, DropFrame drop, std::uint64_t bytes, double seconds) {
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.1f", seconds > 0 ? static_cast<double>(bytes) / 1e6 / seconds : 0.0);
    std::string timeCode = s.lastTimeCode ? toText(*s.lastTimeCode, drop) : "none";
    return kProgram + std::to_string(s.pictures) + " pictures, " + std::to_string(s.groups) +
           " GOPs, last time code " + timeCode + ", " + rate + " MB/s";
}

Summary turn(InputFile& input, TemporaryOutput& output, const RunRequest& request, Console& console,
             std::size_t pieceBytes) {
    PatchedCopy copy(output, pieceBytes);
    PulldownEngine engine(request.options, copy);
    auto lastShown = std::chrono::steady_clock::now();
    auto show = [&] {
        if (!console.interactive()) return;
        auto now = std::chrono::steady_clock::now();
        if (now - lastShown < kProgressInterval) return;
        lastShown = now;
        console.progress(static_cast<int>(copy.written() * 100 / std::max<std::uint64_t>(input.size(), 1)));
    };
    for (;;) {
        std::span<std::uint8_t> room = copy.room();
        std::size_t size = input.read(room);
        if (size == 0) break;
        copy.filled(size);
        engine.scan(room.first(size));
        copy.settledBefore(engine.settled());
        show();
    }
    Summary summary = engine.finish();
    copy.finish();
    return summary;
}

}  // namespace

ExitStatus runPulldown(StreamFiles& files, const RunRequest& request, Console& console,
                       std::optional<std::size_t> pieceBytes) {
    auto started = std::chrono::steady_clock::now();
    try {
        auto input = files.openInput(request.input);
        auto inputIdentity = files.identity(request.input);
        if (inputIdentity && files.identity(request.output) == inputIdentity) {
            console.line(kProgram + quoted(request.input) + " is also the output; give the output another name");
            return ExitStatus::failed;
        }
        auto output = files.createOutput(request.output);
        Summary summary = turn(*input, *output, request, console, pieceBytes.value_or(files.pieceBytes()));
        output->replaceOutput();

        if (summary.cutShort)
            console.line(kProgram + "warning: " + quoted(request.input) +
                         " ends inside a picture or a header, as when the encoder stopped; its last bytes are "
                         "copied as they are");
        std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
        console.line(summaryLine(summary, request.options.dropFrame, input->size(), seconds.count()));
        return ExitStatus::done;
    } catch (const StreamRefused& refused) {
        console.line(kProgram + quoted(request.input) + " " + refused.what());
    } catch (const FileError& error) {
        console.line(kProgram + error.what());
    } catch (const std::exception& error) {
        console.line(kProgram + quoted(request.input) + ": " + error.what());
    }
    return ExitStatus::failed;
}

}  // namespace morvane::pulldown
