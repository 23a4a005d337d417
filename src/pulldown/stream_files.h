#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

// The files of one run, through the system: the input read once, and the
// output written to a temporary file beside it that replaces it only when
// complete. Paths are UTF-8.
namespace morvane::pulldown {

enum class FileFailure { cannotRead, cannotCreate, cannotWrite, diskFull, cannotReplace };

class FileError : public std::runtime_error {
public:
    FileError(FileFailure kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    [[nodiscard]] FileFailure kind() const { return kind_; }

private:
    FileFailure kind_;
};

// The same file, however a path spells it: device and inode, or volume
// serial number and file index.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

class InputFile {
public:
    virtual ~InputFile() = default;
    [[nodiscard]] virtual std::uint64_t size() const = 0;
    // Fills `room` with the file's next bytes, as far as they go; 0 at its end.
    virtual std::size_t read(std::span<std::uint8_t> room) = 0;
};

// The temporary file; removed on destruction unless it replaced the output.
class TemporaryOutput {
public:
    virtual ~TemporaryOutput() = default;
    virtual void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;
    virtual void replaceOutput() = 0;
};

class StreamFiles {
public:
    virtual ~StreamFiles() = default;
    // The size of read and write at which this system copies fastest.
    [[nodiscard]] virtual std::size_t pieceBytes() const = 0;
    virtual std::unique_ptr<InputFile> openInput(const std::string& path) = 0;
    // Empty when there is no such file.
    virtual std::optional<FileIdentity> identity(const std::string& path) = 0;
    virtual std::unique_ptr<TemporaryOutput> createOutput(const std::string& outputPath) = 0;
};

// A path as the program's lines show it.
inline std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// The system's own files.
std::unique_ptr<StreamFiles> systemStreamFiles();

}  // namespace morvane::pulldown
