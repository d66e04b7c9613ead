#include "resexport/ResourceExport.h"

#include "framework/core/Exception.h"
#include "framework/core/Properties.h"
#include "framework/core/Strings.h"
#include "framework/win/Convert.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <windows.h>

namespace {

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

std::string ResourceBytes(const wchar_t* name) {
    const HRSRC found = ::FindResourceW(nullptr, name, L"EXECUTABLE");
    const auto* data = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
    return std::string(data, ::SizeofResource(nullptr, found));
}

// Counts every event, so each test can check that exactly one fired.
struct EventLog {
    int notFound = 0, loadError = 0, writeError = 0, success = 0;
    int32_t bytesWritten = -2;
    int Total() const { return notFound + loadError + writeError + success; }

    void Attach(TResourceExport& re) {
        re.OnResourceNotFound = [this](TObject*) { ++notFound; };
        re.OnLoadResourceError = [this](TObject*) { ++loadError; };
        re.OnWriteFileError = [this](TObject*) { ++writeError; };
        re.OnSuccess = [this](TObject*, int32_t bytes) {
            ++success;
            bytesWritten = bytes;
        };
    }
};

class ResourceExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = TempFile(L"kestrelle-resexport-" + std::to_wstring(::GetCurrentProcessId()));
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        m_file = m_folder + L"\\yinbiao1.swf";
    }
    void TearDown() override {
        ::DeleteFileW(m_file.c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }

    TResourceExport& Configure(const wchar_t* name, bool overwrite) {
        m_re.SetResourceCategory(L"EXECUTABLE");
        m_re.SetResourceName(name);
        m_re.SetExportFileName(m_file);
        m_re.SetOverwrite(overwrite);
        return m_re;
    }

    std::wstring m_folder;
    std::wstring m_file;
    TResourceExport m_re;
};

TEST_F(ResourceExportTest, FreshComponentFindsNothingAndSizeStaysUnknown) {
    EventLog log;
    log.Attach(m_re);
    EXPECT_EQ(m_re.ResourceSize(), -1);
    EXPECT_EQ(m_re.ExportResource(), TResourceExport::kResourceNotFound);
    EXPECT_EQ(log.notFound, 1);
    EXPECT_EQ(log.Total(), 1);
    EXPECT_EQ(m_re.ResourceSize(), -1);
}

TEST_F(ResourceExportTest, LowerCaseNameAndTypeFindTheResourceAndWriteItWhole) {
    EventLog log;
    log.Attach(m_re);
    Configure(L"a", false);
    m_re.SetResourceCategory(L"executable");
    int32_t sizeSeenBySuccess = -2;
    std::string fileSeenBySuccess;
    m_re.OnSuccess = [&](TObject* sender, int32_t bytes) {
        EXPECT_EQ(sender, &m_re);
        ++log.success;
        log.bytesWritten = bytes;
        sizeSeenBySuccess = m_re.ResourceSize();
        fileSeenBySuccess = ReadAll(m_file);  // the event comes after the work
    };
    EXPECT_EQ(m_re.ExportResource(), TResourceExport::kExported);
    const std::string expected = ResourceBytes(L"A");
    EXPECT_EQ(ReadAll(m_file), expected);
    EXPECT_EQ(fileSeenBySuccess, expected);
    EXPECT_EQ(log.success, 1);
    EXPECT_EQ(log.Total(), 1);
    EXPECT_EQ(log.bytesWritten, static_cast<int32_t>(expected.size()));
    EXPECT_EQ(sizeSeenBySuccess, static_cast<int32_t>(expected.size()));
}

TEST_F(ResourceExportTest, ExistingFileWithoutOverwriteIsLeftByteForByte) {
    EventLog log;
    log.Attach(m_re);
    const std::string old = "old lesson\r\n\0 bytes";
    WriteAll(m_file, old);
    Configure(L"A", false);
    EXPECT_EQ(m_re.ExportResource(), TResourceExport::kFileExists);
    EXPECT_EQ(ReadAll(m_file), old);
    EXPECT_EQ(m_re.ResourceSize(), static_cast<int32_t>(ResourceBytes(L"A").size()));  // kept on code 4
    EXPECT_EQ(log.writeError, 1);
    EXPECT_EQ(log.Total(), 1);

    m_re.SetOverwrite(true);
    EXPECT_EQ(m_re.ExportResource(), TResourceExport::kExported);
    EXPECT_EQ(ReadAll(m_file), ResourceBytes(L"A"));
    EXPECT_EQ(log.success, 1);
    EXPECT_EQ(log.Total(), 2);
}

TEST_F(ResourceExportTest, MissingResourceWinsOverAnExistingFileAndResetsTheSize) {
    EventLog log;
    log.Attach(m_re);
    Configure(L"A", true);
    ASSERT_EQ(m_re.ExportResource(), TResourceExport::kExported);
    ASSERT_GT(m_re.ResourceSize(), 0);

    m_re.SetResourceName(L"Z");
    m_re.SetOverwrite(false);
    EXPECT_EQ(m_re.ExportResource(), TResourceExport::kResourceNotFound);
    EXPECT_EQ(m_re.ResourceSize(), -1);
    EXPECT_EQ(ReadAll(m_file), ResourceBytes(L"A"));  // the file was not touched
    EXPECT_EQ(log.notFound, 1);
    EXPECT_EQ(log.Total(), 2);
}

// Loading a found resource never fails in a real module; this one pretends it did.
class UnloadableExport : public TResourceExport {
protected:
    const void* LoadFoundResource(HMODULE, HRSRC) override { return nullptr; }
};

TEST_F(ResourceExportTest, UnloadableResourceReportsCodeTwoAndTouchesNoFile) {
    UnloadableExport re;
    EventLog log;
    log.Attach(re);
    re.SetResourceCategory(L"EXECUTABLE");
    re.SetResourceName(L"A");
    re.SetExportFileName(m_file);
    re.SetOverwrite(true);
    WriteAll(m_file, "keep");
    EXPECT_EQ(re.ExportResource(), TResourceExport::kLoadResourceError);
    EXPECT_EQ(log.loadError, 1);
    EXPECT_EQ(log.Total(), 1);
    EXPECT_EQ(re.ResourceSize(), -1);
    EXPECT_EQ(ReadAll(m_file), "keep");
}

TEST_F(ResourceExportTest, UnassignedEventsLeaveEveryOutcomeSilent) {
    Configure(L"nothing", false);
    EXPECT_EQ(m_re.ExportResource(), TResourceExport::kResourceNotFound);
    Configure(L"A", false);
    EXPECT_EQ(m_re.ExportResource(), TResourceExport::kExported);
    EXPECT_EQ(m_re.ExportResource(), TResourceExport::kFileExists);
}

TEST_F(ResourceExportTest, UncreatableFileRaisesTheErrorWithThePath) {
    EventLog log;
    log.Attach(m_re);
    const std::wstring paths[] = {
        m_folder + L"\\missing folder\\yinbiao2.swf",  // a folder that does not exist
        m_folder,                                      // a directory, not a file
    };
    for (const auto& path : paths) {
        Configure(L"A", true);
        m_re.SetExportFileName(path);
        try {
            (void)m_re.ExportResource();
            ADD_FAILURE() << "no exception for " << ToUtf8(FromWide(path));
        } catch (const EFCreateError& error) {
            EXPECT_EQ(error.Message(), u"Cannot create file " + FromWide(path));
        }
    }
    EXPECT_EQ(log.Total(), 0);  // the exception replaces the result code and the event
}

TEST_F(ResourceExportTest, LargestLessonSizedResourceIsWrittenWhole) {
    EventLog log;
    log.Attach(m_re);
    Configure(L"p", true);
    ASSERT_EQ(m_re.ExportResource(), TResourceExport::kExported);
    EXPECT_EQ(m_re.ResourceSize(), 2012680);
    EXPECT_EQ(log.bytesWritten, 2012680);
    const std::string written = ReadAll(m_file);
    EXPECT_EQ(written.size(), 2012680u);
    EXPECT_TRUE(written == ResourceBytes(L"P"));
}

TEST(ResourceExportProperties, PublishedByNameWithOverwriteAlwaysStored) {
    TResourceExport re;
    ASSERT_TRUE(SetPropText(&re, u"resourcename", u"a"));
    ASSERT_TRUE(SetPropText(&re, u"ResourceCategory", u"EXECUTABLE"));
    ASSERT_TRUE(SetPropText(&re, u"ExportFileName", u"C:\\音标\\yinbiao1.swf"));
    EXPECT_EQ(re.ResourceName(), L"a");
    EXPECT_EQ(re.ExportFileName(), L"C:\\音标\\yinbiao1.swf");
    EXPECT_EQ(GetEnumProp(&re, u"Overwrite"), u"False");
    EXPECT_TRUE(FindPropInfo(&re, u"Overwrite")->IsStored(re));
    for (auto event : {u"OnResourceNotFound", u"OnLoadResourceError", u"OnWriteFileError", u"OnSuccess"})
        EXPECT_EQ(FindPropInfo(&re, event)->kind, PropKind::Event) << ToUtf8(event);
    int32_t written = 0;
    ASSERT_TRUE(SetEventProp(&re, u"OnSuccess", TOnSuccessExportFile([&](TObject*, int32_t n) { written = n; })));
    Fire(re.OnSuccess, &re, 7);
    EXPECT_EQ(written, 7);
}

}  // namespace
