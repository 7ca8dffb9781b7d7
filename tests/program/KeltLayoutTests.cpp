// The embedded layout and what the main window makes of a layout that is broken.
#include "ProgramTestSupport.h"
#include "app/KeltLayout.h"
#include "framework/Exception.h"
#include "framework/Text.h"
#include "tests/support/MemoryRegistry.h"

namespace plaxor::testing {
namespace {

TEST(KeltLayoutFiles, FileNamesMapToResourceNames) {
    EXPECT_EQ(ResourceNameForFile(L"logo.jpg"), L"LOGO_JPG");
    EXPECT_EQ(ResourceNameForFile(L"Glyph.bmp"), L"GLYPH_BMP");
    EXPECT_EQ(ResourceNameForFile(L"a-b_c.1"), L"A-B_C_1");
}

TEST(KeltLayoutFiles, PathsAndOddCharactersAreNoResourceNames) {
    EXPECT_THROW(ResourceNameForFile(L"..\\logo.jpg"), EReadError);
    EXPECT_THROW(ResourceNameForFile(L"C:/logo.jpg"), EReadError);
    EXPECT_THROW(ResourceNameForFile(L"logo jpg"), EReadError);
    EXPECT_THROW(ResourceNameForFile(L""), EReadError);
}

TEST(KeltLayoutFiles, MissingResourceIsAReadErrorNamingIt) {
    try {
        ReadResourceData(nullptr, L"NO_SUCH_JPG");
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(L"NO_SUCH_JPG"), std::wstring::npos);
    }
}

TEST(KeltLayoutFiles, LayoutFileNotInTheProgramFailsWithItsLine) {
    const std::wstring text = L"object kelt: Tkelt\r\n  object logo: TImage\r\n"
                              L"    Picture.Data = file 'missing.jpg'\r\n  end\r\nend\r\n";
    try {
        ReadLayoutText(text, ResourceFileResolver(nullptr));
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(L"missing.jpg"), std::wstring::npos) << e.Message().size();
        EXPECT_NE(e.Message().find(L"MISSING_JPG"), std::wstring::npos);
        EXPECT_NE(e.Message().find(L"3"), std::wstring::npos);
    }
}

TEST(KeltLayoutText, Utf8WithOrWithoutByteOrderMark) {
    const Bytes plain{'a', 0xC3, 0xA9};
    const Bytes marked{0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA9};
    EXPECT_EQ(DecodeLayoutText(plain), L"a\u00E9");
    EXPECT_EQ(DecodeLayoutText(marked), L"a\u00E9");
}

TEST(KeltLayoutText, BytesThatAreNotUtf8AreRefused) {
    EXPECT_THROW(DecodeLayoutText(Bytes{'a', 0xE9, 'b'}), EReadError);
}

TEST(KeltLayoutText, EmbeddedLayoutIsTheMainWindowsWithItsControlsInOrder) {
    const LayoutNode tree = ReadKeltLayout();
    EXPECT_EQ(tree.className, L"Tkelt");
    EXPECT_EQ(tree.name, L"kelt");
    std::vector<std::wstring> names;
    for (const LayoutNode& child : tree.children)
        names.push_back(child.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"SpeedButton1", L"logo", L"disabled", L"enabled",
                                                L"status", L"plaxorizebtn", L"undoplaxorizebtn"}));
}

TEST(KeltLayoutText, EmbeddedPicturesAreTheFilesBytes) {
    const LayoutNode tree = ReadKeltLayout();
    const LayoutValue* logo = tree.children[1].Find(L"Picture.Data");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(std::get<Bytes>(*logo), ReadResourceData(nullptr, L"LOGO_JPG"));
    const LayoutValue* glyph = tree.children[0].Find(L"Glyph.Data");
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(std::get<Bytes>(*glyph).size(), 822u);
}

// The main window made from a changed copy of the embedded layout.
class BrokenLayout : public ::testing::Test {
protected:
    void SetUp() override {
        gdiplus_ = std::make_unique<GdiplusSession>();
        app_ = std::make_unique<TApplication>();
        tree = ReadKeltLayout();
    }
    void TearDown() override {
        app_.reset();
        gdiplus_.reset();
    }
    LayoutNode& Child(const std::wstring& name) {
        for (LayoutNode& child : tree.children)
            if (child.name == name) return child;
        throw std::logic_error("no such child");
    }
    void Set(LayoutNode& node, const std::wstring& property, LayoutValue value) {
        for (auto& [name, v] : node.properties)
            if (name == property) {
                v = std::move(value);
                return;
            }
        node.properties.emplace_back(property, std::move(value));
    }
    // The error that making the window raises; empty when it was made.
    std::wstring MakeError() {
        TKeltServices services;
        services.registry = &memory;
        services.layout = [this] { return tree; };
        try {
            auto* form = new Tkelt(app_.get(), services);
            delete form;
        } catch (const EReadError& e) {
            return e.Message();
        }
        return {};
    }

    LayoutNode tree;
    MemoryRegistry memory;

private:
    std::unique_ptr<GdiplusSession> gdiplus_;
    std::unique_ptr<TApplication> app_;
};

TEST_F(BrokenLayout, TheEmbeddedOneMakesTheWindow) {
    EXPECT_EQ(MakeError(), L"");
}

TEST_F(BrokenLayout, CorruptJpegIsAClearErrorNamingThePlace) {
    Bytes logo = std::get<Bytes>(*Child(L"logo").Find(L"Picture.Data"));
    logo.resize(40); // the headers' beginning only
    logo.insert(logo.end(), 64, 0x5A);
    Set(Child(L"logo"), L"Picture.Data", logo);
    const std::wstring error = MakeError();
    EXPECT_NE(error.find(L"logo.Picture.Data"), std::wstring::npos) << ToUtf8(error);
    EXPECT_NE(error.find(L"JPEG"), std::wstring::npos);
}

TEST_F(BrokenLayout, MissingControlIsNamed) {
    tree.children.erase(tree.children.begin() + 4); // status
    EXPECT_EQ(MakeError(), L"The main window's layout has no TLabel named 'status'");
}

TEST_F(BrokenLayout, ControlOfAnotherClassForAFieldIsRefused) {
    Child(L"status").className = L"TImage";
    Child(L"status").properties.clear();
    const std::wstring error = MakeError();
    EXPECT_NE(error.find(L"status"), std::wstring::npos);
    EXPECT_NE(error.find(L"TLabel"), std::wstring::npos);
}

TEST_F(BrokenLayout, UnknownHandlerIsNamed) {
    Set(Child(L"plaxorizebtn"), L"OnClick", Ident{L"FormatDisk"});
    EXPECT_NE(MakeError().find(L"FormatDisk"), std::wstring::npos);
}

TEST_F(BrokenLayout, LayoutOfAnotherWindowIsRefused) {
    tree.className = L"TOtherForm";
    EXPECT_NE(MakeError().find(L"TOtherForm"), std::wstring::npos);
}

} // namespace
} // namespace plaxor::testing
