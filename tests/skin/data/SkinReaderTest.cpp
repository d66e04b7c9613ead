#include "skin/data/SkinReader.h"

#include "skin/data/Lzh.h"
#include "tests/skin/data/TestData.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinContainerWriter.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

void PutInt32(std::vector<std::byte>& out, int32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(std::byte((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
}

// A container written field by field, so that tests can break any of them.
std::vector<std::byte> RawContainer(int32_t version, std::string_view names, const std::vector<int32_t>& sizes,
                                    std::string_view data,
                                    std::optional<int32_t> namesLength = {}) {
    std::vector<std::byte> out;
    PutInt32(out, version);
    PutInt32(out, namesLength.value_or(static_cast<int32_t>(names.size())));
    for (int i = 0; i < 8; ++i) out.push_back(std::byte{0xA5});
    for (char c : names) out.push_back(static_cast<std::byte>(c));
    for (int32_t size : sizes) PutInt32(out, size);
    for (char c : data) out.push_back(static_cast<std::byte>(c));
    return out;
}

std::vector<std::byte> Prefix(std::vector<std::byte> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

bool OpenContainer(TSkinReader& reader, std::span<const std::byte> container) {
    TMemoryStream packed(PackSkinStream(container));
    return reader.Open(packed);
}

std::string Read(const TSkinReader& reader, std::string_view name) {
    TMemoryStream target(Bytes("stale"));
    reader.ReadFile(name, target);
    EXPECT_EQ(target.Position(), 0);
    return Text(target.Bytes());
}

// Collects what the reader tells the user, and restores the previous notifier.
class NotifierSpy {
public:
    NotifierSpy() {
        m_previous = TSkinReader::SetNotifier([this](std::u16string_view text) { messages.emplace_back(text); });
    }
    ~NotifierSpy() { TSkinReader::SetNotifier(std::move(m_previous)); }
    std::vector<std::u16string> messages;

private:
    TSkinReader::Notifier m_previous;
};

}  // namespace

TEST(SkinReader, OpensASkinContainer) {
    TMemoryStream packed(ReadTestFile("lzh/container.lzh"));
    const auto expected = ReadTestFile("lzh/container.bin");
    TSkinReader reader;
    ASSERT_TRUE(reader.Open(packed));
    EXPECT_EQ(reader.Version(), 20000);
    EXPECT_EQ(reader.FileCount(), 58);
    EXPECT_EQ(reader.FileNames().Count(), 58);
    EXPECT_EQ(reader.FileNames()[0], "personality_top.bmp");  // lower-cased
    const int64_t tableEnd = 16 + reader.NamesLength() + 4 * 58;
    int64_t sum = 0;
    for (int i = 0; i < 58; ++i) sum += reader.FileSize(i);
    EXPECT_EQ(sum, static_cast<int64_t>(expected.size()) - tableEnd);
    EXPECT_EQ(static_cast<int64_t>(reader.FileData().size()), sum);

    TMemoryStream description;
    std::string found = "unchanged";
    reader.FindFile(".ini", description, found);
    EXPECT_EQ(found, reader.FileNames()[57]);
    EXPECT_EQ(description.Size(), reader.FileSize(57));
    EXPECT_TRUE(std::equal(description.Bytes().begin(), description.Bytes().end(), expected.end() - reader.FileSize(57)));

    // Any letter case finds a file; a bitmap file starts with "BM".
    const std::string bitmap = Read(reader, "Personality_LEFT.bmp");
    ASSERT_EQ(bitmap.size(), static_cast<size_t>(reader.FileSize(1)));
    EXPECT_EQ(bitmap.substr(0, 2), "BM");
    EXPECT_EQ(Read(reader, "missing.bmp"), "");
    reader.FindFile("no such part", description, found);
    EXPECT_EQ(description.Size(), 0);
    EXPECT_EQ(found, reader.FileNames()[57]);
}

TEST(SkinReader, NameListRuleDuplicatesAndFirstMatches) {
    TSkinReader reader;
    // Two names with two CR LF pairs between them: three entries, the middle one unnamed.
    ASSERT_TRUE(OpenContainer(reader, RawContainer(20000, "A.bmp\r\n\r\nb.bmp\r\n", {1, 2, 3}, "abbccc")));
    ASSERT_EQ(reader.FileCount(), 3);
    EXPECT_EQ(reader.FileNames()[1], "");
    EXPECT_EQ(Read(reader, "a.BMP"), "a");
    EXPECT_EQ(Read(reader, ""), "bb");
    EXPECT_EQ(Read(reader, "b.bmp"), "ccc");

    // Equal names: every lookup takes the first; FindFile matches a part anywhere, as given.
    ASSERT_TRUE(OpenContainer(
        reader, RawContainer(20000, "skin.ini.bmp\r\nPushButton.bmp\r\npushbutton.bmp\r\nskin.ini", {4, 5, 6, 7},
                             "BM..first-second-ini\r\n")));
    EXPECT_EQ(Read(reader, "PushButton.bmp"), "first");
    TMemoryStream target;
    std::string found;
    reader.FindFile(".ini", target, found);
    EXPECT_EQ(found, "skin.ini.bmp");
    EXPECT_EQ(Text(target.Bytes()), "BM..");
    reader.FindFile("Button", target, found);  // the part is not lower-cased
    EXPECT_EQ(target.Size(), 0);
    EXPECT_EQ(found, "skin.ini.bmp");

    // Bitmap lookup: the name part after the last backslash or colon, extension exactly ".bmp".
    EXPECT_TRUE(reader.ReadBitmap("Skins\\Steel\\PushButton.bmp", target));
    EXPECT_EQ(Text(target.Bytes()), "first");
    EXPECT_TRUE(reader.ReadBitmap("c:pushbutton.bmp", target));
    EXPECT_FALSE(reader.ReadBitmap("PushButton.BMP", target));
    EXPECT_EQ(target.Size(), 0);
    EXPECT_FALSE(reader.ReadBitmap("missing.bmp", target));
    EXPECT_EQ(SkinBitmapName("Folder\\TabPane.bmp"), "TabPane.bmp");
    EXPECT_EQ(SkinBitmapName("a/b.bmp"), "a/b.bmp");
    for (const char* value : {"", "Folder\\", "pane.tga", "pane.bmp.tga", "bmp", "x:"})
        EXPECT_EQ(SkinBitmapName(value), "") << value;
}

TEST(SkinReader, OlderVersionIsToldOnceAndLoadsNothing) {
    TSkinReader reader;
    ASSERT_TRUE(OpenContainer(reader, RawContainer(20000, "keep.bmp\r\n", {2}, "ok")));
    for (int32_t version : {19999, 20001}) {
        NotifierSpy spy;
        EXPECT_FALSE(OpenContainer(reader, RawContainer(version, "other.bmp\r\n", {3}, "new")));
        ASSERT_EQ(spy.messages.size(), 1u);
        EXPECT_EQ(spy.messages[0], u"This is Older Skin File\rPlease update to new version !");
        EXPECT_EQ(reader.Version(), version);
        EXPECT_EQ(reader.FileCount(), 1);
        EXPECT_EQ(Read(reader, "keep.bmp"), "ok");
    }
}

TEST(SkinReader, RefusesMalformedContainersAndKeepsWhatItHad) {
    TSkinReader reader;
    ASSERT_TRUE(OpenContainer(reader, RawContainer(20000, "keep.bmp\r\n", {2}, "ok")));
    NotifierSpy spy;

    std::string manyNames;
    for (int i = 0; i < 1002; ++i) manyNames += "f" + std::to_string(i) + "\r\n";
    const std::vector<std::vector<std::byte>> broken = {
        {},                                                                   // no header
        Prefix(RawContainer(20000, "", {}, ""), 12),                          // header cut short
        RawContainer(20000, "a.bmp\r\n", {1}, "x", -5),                       // negative name list length
        RawContainer(20000, "a.bmp\r\n", {1}, "x", 1000),                     // name list past the end
        RawContainer(20000, "a.bmp\r\nb.bmp\r\n", {1}, ""),                   // size table past the end
        RawContainer(20000, "a.bmp\r\nb.bmp\r\n", {2, 3}, "abcd"),            // sizes past the data
        RawContainer(20000, "a.bmp\r\nb.bmp\r\n", {-1, 3}, "abc"),            // negative size
        RawContainer(20000, "a.bmp\r\nb.bmp\r\n", {0x7FFFFFFF, 0x7FFFFFFF}, "abc"),  // sizes that overflow 32 bits
        RawContainer(20000, manyNames, std::vector<int32_t>(1002, 0), ""),    // more files than the table holds
    };
    for (size_t i = 0; i < broken.size(); ++i) {
        EXPECT_THROW(OpenContainer(reader, broken[i]), ESkinFormatError) << "case " << i;
        EXPECT_EQ(reader.FileCount(), 1);
        EXPECT_EQ(Read(reader, "keep.bmp"), "ok");
    }
    EXPECT_TRUE(spy.messages.empty());

    // A packed stream cut short still unpacks to its stated length on zero bits; the
    // reader refuses it rather than take the noise for pictures.
    auto cut = PackSkinStream(RawContainer(20000, "a.bmp\r\n", {300}, std::string(300, 'x') ));
    cut.resize(cut.size() - 1);
    TMemoryStream cutStream(cut);
    EXPECT_THROW(reader.Open(cutStream), ElzhException);
    EXPECT_EQ(Read(reader, "keep.bmp"), "ok");

    // At the limit, and with bytes to spare behind the files, a container opens.
    std::string limitNames;
    for (int i = 0; i < 1001; ++i) limitNames += "f" + std::to_string(i) + "\r\n";
    EXPECT_TRUE(OpenContainer(reader, RawContainer(20000, limitNames, std::vector<int32_t>(1001, 0), "spare")));
    EXPECT_EQ(reader.FileCount(), 1001);
}

TEST(SkinReader, WriterOutputOpensAndRefusesNamesItCannotStore) {
    const std::vector<SkinFileEntry> files = {{"Face.bmp", Bytes("BMface")}, {"Skin.ini", Bytes("[Buttons]\r\n")}};
    const auto container = WriteSkinContainer(files);
    TSkinReader reader;
    ASSERT_TRUE(OpenContainer(reader, container));
    EXPECT_EQ(reader.FileCount(), 2);
    EXPECT_EQ(Read(reader, "face.bmp"), "BMface");
    EXPECT_EQ(Text(std::span(container).subspan(8, 8)), std::string(8, '\0'));

    EXPECT_THROW(WriteSkinContainer(std::vector<SkinFileEntry>{{"a\r\nb.bmp", {}}}), std::invalid_argument);
    EXPECT_THROW(WriteSkinContainer(std::vector<SkinFileEntry>{{"", {}}}), std::invalid_argument);
    EXPECT_THROW(WriteSkinContainer(std::vector<SkinFileEntry>(1002, {"x.bmp", {}})), std::invalid_argument);
}
