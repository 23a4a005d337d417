// The files of a run through POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <vector>

#include "pulldown/posix_interrupts.h"
#include "pulldown/stream_files.h"

namespace morvane::pulldown {
namespace {

std::string systemText(int error) { return std::strerror(error); }

bool diskFull(int error) { return error == ENOSPC || error == EDQUOT || error == EFBIG; }

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    [[nodiscard]] int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // The close's own status: a late write error shows here.
    int reset() {
        int status = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return status;
    }

private:
    int fd_;
};

class PosixInput : public InputFile {
public:
    explicit PosixInput(const std::string& path) : path_(path) {
        fd_ = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat info {};
        if (!fd_ || ::fstat(fd_.get(), &info) != 0 || !S_ISREG(info.st_mode))
            throw FileError(FileFailure::cannotRead,
                            quoted(path) + " cannot be read: " + (fd_ && !S_ISREG(info.st_mode) ? "not a file" : systemText(errno)));
        size_ = static_cast<std::uint64_t>(info.st_size);
        ::posix_fadvise(fd_.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    }

    [[nodiscard]] std::uint64_t size() const override { return size_; }

    // Stops at the size the run began with, should the file grow meanwhile.
    std::size_t read(std::span<std::uint8_t> room) override {
        std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(room.size(), size_ - delivered_));
        std::size_t filled = 0;
        while (filled < wanted) {
            ssize_t got = ::read(fd_.get(), room.data() + filled, wanted - filled);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) throw FileError(FileFailure::cannotRead, quoted(path_) + " cannot be read: " + systemText(errno));
            if (got == 0) break;
            filled += static_cast<std::size_t>(got);
        }
        delivered_ += filled;
        return filled;
    }

private:
    std::string path_;
    FileDescriptor fd_;
    std::uint64_t size_ = 0;
    std::uint64_t delivered_ = 0;
};

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

class PosixTemporaryOutput : public TemporaryOutput {
public:
    explicit PosixTemporaryOutput(const std::string& outputPath) : output_(outputPath) {
        std::string folder = folderOf(outputPath);
        std::string name = (folder == "/" ? "" : folder) + "/." + nameOf(outputPath) + ".pulldown-XXXXXX";
        std::vector<char> buffer(name.begin(), name.end());
        buffer.push_back('\0');
        forgetTemporaryOnInterrupt();
        file_ = FileDescriptor(::mkostemp(buffer.data(), O_CLOEXEC));
        if (!file_)
            throw FileError(FileFailure::cannotCreate, "cannot write " + quoted(outputPath) + ": the folder " +
                                                           quoted(folder) + " cannot be written: " + systemText(errno));
        temporary_ = buffer.data();
        removeTemporaryOnInterrupt(temporary_);
        // mkostemp makes it private to the owner; give it the usual rights.
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(file_.get(), 0666 & ~mask);
    }

    ~PosixTemporaryOutput() override {
        if (replaced_) return;
        file_.reset();
        ::unlink(temporary_.c_str());
        forgetTemporaryOnInterrupt();
    }

    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            ssize_t done = ::pwrite(file_.get(), bytes.data(), bytes.size(), static_cast<off_t>(offset));
            if (done < 0 && errno == EINTR) continue;
            if (done < 0) failWriting(errno);
            bytes = bytes.subspan(static_cast<std::size_t>(done));
            offset += static_cast<std::uint64_t>(done);
        }
    }

    void replaceOutput() override {
        // No fsync: like cp, the run leaves the data to the system's cache;
        // the rename only guards against a failed or interrupted run.
        if (file_.reset() != 0) failWriting(errno);
        if (::rename(temporary_.c_str(), output_.c_str()) != 0)
            throw FileError(FileFailure::cannotReplace, "cannot replace " + quoted(output_) + ": " + systemText(errno));
        replaced_ = true;
        forgetTemporaryOnInterrupt();
    }

private:
    [[noreturn]] void failWriting(int error) {
        if (diskFull(error))
            throw FileError(FileFailure::diskFull,
                            "the disk is full: " + quoted(output_) + " was not written (" + systemText(error) + ")");
        throw FileError(FileFailure::cannotWrite, "cannot write " + quoted(output_) + ": " + systemText(error));
    }

    std::string output_;
    std::string temporary_;
    FileDescriptor file_;
    bool replaced_ = false;
};

class PosixStreamFiles : public StreamFiles {
public:
    // Measured fastest: a piece stays in the processor's cache while it is
    // read, scanned and written, and writes of 128 KiB or more were at times
    // twice as slow, in the system's larger blocks of fresh memory.
    [[nodiscard]] std::size_t pieceBytes() const override { return 64 << 10; }

    std::unique_ptr<InputFile> openInput(const std::string& path) override {
        return std::make_unique<PosixInput>(path);
    }

    std::optional<FileIdentity> identity(const std::string& path) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) return std::nullopt;
        return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    }

    std::unique_ptr<TemporaryOutput> createOutput(const std::string& outputPath) override {
        return std::make_unique<PosixTemporaryOutput>(outputPath);
    }
};

}  // namespace

std::unique_ptr<StreamFiles> systemStreamFiles() { return std::make_unique<PosixStreamFiles>(); }

}  // namespace morvane::pulldown
