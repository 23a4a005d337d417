#include "workflow/module1.h"

namespace morvane::Module1 {

bool FileExists(platform::FileSystem& files, std::string_view path) {
    return !path.empty() && files.hasEntry(path, platform::EntryKinds::any());
}

bool FileIsFree(platform::FileSystem& files, std::string_view path) {
    return !path.empty() && files.openExclusively(path);
}

}  // namespace morvane::Module1
