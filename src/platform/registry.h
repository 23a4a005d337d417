#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace morvane::platform {

// Mirrors the shape of the system registry API: statuses are 0 on success or
// the system's error code; a key is an opaque handle, 0 when not open.
using RegistryKey = std::uintptr_t;
using RegistryStatus = std::int32_t;

inline constexpr RegistryKey kNullKey = 0;
inline constexpr RegistryKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegistryKey kHkeyLocalMachine = 0x80000002;

// Added to an access mask: the 32-bit programs' view of HKLM\SOFTWARE
// (KEY_WOW64_32KEY), where a 64-bit program otherwise sees its own.
inline constexpr std::uint32_t kView32 = 0x0200;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

inline constexpr RegistryStatus kErrorSuccess = 0;
inline constexpr RegistryStatus kErrorFileNotFound = 2;
inline constexpr RegistryStatus kErrorAccessDenied = 5;
inline constexpr RegistryStatus kErrorInvalidHandle = 6;
inline constexpr RegistryStatus kErrorMoreData = 234;

class Registry {
public:
    virtual ~Registry() = default;

    virtual RegistryStatus openKey(RegistryKey root, std::string_view path, std::uint32_t access, RegistryKey& key) = 0;
    virtual RegistryStatus createKey(RegistryKey root, std::string_view path, std::uint32_t access,
                                     RegistryKey& key) = 0;
    // Value names are UTF-8. With `data` empty only the type and size are
    // asked for; `size` is in bytes, in and out, as the system reports it.
    virtual RegistryStatus queryValue(RegistryKey key, std::string_view name, std::uint32_t& type,
                                      std::span<std::byte> data, std::uint32_t& size) = 0;
    virtual RegistryStatus setValue(RegistryKey key, std::string_view name, std::uint32_t type,
                                    std::span<const std::byte> data) = 0;
    virtual RegistryStatus closeKey(RegistryKey key) = 0;
};

// A key opened (or created) for one procedure and closed when it goes, on
// every way out.
class OpenKey {
public:
    enum class Mode { Open, Create };

    OpenKey(Registry& registry, RegistryKey root, std::string_view path, std::uint32_t access, Mode mode = Mode::Open)
        : registry_(registry),
          status_(mode == Mode::Open ? registry.openKey(root, path, access, key_)
                                     : registry.createKey(root, path, access, key_)) {}
    ~OpenKey() {
        if (key_ != kNullKey) registry_.closeKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    // The open's (or the create's) own status.
    [[nodiscard]] RegistryStatus status() const { return status_; }
    [[nodiscard]] bool isOpen() const { return status_ == kErrorSuccess && key_ != kNullKey; }
    [[nodiscard]] RegistryKey get() const { return key_; }

private:
    Registry& registry_;
    RegistryKey key_ = kNullKey;
    RegistryStatus status_;
};

}  // namespace morvane::platform
