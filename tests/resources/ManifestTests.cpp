// The application manifest: its text as embedded, and what the loader made of it when it
// started this program.
#include "ModuleResource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <regex>
#include <string>

#include "framework/UniqueHandle.h"

namespace plaxor::test {
namespace {

using Attributes = std::map<std::string, std::string>;

std::string ManifestText() {
    const auto data = ModuleResource(MAKEINTRESOURCEW(1), RT_MANIFEST);
    return {data.begin(), data.end()};
}

// The attributes of the first <tag ...> element whose text contains `marker`.
Attributes Element(const std::string& text, const std::string& tag, const std::string& marker) {
    const std::regex element("<" + tag + "\\b[^>]*>");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), element);
         it != std::sregex_iterator(); ++it) {
        const std::string found = it->str();
        if (found.find(marker) == std::string::npos) continue;
        Attributes attributes;
        const std::regex attribute("([A-Za-z]+)\\s*=\\s*\"([^\"]*)\"");
        for (auto a = std::sregex_iterator(found.begin(), found.end(), attribute);
             a != std::sregex_iterator(); ++a)
            attributes[(*a)[1]] = (*a)[2];
        return attributes;
    }
    return {};
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// A toolchain that links a default manifest of its own would leave the loader to pick one.
TEST(Manifest, IsTheModulesOnlyManifest) {
    int count = 0;
    ::EnumResourceNamesW(SubjectModule(), RT_MANIFEST, CountName,
                         reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(count, 1);
    EXPECT_FALSE(ManifestText().empty());
}

TEST(Manifest, RequestsAdministratorWithoutUiAccess) {
    Attributes level = Element(ManifestText(), "requestedExecutionLevel", "level");
    EXPECT_EQ(level["level"], "requireAdministrator");
    EXPECT_EQ(level["uiAccess"], "false");
}

// "X86" here stops an x64 program from starting at all (a side-by-side error).
TEST(Manifest, DependsOnCommonControlsSixForAnyProcessor) {
    Attributes id =
        Element(ManifestText(), "assemblyIdentity", "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(id["type"], "win32");
    EXPECT_EQ(id["name"], "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(id["version"], "6.0.0.0");
    EXPECT_EQ(id["processorArchitecture"], "*");
    EXPECT_EQ(id["publicKeyToken"], "6595b64144ccf1df");
    EXPECT_EQ(id["language"], "*");
}

TEST(Manifest, DeclaresNoDpiAwarenessNorSupportedSystems) {
    const std::string text = ManifestText();
    EXPECT_EQ(text.find("dpiAware"), std::string::npos);
    EXPECT_EQ(text.find("supportedOS"), std::string::npos);
}

// The system's own manifest parser reads the manifest from the module, as at process start.
class SystemParsedManifest : public testing::Test {
protected:
    void SetUp() override {
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
#ifndef PLAXOR_RESOURCE_SUBJECT
        // A module loaded as a data file is no module to the parser: it reads the file itself.
        request.dwFlags |= ACTCTX_FLAG_HMODULE_VALID;
        request.hModule = SubjectModule();
#endif
        request.lpResourceName = MAKEINTRESOURCEW(1);
        const std::wstring path = SubjectPath();
        request.lpSource = path.c_str();
        context_ = ::CreateActCtxW(&request);
        ASSERT_NE(context_, INVALID_HANDLE_VALUE) << "error " << ::GetLastError();
    }
    void TearDown() override {
        if (context_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(context_);
    }
    HANDLE context_ = INVALID_HANDLE_VALUE;
};

TEST_F(SystemParsedManifest, RequiresAdministratorWithoutUiAccess) {
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION info{};
    SIZE_T written = 0;
    ASSERT_TRUE(::QueryActCtxW(0, context_, nullptr, RunlevelInformationInActivationContext, &info,
                               sizeof info, &written))
        << "error " << ::GetLastError();
    EXPECT_EQ(info.RunLevel, ACTCTX_RUN_LEVEL_REQUIRE_ADMIN);
    EXPECT_EQ(info.UiAccess, 0u);
}

#ifndef PLAXOR_RESOURCE_SUBJECT
// Proof that the loader honoured the dependency when it started this program: the common
// controls come from the side-by-side version 6 assembly, not the system directory. (Asking
// the library for its version does not tell: Wine's answers 5.81 from either place.)
TEST(Manifest, ProcessBindsCommonControlsSix) {
    UniqueHMODULE comctl(::LoadLibraryW(L"comctl32.dll"));
    ASSERT_TRUE(comctl);
    wchar_t path[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameW(comctl.get(), path, MAX_PATH), 0u);
    std::wstring lower(path);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    EXPECT_NE(lower.find(L"\\winsxs\\"), std::wstring::npos) << lower;
    EXPECT_NE(lower.find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos) << lower;
}
#endif

} // namespace
} // namespace plaxor::test
