// Reads the version information that Zenalto.rc gives an executable back from
// this test's own file, as Windows Explorer reads it.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

namespace {

class VersionInfo : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring self(MAX_PATH, L'\0');
        self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(self.c_str(), &ignored);
        ASSERT_NE(size, 0U) << "no version information";
        m_block.resize(size);
        ASSERT_NE(::GetFileVersionInfoW(self.c_str(), 0, size, m_block.data()), FALSE);
    }

    // The value at `path` of the block, and its length in the value's units.
    const void* query(const std::wstring& path, UINT& length) {
        void* value = nullptr;
        length = 0;
        if (::VerQueryValueW(m_block.data(), path.c_str(), &value, &length) == FALSE) {
            return nullptr;
        }
        return value;
    }

    std::wstring text(const std::wstring& name) {
        UINT length = 0;
        const void* value = query(L"\\StringFileInfo\\040904B0\\" + name, length);
        if (value == nullptr) {
            return L"(none)";
        }
        std::wstring result(static_cast<const wchar_t*>(value), length);
        // The length counts the terminating NUL.
        while (!result.empty() && result.back() == L'\0') {
            result.pop_back();
        }
        return result;
    }

private:
    std::vector<std::byte> m_block;
};

TEST_F(VersionInfo, NumbersAre1000) {
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\", length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDU);
    const DWORD versions[][2] = {
        {fixed->dwFileVersionMS, fixed->dwFileVersionLS},
        {fixed->dwProductVersionMS, fixed->dwProductVersionLS},
    };
    for (const auto& version : versions) {
        EXPECT_EQ(version[0], 0x00010000U);  // 1.0
        EXPECT_EQ(version[1], 0U);           // .0.0
    }
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionInfo, TranslationIsUsEnglishUnicode) {
    UINT length = 0;
    const auto* translation =
        static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation", length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);
}

TEST_F(VersionInfo, TextsNameZenalto) {
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } rows[] = {
        {L"FileVersion", L"1.00"},
        {L"ProductVersion", L"1.00"},
        {L"ProductName", L"Zenalto"},
        {L"InternalName", L"Zenalto"},
        {L"OriginalFilename", L"Zenalto.exe"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(text(row.name), row.value) << row.name;
        // Printed so that a run shows what was read back.
        std::wprintf(L"%ls = %ls\n", row.name, text(row.name).c_str());
    }
}

}  // namespace
