// SPDX-License-Identifier: MIT
// pemtos.exe's version record, icon and bitmaps, read back through the Windows API.
#include "win32/resourceids.h"
#include "window/illustrations.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

/// The built program; a path from the build machine becomes one on Wine's Z: drive.
std::wstring programPath()
{
    const std::string path = PEMTOS_EXE_PATH;
    std::wstring wide(path.begin(), path.end());
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (!wide.empty() && wide.front() == L'\\')
        wide.insert(0, L"Z:");
    return wide;
}

class VersionRecord : public testing::Test {
protected:
    void SetUp() override
    {
        const std::wstring path = programPath();
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
        ASSERT_NE(size, 0U) << "no version record, error " << GetLastError();
        m_data.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, m_data.data()));
    }

    std::wstring string(const wchar_t *name) const
    {
        const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        void *value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(m_data.data(), key.c_str(), &value, &length) || value == nullptr)
            return L"<missing>";
        std::wstring text(static_cast<const wchar_t *>(value), length);
        // The stored length may or may not count the terminating null.
        if (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return text;
    }

    std::vector<std::byte> m_data;
};

TEST_F(VersionRecord, JapaneseUnicodeBlockIsTheOnlyTranslation)
{
    void *value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(m_data.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4U);
    const auto *translation = static_cast<const WORD *>(value);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);
}

TEST_F(VersionRecord, StringsNameTheProductAndItsVersion)
{
    const std::pair<const wchar_t *, const wchar_t *> expected[] = {
        {L"ProductName", L"pemtos"},
        {L"InternalName", L"pemtos"},
        {L"FileVersion", L"" PEMTOS_VERSION},
        {L"ProductVersion", L"" PEMTOS_VERSION},
        {L"OriginalFilename", L"pemtos.exe"},
        // The window's title, which only survives if the script's code page was honoured.
        {L"FileDescription", L"樹形から調べる樹木名と特徴"},
    };
    for (const auto &[name, text] : expected)
        EXPECT_TRUE(string(name) == text) << "StringFileInfo value " << std::string(name, name + wcslen(name));
}

TEST_F(VersionRecord, FixedVersionIsOneZeroZeroZero)
{
    void *value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(m_data.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDU);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(PEMTOS_VERSION_MINOR, PEMTOS_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwFileVersionLS, 0U);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0U);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

class ProgramResources : public testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExW(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr) << "error " << GetLastError();
    }
    void TearDown() override
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }

    HMODULE m_module = nullptr;
};

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

TEST_F(ProgramResources, OneIconGroupOfThreeClassicImages)
{
    HRSRC found = FindResourceW(m_module, MAKEINTRESOURCEW(PEMTOS_ICON_ID), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const auto *header = static_cast<const GroupIconHeader *>(LockResource(LoadResource(m_module, found)));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->type, 1);
    ASSERT_EQ(header->count, 3);
    ASSERT_GE(SizeofResource(m_module, found), sizeof(GroupIconHeader) + 3 * sizeof(GroupIconEntry));
    const auto *entries = reinterpret_cast<const GroupIconEntry *>(header + 1);

    struct Expected {
        BYTE size;
        BYTE colourCount;
        WORD bitCount;
    };
    // 32 x 32 and 16 x 16 in 16 colours, 32 x 32 monochrome.
    const Expected expected[] = {{32, 16, 4}, {16, 16, 4}, {32, 2, 1}};
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(entries[index].width, expected[index].size);
        EXPECT_EQ(entries[index].height, expected[index].size);
        EXPECT_EQ(entries[index].colourCount, expected[index].colourCount);
        EXPECT_EQ(entries[index].bitCount, expected[index].bitCount);
        // Each image of the group is there under its own number.
        EXPECT_NE(FindResourceW(m_module, MAKEINTRESOURCEW(entries[index].id), RT_ICON), nullptr);
    }
}

TEST_F(ProgramResources, EveryIllustrationIsATwentyFourBitBitmapOfItsSizeAndTwiceIt)
{
    for (const pemtos::window::Illustration &art : pemtos::window::illustrations()) {
        for (const int scale : {1, 2}) {
            SCOPED_TRACE(std::string(art.file) + (scale == 2 ? "@2x" : ""));
            const int id = art.resourceId + (scale == 2 ? PEMTOS_DOUBLE_SIZE_ART_OFFSET : 0);
            auto *bitmap = static_cast<HBITMAP>(
                LoadImageW(m_module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            ASSERT_NE(bitmap, nullptr);
            DIBSECTION section{};
            ASSERT_EQ(GetObjectW(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
            EXPECT_EQ(section.dsBm.bmWidth, art.width * scale);
            EXPECT_EQ(section.dsBm.bmHeight, art.height * scale);
            EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
            DeleteObject(bitmap);
        }
    }
}

TEST_F(ProgramResources, NoBitmapBeyondTheIllustrations)
{
    // Picture9 shows nothing: 109, 209 and the neighbours of the ranges are unused.
    for (const int id : {100, 109, 116, 200, 209, 216})
        EXPECT_EQ(FindResourceW(m_module, MAKEINTRESOURCEW(id), RT_BITMAP), nullptr) << id;
}

TEST_F(ProgramResources, ManifestDeclaresPerMonitorDpiAwareness)
{
    HRSRC found = FindResourceW(m_module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const auto *text = static_cast<const char *>(LockResource(LoadResource(m_module, found)));
    ASSERT_NE(text, nullptr);
    const std::string manifest(text, SizeofResource(m_module, found));
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
}

} // namespace
