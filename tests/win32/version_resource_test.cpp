#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/owned_handles.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using platform::win32::Owned;
using platform::win32::UniqueIcon;
using Bitmap = Owned<HBITMAP, &platform::win32::detail::deleteGdiObject>;

std::wstring stringValue(const std::vector<BYTE>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return {};
    return static_cast<const wchar_t*>(value);
}

TEST(VersionResourceTest, ProgramFileCarriesItsVersionBlockAndIcon) {
    const std::wstring exe = testing::morvaneExe();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

    EXPECT_EQ(stringValue(block, L"CompanyName"), L"Corvalis, Inc.");
    EXPECT_EQ(stringValue(block, L"ProductName"), L"Morvane");
    EXPECT_EQ(stringValue(block, L"InternalName"), L"Morvane");
    EXPECT_EQ(stringValue(block, L"FileVersion"), L"1.00.0001");
    EXPECT_EQ(stringValue(block, L"ProductVersion"), L"1.00.0001");
    EXPECT_EQ(stringValue(block, L"OriginalFilename"), L"Morvane.exe");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 0));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(1, 0));

    const Owned<HMODULE, &FreeLibrary> module(
        LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module);
    const UniqueIcon icon(static_cast<HICON>(LoadImageW(module.get(), MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0)));
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    const Bitmap colour(info.hbmColor);
    const Bitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(colour.get(), sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
}

}  // namespace
}  // namespace morvane
