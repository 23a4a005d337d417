#pragma once

#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/registry.h"

namespace morvane::platform::win32 {

class Win32FileSystem final : public FileSystem {
public:
    [[nodiscard]] bool hasEntry(std::string_view path, EntryKinds kinds) override;
    [[nodiscard]] bool openExclusively(std::string_view path) override;
    [[nodiscard]] std::string currentFolder() override;
};

class Win32Processes final : public Processes {
public:
    [[nodiscard]] bool start(std::string_view program, std::string_view arguments, ShowStyle style) override;
    void shellOpen(const Window* owner, std::string_view target) override;
};

class Win32Registry final : public Registry {
public:
    RegistryStatus openKey(RegistryKey root, std::string_view path, std::uint32_t access, RegistryKey& key) override;
    RegistryStatus createKey(RegistryKey root, std::string_view path, std::uint32_t access, RegistryKey& key) override;
    RegistryStatus queryValue(RegistryKey key, std::string_view name, std::uint32_t& type, std::span<std::byte> data,
                              std::uint32_t& size) override;
    RegistryStatus setValue(RegistryKey key, std::string_view name, std::uint32_t type,
                            std::span<const std::byte> data) override;
    RegistryStatus closeKey(RegistryKey key) override;
};

}  // namespace morvane::platform::win32
