#pragma once

#include <string>
#include <string_view>

// The rules by which the main window's paths follow from one another. As on
// Windows, a backslash and a forward slash both separate folders. The rules
// look for ASCII characters alone, which never occur inside a multi-byte UTF-8
// sequence, so they work on the bytes of any text, of any length.
namespace morvane::workflow {

struct OutputPaths {
    std::string outFolder;    // up to and including the last separator
    std::string outFileName;  // after the last separator
    std::string vafFileName;  // outFileName up to its last dot, then "vaf"
};

// Splits the encoder's output path. When the file-name part has no dot all
// three parts are empty: there is no VAF path to derive.
[[nodiscard]] OutputPaths deriveOutputPaths(std::string_view outputPath);

// Whether the pulldown path ends, in any case, in "pulldown.exe": only then is
// it offered again in the browse dialog.
[[nodiscard]] bool endsInPulldownName(std::string_view path);

// Whether the path ends, in any case, in ".exe": a program handed over goes
// into the pulldown.exe box.
[[nodiscard]] bool namesAProgram(std::string_view path);

// Whether the path ends, in any case, in ".vaf" or ".ecl": the encoder's
// files beside its video, which pulldown.exe cannot read.
[[nodiscard]] bool namesVafOrEcl(std::string_view path);

// The output path that a file picked in the encoder's browse dialog stands
// for: a picked VAF or ECL file means the stream beside it.
[[nodiscard]] std::string outputPathForPick(std::string_view picked);

// The path as the system reads it: a relative one in `currentFolder`. One
// with a drive or a leading separator (rooted or UNC) is taken as it is.
[[nodiscard]] std::string absolutePath(std::string_view path, std::string_view currentFolder);

// Whether two file names in one folder name the same file, as Windows
// compares them: in any case, and without the dots and blanks it drops at the
// end of a name. (Only ASCII letters fold: the names compared with are ASCII,
// and no other letter folds into one of theirs.)
[[nodiscard]] bool sameFileName(std::string_view a, std::string_view b);

}  // namespace morvane::workflow
