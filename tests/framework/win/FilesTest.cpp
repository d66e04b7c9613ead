// Whole-file reading: the bytes as they are, across the pieces it reads in, and the
// refusals a caller reports.

#include "framework/win/Files.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(WholeFile, ReadsEveryByteOrSaysWhyNot) {
    const std::wstring path = TempFile(L"kestrelle-whole-file.bin");
    std::vector<uint8_t> written((3 << 20) + 5);  // more than two of the pieces it reads in
    for (size_t i = 0; i < written.size(); ++i) written[i] = static_cast<uint8_t>(i * 131 % 251);
    WriteBytes(path, written);

    std::vector<std::byte> bytes;
    ASSERT_EQ(ReadWholeFile(path, written.size(), bytes), TWholeFileRead::Done);
    ASSERT_EQ(bytes.size(), written.size());
    for (size_t i = 0; i < written.size(); i += 4099) ASSERT_EQ(std::to_integer<uint8_t>(bytes[i]), written[i]) << i;
    EXPECT_EQ(std::to_integer<uint8_t>(bytes.back()), written.back());
    EXPECT_TRUE(FileExists(path));

    EXPECT_EQ(ReadWholeFile(path, written.size() - 1, bytes), TWholeFileRead::TooLarge);
    EXPECT_TRUE(bytes.empty());
    // Held open for writing without sharing it, the file cannot be opened to read.
    {
        const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(ReadWholeFile(path, written.size(), bytes), TWholeFileRead::CannotOpen);
        ::CloseHandle(held);
    }
    ::DeleteFileW(path.c_str());
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(ReadWholeFile(path, 100, bytes), TWholeFileRead::CannotOpen);

    // A folder is not a file, and an empty file reads as nothing.
    EXPECT_FALSE(FileExists(TempFile(L"")));
    WriteBytes(path, {});
    EXPECT_EQ(ReadWholeFile(path, 0, bytes), TWholeFileRead::Done);
    EXPECT_TRUE(bytes.empty());
    ::DeleteFileW(path.c_str());
}

}  // namespace
