#include "memory_system.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/registry_data.h"

namespace morvane::testing {

using namespace platform;

namespace {

std::string fold(std::string_view s) {
    std::string out(s);
    std::ranges::transform(out, out.begin(), [](char c) {
        if (c == '/') return '\\';
        return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
    });
    return out;
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// An entry is admitted unless it has a kind the lookup does not ask for.
bool admits(EntryKinds asked, EntryKinds entry) {
    return (asked.hidden || !entry.hidden) && (asked.system || !entry.system) &&
           (asked.directories || !entry.directories);
}

}  // namespace

void MemoryFileSystem::addFile(const std::string& path, EntryKinds kind) {
    addFile(path, kind, fold(path).ends_with(".EXE") ? FileContent::Program : FileContent::Data);
}

void MemoryFileSystem::addFile(const std::string& path, EntryKinds kind, FileContent content) {
    kind.directories = false;
    entries_[fold(path)] = {kind, content};
}

void MemoryFileSystem::addDirectory(const std::string& path) { entries_[fold(path)] = {{.directories = true}}; }

void MemoryFileSystem::remove(const std::string& path) { entries_.erase(fold(path)); }

void MemoryFileSystem::hold(const std::string& path, bool held) { entries_.at(fold(path)).heldByOther = held; }

bool MemoryFileSystem::contains(const std::string& path) const { return entries_.contains(fold(path)); }

bool MemoryFileSystem::hasEntry(std::string_view path, EntryKinds kinds) {
    auto it = entries_.find(fold(path));
    // As on the system, a path ending in a separator names no entry.
    return !path.empty() && !isSeparator(path.back()) && it != entries_.end() && admits(kinds, it->second.kind);
}

bool MemoryFileSystem::openExclusively(std::string_view path) {
    auto it = entries_.find(fold(path));
    if (path.empty() || it == entries_.end()) return false;
    return !it->second.kind.directories && !it->second.heldByOther;
}

bool MemoryFileSystem::findsProgram(std::string_view program) const {
    const std::size_t separator = program.find_last_of("\\/");
    std::string path = separator == std::string_view::npos ? std::string(kCurrentFolder) + "\\" + std::string(program)
                                                           : std::string(program);
    const std::string_view name = separator == std::string_view::npos ? program : program.substr(separator + 1);
    if (name.find('.') == std::string_view::npos) path += ".exe";
    auto it = entries_.find(fold(path));
    return !name.empty() && it != entries_.end() && it->second.content == FileContent::Program;
}

bool MemoryProcesses::start(std::string_view program, std::string_view arguments, ShowStyle style) {
    std::string commandLine = commandLineOf(program, arguments);
    attempts.push_back(commandLine);
    // No file name holds a quote.
    if (program.find('"') != std::string_view::npos || !files_.findsProgram(program) || failing.contains(commandLine))
        return false;
    started.push_back({std::move(commandLine), style});
    return true;
}

void MemoryProcesses::shellOpen(const Window* /*owner*/, std::string_view target) { shellOpened.emplace_back(target); }

// As on 64-bit Windows, the 32-bit view of HKLM\SOFTWARE is its Wow6432Node.
std::string MemoryRegistry::keyOf(RegistryKey root, std::string_view path, std::uint32_t access) const {
    constexpr std::string_view kSoftware = "SOFTWARE\\";
    std::string folded = fold(path);
    if (root == kHkeyLocalMachine && (access & kView32) != 0 && folded.starts_with(fold(kSoftware)))
        folded.insert(kSoftware.size(), fold("Wow6432Node\\"));
    return std::to_string(root) + ":" + folded;
}

RegistryStatus MemoryRegistry::openKey(RegistryKey root, std::string_view path, std::uint32_t access,
                                       RegistryKey& key) {
    accessMasks.push_back(access);
    key = kNullKey;
    auto denied = denied_.find(root);
    if (denied != denied_.end() && (access & denied->second) != 0) return kErrorAccessDenied;
    std::string k = keyOf(root, path, access);
    if (!keys_.contains(k)) return kErrorFileNotFound;
    key = nextHandle_++;
    handles_[key] = k;
    handleAccess_[key] = access;
    return kErrorSuccess;
}

RegistryStatus MemoryRegistry::createKey(RegistryKey root, std::string_view path, std::uint32_t access,
                                         RegistryKey& key) {
    accessMasks.push_back(access);
    key = kNullKey;
    auto denied = denied_.find(root);
    if (denied != denied_.end() && (access & denied->second) != 0) return kErrorAccessDenied;
    for (std::size_t at = path.find('\\'); at != std::string_view::npos; at = path.find('\\', at + 1))
        keys_[keyOf(root, path.substr(0, at), access)];
    std::string k = keyOf(root, path, access);
    keys_[k];
    key = nextHandle_++;
    handles_[key] = k;
    handleAccess_[key] = access;
    return kErrorSuccess;
}

RegistryStatus MemoryRegistry::queryValue(RegistryKey key, std::string_view name, std::uint32_t& type,
                                          std::span<std::byte> data, std::uint32_t& size) {
    auto h = handles_.find(key);
    if (h == handles_.end()) return kErrorInvalidHandle;
    constexpr std::uint32_t kKeyQueryValue = 0x0001;
    if ((handleAccess_.at(key) & kKeyQueryValue) == 0) return kErrorAccessDenied;
    const Key& k = keys_.at(h->second);
    auto v = k.values.find(fold(name));
    if (v == k.values.end()) return kErrorFileNotFound;
    type = v->second.type;
    const auto stored = static_cast<std::uint32_t>(v->second.data.size());
    if (data.empty()) {
        size = stored;
        return kErrorSuccess;
    }
    if (size < stored || data.size() < stored) {
        size = stored;
        return kErrorMoreData;
    }
    if (stored > 0) std::memcpy(data.data(), v->second.data.data(), stored);
    size = stored;
    return kErrorSuccess;
}

RegistryStatus MemoryRegistry::setValue(RegistryKey key, std::string_view name, std::uint32_t type,
                                        std::span<const std::byte> data) {
    auto h = handles_.find(key);
    if (h == handles_.end()) return kErrorInvalidHandle;
    constexpr std::uint32_t kKeySetValue = 0x0002;
    if ((handleAccess_.at(key) & kKeySetValue) == 0) return kErrorAccessDenied;
    keys_.at(h->second).values[fold(name)] = {type, {data.begin(), data.end()}};
    return kErrorSuccess;
}

RegistryStatus MemoryRegistry::closeKey(RegistryKey key) {
    if (handles_.erase(key) == 0) return kErrorInvalidHandle;
    handleAccess_.erase(key);
    return kErrorSuccess;
}

void MemoryRegistry::put(RegistryKey root, const std::string& path, const std::string& name, std::uint32_t type,
                         std::vector<std::byte> data) {
    keys_[keyOf(root, path)].values[fold(name)] = {type, std::move(data)};
}

void MemoryRegistry::putText(RegistryKey root, const std::string& path, const std::string& name,
                             const std::string& utf8) {
    put(root, path, name, kRegSz, registryText(utf8));
}

void MemoryRegistry::putDword(RegistryKey root, const std::string& path, const std::string& name, std::uint32_t v) {
    const std::array<std::byte, 4> bytes = registryNumber(v);
    put(root, path, name, kRegDword, {bytes.begin(), bytes.end()});
}

const MemoryRegistry::Value* MemoryRegistry::find(RegistryKey root, const std::string& path,
                                                  const std::string& name) const {
    auto k = keys_.find(keyOf(root, path));
    if (k == keys_.end()) return nullptr;
    auto v = k->second.values.find(fold(name));
    return v == k->second.values.end() ? nullptr : &v->second;
}

bool MemoryRegistry::keyExists(RegistryKey root, const std::string& path) const {
    return keys_.contains(keyOf(root, path));
}

}  // namespace morvane::testing
