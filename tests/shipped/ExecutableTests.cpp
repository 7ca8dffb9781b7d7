// What the built Plaxor.exe asks of Windows when it is loaded: the DLLs it imports (only ones
// Windows always takes from the system directory, for an elevated program started from a
// Downloads folder), its security flags and the main window's layout it carries.
#include "ModuleResource.h"
#include "app/KeltLayout.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace plaxor::test {
namespace {

class Executable : public testing::Test {
protected:
    static void SetUpTestSuite() {
        HANDLE file = ::CreateFileW(SubjectPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        LARGE_INTEGER size{};
        ::GetFileSizeEx(file, &size);
        bytes_.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ::ReadFile(file, bytes_.data(), static_cast<DWORD>(bytes_.size()), &read, nullptr);
        ::CloseHandle(file);
        bytes_.resize(read);
    }
    void SetUp() override {
        ASSERT_GT(bytes_.size(), 1024u) << "cannot read the exe";
        std::memcpy(&dos_, bytes_.data(), sizeof dos_);
        ASSERT_EQ(dos_.e_magic, IMAGE_DOS_SIGNATURE);
        ASSERT_LT(static_cast<std::size_t>(dos_.e_lfanew) + sizeof nt_, bytes_.size());
        std::memcpy(&nt_, bytes_.data() + dos_.e_lfanew, sizeof nt_);
        ASSERT_EQ(nt_.Signature, IMAGE_NT_SIGNATURE);
        ASSERT_EQ(nt_.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
        const std::size_t first = static_cast<std::size_t>(dos_.e_lfanew) +
                                  offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                  nt_.FileHeader.SizeOfOptionalHeader;
        sections_.resize(nt_.FileHeader.NumberOfSections);
        ASSERT_LE(first + sections_.size() * sizeof(IMAGE_SECTION_HEADER), bytes_.size());
        std::memcpy(sections_.data(), bytes_.data() + first,
                    sections_.size() * sizeof(IMAGE_SECTION_HEADER));
    }

    // File offset of a relative virtual address; 0 when no section holds it.
    std::size_t Offset(DWORD rva) const {
        for (const IMAGE_SECTION_HEADER& s : sections_)
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize)
                return rva - s.VirtualAddress + s.PointerToRawData;
        return 0;
    }
    std::string TextAt(DWORD rva) const {
        const std::size_t at = Offset(rva);
        if (at == 0 || at >= bytes_.size()) return {};
        const char* p = reinterpret_cast<const char*>(bytes_.data() + at);
        return std::string(p, strnlen(p, bytes_.size() - at));
    }
    static std::string Lower(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    }

    // Imported DLL names in lower case, with the functions imported by name from each.
    std::vector<std::pair<std::string, std::set<std::string>>> Imports() const {
        std::vector<std::pair<std::string, std::set<std::string>>> imports;
        const IMAGE_DATA_DIRECTORY& dir =
            nt_.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        std::size_t at = Offset(dir.VirtualAddress);
        for (; at != 0 && at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= bytes_.size();
             at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            IMAGE_IMPORT_DESCRIPTOR d{};
            std::memcpy(&d, bytes_.data() + at, sizeof d);
            if (d.Name == 0) break;
            std::set<std::string> functions;
            const DWORD thunks = d.OriginalFirstThunk ? d.OriginalFirstThunk : d.FirstThunk;
            for (std::size_t t = Offset(thunks); t != 0 && t + 8 <= bytes_.size(); t += 8) {
                ULONGLONG entry = 0;
                std::memcpy(&entry, bytes_.data() + t, sizeof entry);
                if (entry == 0) break;
                if (!(entry & IMAGE_ORDINAL_FLAG64))
                    functions.insert(TextAt(static_cast<DWORD>(entry) + 2)); // past the hint
            }
            imports.emplace_back(Lower(TextAt(d.Name)), std::move(functions));
        }
        return imports;
    }

    static inline std::vector<std::uint8_t> bytes_;
    IMAGE_DOS_HEADER dos_{};
    IMAGE_NT_HEADERS64 nt_{};
    std::vector<IMAGE_SECTION_HEADER> sections_;
};

TEST_F(Executable, ImportsOnlyDllsWindowsTakesFromTheSystemDirectory) {
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll",  "gdi32.dll",
                                           "advapi32.dll", "shell32.dll", "ole32.dll",
                                           "comctl32.dll", "msvcrt.dll"};
    const auto imports = Imports();
    ASSERT_FALSE(imports.empty());
    for (const auto& [dll, functions] : imports)
        EXPECT_TRUE(allowed.count(dll)) << dll << " is imported";
}

TEST_F(Executable, GdiplusIsNotImportedButBoundAtRunTime) {
    for (const auto& [dll, functions] : Imports()) {
        EXPECT_NE(dll, "gdiplus.dll");
        EXPECT_NE(dll, "uxtheme.dll");
    }
}

TEST_F(Executable, LimitsTheDllSearchToTheSystemDirectory) {
    std::set<std::string> kernel32;
    for (const auto& [dll, functions] : Imports())
        if (dll == "kernel32.dll") kernel32 = functions;
    EXPECT_TRUE(kernel32.count("SetDefaultDllDirectories"));
}

TEST_F(Executable, KeepsAddressRandomisationAndExecutionPrevention) {
    const WORD flags = nt_.OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA);
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
}

TEST_F(Executable, IsAWindowsGuiProgramForX64) {
    EXPECT_EQ(nt_.FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(nt_.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST(ShippedLayout, IsTheMainWindowsWithAllItsControls) {
    ASSERT_NE(SubjectModule(), nullptr);
    const LayoutNode tree = ReadKeltLayout(SubjectModule());
    EXPECT_EQ(tree.className, L"Tkelt");
    EXPECT_EQ(tree.children.size(), 7u);
}

} // namespace
} // namespace plaxor::test
