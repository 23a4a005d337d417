#include "workflow/file_probes.h"

namespace morvane::workflow {

bool exists(platform::FileSystem& files, std::string_view path) {
    return !path.empty() && files.hasEntry(path, platform::EntryKinds::any());
}

bool isFree(platform::FileSystem& files, std::string_view path) { return !path.empty() && files.openExclusively(path); }

}  // namespace morvane::workflow
