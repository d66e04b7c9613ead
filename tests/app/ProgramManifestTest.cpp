// The program must carry no manifest that asks for an execution level: Windows turns file
// virtualisation off for a program that asks for one, and a standard user's lesson files,
// which the program writes into the system folder, then fail instead of reaching that
// user's virtual store. The manifests are read from the built program file.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace {

struct FreeModule {
    void operator()(HMODULE module) const noexcept { ::FreeLibrary(module); }
};
using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule>;

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) noexcept {
    try {
        // FindResourceW takes a numbered name as "#<number>".
        auto& list = *reinterpret_cast<std::vector<std::wstring>*>(names);
        list.push_back(IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

// Every RT_MANIFEST resource of a program file, as its raw bytes.
std::vector<std::string> Manifests(const std::wstring& path) {
    ModuleHandle module{::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
    if (!module) ADD_FAILURE() << "cannot open the program file, error " << ::GetLastError();
    std::vector<std::string> manifests;
    if (!module) return manifests;
    std::vector<std::wstring> names;
    // Fails with ERROR_RESOURCE_TYPE_NOT_FOUND when there is no manifest at all.
    ::EnumResourceNamesW(module.get(), RT_MANIFEST, CollectName, reinterpret_cast<LONG_PTR>(&names));
    for (const auto& name : names) {
        HRSRC found = ::FindResourceW(module.get(), name.c_str(), RT_MANIFEST);
        HGLOBAL loaded = found ? ::LoadResource(module.get(), found) : nullptr;
        const char* bytes = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
        if (!bytes) {
            ADD_FAILURE() << "cannot read manifest resource " << std::string(name.begin(), name.end());
            continue;
        }
        manifests.emplace_back(bytes, ::SizeofResource(module.get(), found));
    }
    return manifests;
}

// Manifests are UTF-8 or UTF-16 XML; the element is looked for in both encodings, and a
// commented-out one counts too, which errs on the side of a failing test.
bool AsksForExecutionLevel(std::string_view manifest) {
    constexpr std::string_view kElement = "requestedExecutionLevel";
    std::string wide;
    for (char c : kElement) wide += {c, '\0'};
    return manifest.find(kElement) != std::string_view::npos || manifest.find(wide) != std::string_view::npos;
}

std::wstring ThisProgram() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

// kestrelle.exe, found from this test program's folder.
std::wstring BuiltProgram() {
    std::wstring path = ThisProgram();
    path.erase(path.find_last_of(L'\\') + 1);
    for (const char* c = KESTRELLE_PROGRAM_FROM_TEST; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

}  // namespace

TEST(ProgramManifest, AsksForNoExecutionLevel) {
    const std::wstring program = BuiltProgram();
    ASSERT_NE(::GetFileAttributesW(program.c_str()), INVALID_FILE_ATTRIBUTES) << "kestrelle.exe is not built";
    for (const auto& manifest : Manifests(program))
        EXPECT_FALSE(AsksForExecutionLevel(manifest)) << "kestrelle.exe carries this manifest:\n" << manifest;
}

// This test program links a manifest that asks for a level (ElevationSample.manifest): the
// check must find it, or its silence about kestrelle.exe proves nothing.
TEST(ProgramManifest, CheckFindsALevelAskedFor) {
    const auto manifests = Manifests(ThisProgram());
    ASSERT_EQ(manifests.size(), 1u);
    EXPECT_TRUE(AsksForExecutionLevel(manifests.front()));

    std::string wide;
    for (char c : std::string_view{"<requestedExecutionLevel level=\"asInvoker\"/>"}) wide += {c, '\0'};
    EXPECT_TRUE(AsksForExecutionLevel(wide));
    EXPECT_FALSE(AsksForExecutionLevel(R"(<assembly><dependency/></assembly>)"));
}
