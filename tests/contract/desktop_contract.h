#pragma once

// One set of cases for the file probes and the process start, run against
// the in-memory stand-ins natively and against the real system under Wine,
// so that a stand-in cannot let a test pass for what Windows does not do.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/file_system.h"
#include "platform/processes.h"

namespace morvane::testing {

enum class Entry { File, HiddenFile, SystemFile, Folder, Program };

// A file system and a process start, with an empty folder of their own.
class ScratchDesktop {
public:
    virtual ~ScratchDesktop() = default;
    virtual platform::FileSystem& files() = 0;
    virtual platform::Processes& processes() = 0;
    // Without a trailing separator.
    [[nodiscard]] virtual std::string folder() const = 0;
    // Makes the entry, and the folder it lies in.
    virtual void add(const std::string& path, Entry entry) = 0;
    // Another process opens the file sharing nothing, and keeps it open.
    virtual void hold(const std::string& path) = 0;
};

struct DesktopContractParam {
    std::string name;
    std::function<std::unique_ptr<ScratchDesktop>()> make;
};

inline void PrintTo(const DesktopContractParam& param, std::ostream* os) { *os << param.name; }

class DesktopContract : public ::testing::TestWithParam<DesktopContractParam> {
protected:
    void SetUp() override { desktop_ = GetParam().make(); }

    // A path in the scratch folder.
    [[nodiscard]] std::string at(const std::string& relative) const { return desktop_->folder() + "\\" + relative; }
    ScratchDesktop& desktop() { return *desktop_; }

private:
    std::unique_ptr<ScratchDesktop> desktop_;
};

[[nodiscard]] inline std::string desktopCaseName(const ::testing::TestParamInfo<DesktopContractParam>& info) {
    return info.param.name;
}

}  // namespace morvane::testing
