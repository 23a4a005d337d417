#include "contract/desktop_contract.h"
#include "memory_system.h"

namespace morvane::testing {
namespace {

class MemoryDesktop final : public ScratchDesktop {
public:
    platform::FileSystem& files() override { return files_; }
    platform::Processes& processes() override { return processes_; }
    std::string folder() const override { return "D:\\Scratch"; }
    void add(const std::string& path, Entry entry) override {
        for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
            files_.addDirectory(path.substr(0, at));
        switch (entry) {
            case Entry::Folder:
                return files_.addDirectory(path);
            case Entry::Program:
                return files_.addFile(path, {}, FileContent::Program);
            default:
                files_.addFile(path, {.hidden = entry == Entry::HiddenFile, .system = entry == Entry::SystemFile},
                               FileContent::Data);
        }
    }
    void hold(const std::string& path) override { files_.hold(path); }

private:
    MemoryFileSystem files_;
    MemoryProcesses processes_{files_};
};

INSTANTIATE_TEST_SUITE_P(Memory, DesktopContract,
                         ::testing::Values(DesktopContractParam{"Memory",
                                                                [] { return std::make_unique<MemoryDesktop>(); }}),
                         desktopCaseName);

}  // namespace
}  // namespace morvane::testing
