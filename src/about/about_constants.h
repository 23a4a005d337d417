#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace morvane::about {

// The addresses behind the two links, shown as the links' captions.
inline constexpr std::string_view kDownloadAddress = "http://www.kestrine.example/software/morvane/morvane.zip";
inline constexpr std::string_view kEmailAddress = "kestrine@kestrine.example";
inline constexpr std::string_view kMailtoPrefix = "mailto:";

// Texts the load writes.
inline constexpr std::string_view kCaptionPrefix = "About ";
inline constexpr std::string_view kVersionPrefix = "Version ";
inline constexpr std::string_view kLineBreak = "\r\n";
// "That 's it." is the author's own spelling.
inline constexpr std::array<std::string_view, 4> kDescriptionLines{
    "This program is a simple tool",
    "that will run pulldown.exe for",
    "you when CCE encoding completes.",
    "That 's it.",
};
inline constexpr std::string_view kAuthorLine = "Author: Kestrine";
inline constexpr std::string_view kEmailLine = "Email:";

// Where the system information viewer is looked for, in this order.
inline constexpr std::string_view kSystemInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kSystemInfoValue = "PATH";
inline constexpr std::string_view kSystemInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kSystemInfoLocationValue = "MSINFO";
inline constexpr std::string_view kSystemInfoProgram = "\\MSINFO32.EXE";

inline constexpr std::string_view kSystemInfoUnavailable = "System Information Is Unavailable At This Time";

// A longer value counts as not found.
inline constexpr std::size_t kKeyValueBufferBytes = 1024;

// Read rights only: the keys below HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft are
// read-only to a standard user, and asking for more makes the open fail.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kReadControl = 0x00020000;
inline constexpr std::uint32_t kKeyValueAccess = kKeyQueryValue | kReadControl;

}  // namespace morvane::about
