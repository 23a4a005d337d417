#pragma once

#include <string_view>

// Texts and settings of the wait-and-pull workflow, in one place.
namespace morvane::workflow {

// The launch of the pulldown runs.
inline constexpr std::string_view kNoOptionChosen = "Must have at least one Pulldown option checked";
inline constexpr std::string_view kFileDoesNotExist = "File Does Not Exist";
// Followed by the program path, in double quotes so that an empty path shows too.
inline constexpr std::string_view kCouldNotStartPrefix = "Could not start ";

inline constexpr std::string_view kDropFrameOutputName = "pulled_drop.m2v";
inline constexpr std::string_view kDropFrameOptions = "-prog_frames p -drop_frame true";
inline constexpr std::string_view kNoOptionsOutputName = "pulled_nodrop.m2v";
inline constexpr std::string_view kNoOptionsOptions = "-prog_frames p";

// The browse buttons.
inline constexpr std::string_view kDialogTitle = "Open";
inline constexpr std::string_view kPulldownFilter = "Executable|*.exe";
inline constexpr std::string_view kEncoderFilter = "CCE Related Files|*.mpg;*.mpeg;*.m2v;*.mpv;*.vaf;*.ecl";
inline constexpr std::string_view kPulldownName = "PULLDOWN.EXE";  // compared upper-cased, at the end
inline constexpr std::string_view kVafExtensionUpper = ".VAF";
inline constexpr std::string_view kEclExtensionUpper = ".ECL";
inline constexpr std::string_view kStreamExtension = ".m2v";  // what a picked .vaf or .ecl turns into

// The derivation of the VAF path.
inline constexpr std::string_view kVafExtensionWithoutDot = "vaf";

}  // namespace morvane::workflow
