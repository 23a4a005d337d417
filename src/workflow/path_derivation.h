#pragma once

#include <string>
#include <string_view>

// The rules by which the main window's paths follow from one another. Only
// the backslash separates folders. The rules look for ASCII characters alone,
// which never occur inside a multi-byte UTF-8 sequence, so they work on the
// bytes of any text, of any length.
namespace morvane::workflow {

struct OutputPaths {
    std::string outFolder;    // up to and including the last backslash
    std::string outFileName;  // after the last backslash
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

// The output path that a file picked in the encoder's browse dialog stands
// for: a picked VAF or ECL file means the stream beside it.
[[nodiscard]] std::string outputPathForPick(std::string_view picked);

// Whether two file names in one folder name the same file, as Windows
// compares them: in any case, and without the dots and blanks it drops at the
// end of a name. (Only ASCII letters fold: the names compared with are ASCII,
// and no other letter folds into one of theirs.)
[[nodiscard]] bool sameFileName(std::string_view a, std::string_view b);

}  // namespace morvane::workflow
