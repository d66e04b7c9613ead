#include "tools/skintool/SkinTool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

ToolRun RunTool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunSkinTool(args, out, err);
    return {code, out.str(), err.str()};
}

void WriteFile(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

class SkinTool : public testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 ("kestrelle-skintool-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_root);
        fs::create_directories(m_root / "src");
        WriteFile(m_root / "src" / "Face.bmp", "BM" + std::string(300, 'f'));
        WriteFile(m_root / "src" / "Glyph.bmp", "BM" + std::string(40, 'g'));
        WriteFile(m_root / "src" / "Skin.ini", "[Buttons]\r\nBitmap=Skins\\Face.bmp\r\n[Personality]\r\nLeft=glyph.bmp\r\n");
    }
    void TearDown() override { fs::remove_all(m_root); }
    std::string Path(const char* name) const { return (m_root / name).string(); }
    fs::path m_root;
};

}  // namespace

TEST_F(SkinTool, PacksListsChecksAndExtracts) {
    auto run = RunTool({"pack", Path("src"), Path("steel.skn")});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    run = RunTool({"list", Path("steel.skn")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "302\tface.bmp\n42\tglyph.bmp\n65\tskin.ini\n3 files, 409 bytes\n");

    run = RunTool({"check", Path("steel.skn")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("2 bitmap references all present"), std::string::npos) << run.out;

    run = RunTool({"extract", Path("steel.skn"), Path("out")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* name : {"face.bmp", "glyph.bmp", "skin.ini"}) EXPECT_TRUE(fs::exists(m_root / "out" / name));
    EXPECT_EQ(fs::file_size(m_root / "out" / "face.bmp"), 302u);

    run = RunTool({"extract", Path("steel.skn"), Path("one"), "GLYPH.bmp"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::exists(m_root / "one" / "glyph.bmp"));
    EXPECT_FALSE(fs::exists(m_root / "one" / "face.bmp"));
}

TEST_F(SkinTool, CheckNamesEveryProblem) {
    WriteFile(m_root / "src" / "Skin.ini",
              "[Buttons]\r\nBitmap=Face.BMP\r\nCheckButton=gone.bmp\r\n[Tabs]\r\nImage=glyph.bmp\r\n");
    WriteFile(m_root / "src" / "Broken.bmp", "not a bitmap");
    ASSERT_EQ(RunTool({"pack", Path("src"), Path("bad.skn")}).exitCode, 0);
    const auto run = RunTool({"check", Path("bad.skn")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("\"broken.bmp\" is not a Windows bitmap"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("[Buttons] Bitmap: \"Face.BMP\" will not load"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("[Buttons] CheckButton: bitmap \"gone.bmp\" is not in the skin"), std::string::npos);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 3);

    fs::remove(m_root / "src" / "Skin.ini");
    ASSERT_EQ(RunTool({"pack", Path("src"), Path("nodesc.skn")}).exitCode, 0);
    EXPECT_NE(RunTool({"check", Path("nodesc.skn")}).err.find("no skin description"), std::string::npos);
}

TEST_F(SkinTool, ErrorsAreOneLineWithANonZeroExit) {
    WriteFile(m_root / "garbage.skn", std::string("\x10\x00\x00\x00garbage", 11));
    WriteFile(m_root / "huge.skn", std::string("\xFF\xFF\xFF\x7Fgarbage", 11));
    const std::vector<std::vector<std::string>> failing = {
        {"list", Path("missing.skn")},
        {"check", Path("huge.skn")},
        {"list", Path("garbage.skn")},
        {"extract", Path("garbage.skn"), Path("out")},
        {"pack", Path("nofolder"), Path("x.skn")},
    };
    for (const auto& args : failing) {
        const auto run = RunTool(args);
        EXPECT_EQ(run.exitCode, 1) << args[1];
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.rfind("skintool: ", 0), 0u) << run.err;
    }
    EXPECT_EQ(RunTool({}).exitCode, 2);
    EXPECT_EQ(RunTool({"list"}).exitCode, 2);
    EXPECT_EQ(RunTool({"frobnicate", "x"}).exitCode, 2);
}
