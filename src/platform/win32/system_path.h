#pragma once

#include <string>
#include <string_view>

namespace morvane::platform::win32 {

inline constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
inline constexpr std::wstring_view kExtendedUncPrefix = L"\\\\?\\UNC\\";
inline constexpr std::wstring_view kUncPrefix = L"\\\\";
inline constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

// A UTF-8 path as the W functions take it, past the classic length limit too.
std::wstring systemPath(std::string_view path);

}  // namespace morvane::platform::win32
