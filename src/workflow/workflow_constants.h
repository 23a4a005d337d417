#pragma once

#include <string_view>

// Texts and settings of the wait-and-pull workflow, in one place.
//
// CCE is the MPEG-2 encoder whose output file, the stream the pulldown runs
// take, the program waits for. Beside it CCE writes a VAF file, the same name
// with ".vaf", and holds both open while it encodes; an ECL file is another of
// its own. A VAF or ECL file handed over stands for the stream beside it.
// MAESTRO is the DVD authoring tool the two runs serve: the drop-frame run's
// output is for importing subtitles into it, the other's for chapters.
namespace morvane::workflow {

// The launch of the pulldown runs.
inline constexpr std::string_view kNoOptionChosen = "Must have at least one Pulldown option checked";
inline constexpr std::string_view kFileDoesNotExist = "File Does Not Exist";
// Followed by the program path, in double quotes so that an empty path shows too.
inline constexpr std::string_view kCouldNotStartPrefix = "Could not start ";
// Runs refused before they start; each message names the output file, in double quotes.
inline constexpr std::string_view kOutputFilePrefix = "The CCE output file ";
inline constexpr std::string_view kNeedsExtension =
    " has no extension, so pulldown.exe would get no input. Give its name an extension, such as .m2v.";
// Followed by the stream beside it, in double quotes, and a full stop.
inline constexpr std::string_view kIsNotTheVideo =
    " is not the encoder's video but its ECL or VAF file. Give the video it writes instead, such as ";
inline constexpr std::string_view kIsTheRunsOutput =
    " is the file this pulldown run writes, and it would be overwritten. Rename the output file, or untick ";

inline constexpr std::string_view kDropFrameOutputName = "pulled_drop.m2v";
inline constexpr std::string_view kDropFrameOptions = "-prog_frames p -drop_frame true";
inline constexpr std::string_view kNoOptionsOutputName = "pulled_nodrop.m2v";
inline constexpr std::string_view kNoOptionsOptions = "-prog_frames p";

// The pulldown tool that comes with the program, beside it: a first run offers it.
inline constexpr std::string_view kOwnPulldownToolName = "morvane-pulldown.exe";

// The browse buttons.
inline constexpr std::string_view kDialogTitle = "Open";
inline constexpr std::string_view kPulldownFilter = "Executable|*.exe";
inline constexpr std::string_view kEncoderFilter = "CCE Related Files|*.mpg;*.mpeg;*.m2v;*.mpv;*.vaf;*.ecl";
inline constexpr std::string_view kPulldownName = "PULLDOWN.EXE";  // compared upper-cased, at the end
inline constexpr std::string_view kVafExtensionUpper = ".VAF";
inline constexpr std::string_view kEclExtensionUpper = ".ECL";
inline constexpr std::string_view kStreamExtension = ".m2v";  // what a picked .vaf or .ecl turns into

// Files handed over by a drop or on the command line.
inline constexpr std::string_view kProgramExtension = ".EXE";  // compared upper-cased, at the end
inline constexpr std::string_view kIsAFolder = " is a folder. Give Morvane the CCE output file or pulldown.exe itself.";
inline constexpr std::string_view kOneProgramOnly =
    "More than one program was given. Give Morvane one pulldown.exe at a time.";
inline constexpr std::string_view kOneOutputOnly =
    "More than one CCE output file was given. Give Morvane one output file at a time.";
inline constexpr std::string_view kWaitSwitch = "WAIT";  // after its "/" or "-", compared upper-cased
// Followed by the switch in double quotes, then the accepted form.
inline constexpr std::string_view kUnknownSwitchPrefix = "Unknown switch ";
inline constexpr std::string_view kUsage = ".\nStart Morvane as: morvane.exe [/wait] [FILE]...";

// Folder separators: Windows takes either.
inline constexpr std::string_view kSeparators = "\\/";

// The derivation of the VAF path.
inline constexpr std::string_view kVafExtensionWithoutDot = "vaf";

// The wait: how often it looks at the encoder's files.
inline constexpr unsigned kTickIntervalMs = 30000;

inline constexpr double kSecondsPerMinute = 60.0;
inline constexpr double kMillisecondsPerSecond = 1000.0;

// Each tick adds its own length in minutes: 1 / 60 x 30, exactly half a minute.
inline constexpr double kMinutesPerTick = 1.0 / kSecondsPerMinute * (kTickIntervalMs / kMillisecondsPerSecond);
static_assert(kMinutesPerTick == 0.5);

// Free ticks in a row after which the encoder counts as finished.
inline constexpr int kFreeTicksToFinish = 2;

// The start's messages; the first one, shared with Pulldown Now, is kNoOptionChosen above.
inline constexpr std::string_view kInvalidPullPathMessage = "Invalid path for pulldown.exe";
inline constexpr std::string_view kNoOutputFileMessage = "No CCE output file specified";
inline constexpr std::string_view kNothingBusyMessage = "CCE output files are missing or not in use. Is CCE running?";

}  // namespace morvane::workflow
