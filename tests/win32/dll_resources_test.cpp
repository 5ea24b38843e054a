// The DLL's resources as Windows reads them from the file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace bvm {
namespace {

std::wstring Wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

TEST(DllFile, CarriesTheCommittedImagesAsEnglishRawData) {
    HMODULE dll = LoadLibraryExW(Wide(BVM_PLUGIN_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(dll, nullptr);
    const struct {
        const wchar_t* name;
        const char* file;
    } cases[] = {{L"BG", "artwork/bg.png"}, {L"VU", "artwork/vu.png"}, {L"PEAK", "artwork/peak.png"}};
    for (const auto& c : cases) {
        HRSRC resource = FindResourceExW(dll, MAKEINTRESOURCEW(10), c.name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        ASSERT_NE(resource, nullptr) << c.file;
        const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(dll, resource)));
        const std::vector<uint8_t> stored(bytes, bytes + SizeofResource(dll, resource));
        EXPECT_EQ(stored, test::ReadSourceFile(c.file)) << c.file;
    }
    FreeLibrary(dll);
}

std::wstring Value(const std::vector<uint8_t>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return L"";
    return static_cast<const wchar_t*>(value);
}

TEST(DllFile, HasTheVersionResource) {
    const std::wstring path = Wide(BVM_PLUGIN_PATH);
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<uint8_t> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    EXPECT_EQ(Value(info, L"ProductName"), L"Brisvaldomatics");
    EXPECT_EQ(Value(info, L"ProductVersion"), Wide(BVM_VERSION));
    EXPECT_EQ(Value(info, L"FileVersion"), Wide(BVM_VERSION));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>((BVM_VERSION_MAJOR << 16) | BVM_VERSION_MINOR));
}

}  // namespace
}  // namespace bvm
