#include "LayoutTestClasses.h"
#include "framework/Exception.h"
#include "framework/LayoutText.h"
#include "tests/support/LayoutBinary.h"
#include "tests/support/LayoutWriter.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

std::wstring Text(std::initializer_list<std::wstring_view> lines) {
    std::wstring out;
    for (std::wstring_view line : lines)
        (out += line) += L"\r\n";
    return out;
}

const std::wstring kWindow = Text({
    L"object main: TTestWindow",
    L"  Caption = 'Plaxor 1.2'",
    L"  ClientHeight = 232",
    L"  Font.Height = -13",
    L"  OnShow = FormShow",
    L"  object ok: TTestButton",
    L"    Caption = '&Disable'",
    L"    Left = -4",
    L"    Width = 100",
    L"    Tag = -128",
    L"    Enabled = False",
    L"    Layout = tlRight",
    L"    Ratio = 0.5",
    L"    ParentFont = False",
    L"    Font.Name = 'Segoe UI'",
    L"    Font.Style = [tsBold, tsUnderline]",
    L"    Notes.Strings = (",
    L"      'first'",
    L"      'caf'#233)",
    L"    Picture.Data = {",
    L"      89504E47}",
    L"    Buddy = cancel",
    L"    OnClick = ButtonClick",
    L"  end",
    L"  object box: TTestPanel",
    L"    object cancel: TTestButton",
    L"      Buddy = ok",
    L"    end",
    L"  end",
    L"end",
});

class LayoutLoaderTest : public testing::Test {
protected:
    void SetUp() override { LoadLog().clear(); }
    void Load(const std::wstring& text) { LoadLayout(window, ReadLayoutText(text, {}), factory); }
    // The message of the EReadError that loading into a new window raises ("" if none).
    std::wstring ErrorOf(const std::wstring& text) {
        try {
            TTestWindow root;
            LoadLayout(root, ReadLayoutText(text, {}), factory);
        } catch (const EReadError& e) {
            return e.Message();
        }
        return L"";
    }
    TTestButton* Button(const wchar_t* name) {
        return dynamic_cast<TTestButton*>(window.FindComponent(name));
    }

    ComponentFactory factory = TestFactory();
    TTestWindow window;
};

TEST_F(LayoutLoaderTest, RootPropertiesAreApplied) {
    Load(kWindow);
    EXPECT_EQ(window.Name(), L"main");
    EXPECT_EQ(window.Caption(), L"Plaxor 1.2");
    EXPECT_EQ(window.ClientHeight(), 232);
    EXPECT_EQ(window.Font()->Height(), -13);
}

TEST_F(LayoutLoaderTest, ComponentsAreCreatedNamedOwnedAndParented) {
    Load(kWindow);
    ASSERT_EQ(window.Components().size(), 3u);
    TTestButton* ok = Button(L"ok");
    ASSERT_NE(ok, nullptr);
    auto* box = dynamic_cast<TTestPanel*>(window.FindComponent(L"box"));
    ASSERT_NE(box, nullptr);
    TTestButton* cancel = Button(L"cancel");
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(window.Components()[0], ok);
    EXPECT_EQ(window.Components()[2], cancel);
    EXPECT_EQ(cancel->Owner(), &window);
    EXPECT_EQ(ok->parent, &window);
    EXPECT_EQ(box->parent, &window);
    EXPECT_EQ(cancel->parent, box);
}

TEST_F(LayoutLoaderTest, FieldsAreBoundByName) {
    Load(kWindow);
    EXPECT_EQ(window.fields.at(L"ok"), Button(L"ok"));
    EXPECT_EQ(window.fields.at(L"cancel"), Button(L"cancel"));
    EXPECT_EQ(window.fields.size(), 3u);
}

TEST_F(LayoutLoaderTest, EveryKindOfValueReachesItsProperty) {
    Load(kWindow);
    TTestButton* ok = Button(L"ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Caption(), L"&Disable");
    EXPECT_EQ(ok->Left(), -4);
    EXPECT_EQ(ok->Width(), 100);
    EXPECT_EQ(ok->Tag(), -128);
    EXPECT_FALSE(ok->Enabled());
    EXPECT_EQ(ok->Layout(), tlRight);
    EXPECT_EQ(ok->ratio, 0.5);
    EXPECT_EQ(ok->Font()->Name(), L"Segoe UI");
    EXPECT_EQ(ok->Font()->Style(), (1u << tsBold) | (1u << tsUnderline));
    EXPECT_EQ(ok->Notes()->Text(), L"first\r\ncaf\u00e9");
    EXPECT_EQ(ok->Picture()->data, (Bytes{0x89, 0x50, 0x4E, 0x47}));
}

TEST_F(LayoutLoaderTest, PropertiesAreSetWhileTheComponentIsLoading) {
    Load(kWindow);
    EXPECT_TRUE(Button(L"ok")->captionSetWhileLoading);
    EXPECT_FALSE(Button(L"ok")->IsLoading());
    EXPECT_FALSE(window.IsLoading());
}

TEST_F(LayoutLoaderTest, ReferencesResolveForwardAndBeforeAnyEndLoad) {
    Load(kWindow);
    EXPECT_EQ(Button(L"ok")->Buddy(), Button(L"cancel"));
    EXPECT_EQ(Button(L"cancel")->Buddy(), Button(L"ok"));
    // Components end loading in creation order, the root last, all references already set.
    EXPECT_EQ(LoadLog(), (std::vector<std::wstring>{L"ok buddy cancel", L"box", L"cancel buddy ok",
                                                    L"window"}));
}

TEST_F(LayoutLoaderTest, EventsAreBoundToTheRootsHandlersByName) {
    Load(kWindow);
    Raise(window.OnShow, &window);
    EXPECT_EQ(window.shows, 1);
    TTestButton* ok = Button(L"ok");
    Raise(ok->OnClick, ok);
    EXPECT_EQ(window.clicks, 1);
    EXPECT_EQ(window.lastSender, ok);
    EXPECT_FALSE(Button(L"cancel")->OnClick);
}

TEST_F(LayoutLoaderTest, LoadsTheSameFromTheBinaryForm) {
    LoadLayout(window, ReadLayoutBinary(WriteLayoutBinary(ReadLayoutText(kWindow, {}))), factory);
    EXPECT_EQ(Button(L"ok")->Caption(), L"&Disable");
    EXPECT_EQ(Button(L"cancel")->Buddy(), Button(L"ok"));
}

TEST_F(LayoutLoaderTest, LoadedNotesReplaceTheLinesThereWere) {
    auto* early = NewOwned<TTestButton>(window);
    early->SetName(L"early");
    early->Notes()->SetLines({L"old", L"older"});
    LoadLayout(*early, ReadLayoutText(L"object TTestButton\n Notes.Strings = ('new')\nend", {}),
               factory);
    EXPECT_EQ(early->Notes()->Lines(), StringList{L"new"});
}

TEST_F(LayoutLoaderTest, AnUnknownHandlerIsAReadErrorNamingIt) {
    EXPECT_EQ(ErrorOf(L"object TTestWindow\n  object b: TTestButton\n    OnClick = Nowhere\n"
                      L"  end\nend"),
              L"Error reading b.OnClick: Event handler 'Nowhere' not found");
}

TEST_F(LayoutLoaderTest, AnUnknownPropertyIsAReadErrorNamingIt) {
    EXPECT_EQ(ErrorOf(L"object TTestWindow\n  Colour = 5\nend"),
              L"Error reading TTestWindow.Colour: Property 'Colour' does not exist");
    EXPECT_EQ(ErrorOf(L"object TTestWindow\n  Font.Size = 5\nend"),
              L"Error reading TTestWindow.Font.Size: Property 'Font.Size' does not exist");
}

TEST_F(LayoutLoaderTest, AnUnknownClassIsAReadErrorNamingIt) {
    EXPECT_EQ(ErrorOf(L"object TTestWindow\n  object x: TNoSuchThing\n  end\nend"),
              L"Class 'TNoSuchThing' not found");
}

TEST_F(LayoutLoaderTest, ALayoutForAnotherClassIsAReadError) {
    EXPECT_EQ(ErrorOf(L"object TOtherWindow\nend"),
              L"The layout is for class 'TOtherWindow', not for 'TTestWindow'");
    EXPECT_THROW(Load(L"object TOtherWindow\n  Caption = 'x'\nend"), EReadError);
    EXPECT_FALSE(window.IsLoading());
    EXPECT_EQ(window.Caption(), L"");
}

TEST_F(LayoutLoaderTest, ValuesOfTheWrongKindAreReadErrors) {
    const auto error = [&](const std::wstring& property) {
        return ErrorOf(L"object TTestWindow\n  object b: TTestButton\n    " + property +
                       L"\n  end\nend");
    };
    EXPECT_EQ(error(L"Width = 'wide'"),
              L"Error reading b.Width: Invalid property value for 'Width'");
    EXPECT_NE(error(L"Tag = 128"), L"");          // out of an 8-bit range
    EXPECT_NE(error(L"Width = 4294967296"), L""); // out of an int range
    EXPECT_NE(error(L"Layout = tlNowhere"), L"");
    EXPECT_NE(error(L"Layout = 2"), L"");
    EXPECT_NE(error(L"Enabled = 1"), L"");
    EXPECT_NE(error(L"Font.Style = [tsBold, tsShadow]"), L"");
    EXPECT_NE(error(L"Ratio = 1"), L"");
    EXPECT_NE(error(L"Notes.Strings = 'one'"), L"");
    EXPECT_NE(error(L"Picture.Data = 'bytes'"), L"");
    EXPECT_NE(error(L"OnClick = 'ButtonClick'"), L"");
}

TEST_F(LayoutLoaderTest, AnObjectTakesOnlyItsOwnProperties) {
    EXPECT_NE(ErrorOf(L"object TTestWindow\n  Font = 5\nend"), L"");
    EXPECT_NE(ErrorOf(L"object TTestWindow\n  Caption.Text = 'x'\nend"), L"");
}

TEST_F(LayoutLoaderTest, AMissingOrMistypedReferenceIsAReadError) {
    EXPECT_EQ(ErrorOf(L"object TTestWindow\n  object b: TTestButton\n    Buddy = ghost\n"
                      L"  end\nend"),
              L"Error reading b.Buddy: Component 'ghost' not found");
    EXPECT_EQ(ErrorOf(L"object TTestWindow\n  object p: TTestPanel\n  end\n"
                      L"  object b: TTestButton\n    Buddy = p\n  end\nend"),
              L"Error reading b.Buddy: Invalid property value for 'Buddy'");
}

TEST_F(LayoutLoaderTest, ADuplicateNameIsAReadError) {
    EXPECT_NE(ErrorOf(L"object TTestWindow\n  object b: TTestButton\n  end\n"
                      L"  object B: TTestPanel\n  end\nend"),
              L"");
}

TEST_F(LayoutLoaderTest, AFailureHalfWayLeavesWhatWasCreatedOwnedByTheRoot) {
    const int before = LiveComponents();
    {
        TTestWindow root;
        EXPECT_THROW(LoadLayout(root,
                                ReadLayoutText(L"object TTestWindow\n"
                                               L"  object a: TTestButton\n  end\n"
                                               L"  object b: TTestPanel\n  end\n"
                                               L"  object c: TTestButton\n    Width = 'x'\n"
                                               L"  end\n"
                                               L"  object d: TTestButton\n  end\nend",
                                               {}),
                                factory),
                     EReadError);
        EXPECT_EQ(root.Components().size(), 3u);
        EXPECT_EQ(LiveComponents(), before + 3);
    }
    EXPECT_EQ(LiveComponents(), before);
}

TEST_F(LayoutLoaderTest, AFactoryThatDoesNotGiveTheRootOwnershipIsRefusedWithoutALeak) {
    const int before = LiveComponents();
    factory.Register(L"TLoose",
                     [](TComponent*) -> TComponent* { return new TTestButton(nullptr); });
    EXPECT_NE(ErrorOf(L"object TTestWindow\n  object x: TLoose\n  end\nend"), L"");
    EXPECT_EQ(LiveComponents(), before);
}

TEST_F(LayoutLoaderTest, FactoryNamesAreCaseInsensitiveAndALaterRegistrationWins) {
    int made = 0;
    factory.Register(L"ttestpanel", [&](TComponent* owner) -> TComponent* {
        ++made;
        return new TTestPanel(owner);
    });
    Load(L"object TTestWindow\n  object p: TTestPanel\n  end\nend");
    EXPECT_EQ(made, 1);
}

// ---------------------------------------------------------------------------------------------
// Saving

TEST_F(LayoutLoaderTest, DefaultsAreNotWritten) {
    window.SetCaption(L"w");
    NewOwned<TTestButton>(window)->SetName(L"plain");
    const LayoutNode saved = SaveLayout(window);
    ASSERT_EQ(saved.children.size(), 1u);
    EXPECT_EQ(saved.children[0].className, L"TTestButton");
    EXPECT_EQ(saved.children[0].name, L"plain");
    EXPECT_TRUE(saved.children[0].properties.empty());
}

TEST_F(LayoutLoaderTest, PropertiesWithoutADefaultAreAlwaysWritten) {
    const LayoutNode saved = SaveLayout(window);
    EXPECT_EQ(saved.properties,
              (std::vector<std::pair<std::wstring, LayoutValue>>{
                  {L"Caption", std::wstring()}, {L"ClientHeight", std::int64_t{0}}}));
}

TEST_F(LayoutLoaderTest, AnObjectIsWrittenOnlyWhenItsStoredConditionHolds) {
    auto* b = NewOwned<TTestButton>(window);
    b->Font()->SetHeight(-20);
    EXPECT_EQ(SaveLayout(window).children[0].Find(L"Font.Height"), nullptr);
    b->SetParentFont(false);
    const LayoutNode saved = SaveLayout(window);
    ASSERT_NE(saved.children[0].Find(L"Font.Height"), nullptr);
    EXPECT_EQ(*saved.children[0].Find(L"Font.Height"), LayoutValue(std::int64_t{-20}));
    EXPECT_EQ(saved.children[0].Find(L"Font.Name"), nullptr);
}

TEST_F(LayoutLoaderTest, SavingWritesBackWhatWasLoaded) {
    Load(kWindow);
    // Saving is flat: the panel's button comes back as a child of the root.
    const std::wstring expected = Text({
        L"object main: TTestWindow",
        L"  Caption = 'Plaxor 1.2'",
        L"  ClientHeight = 232",
        L"  Font.Height = -13",
        L"  object ok: TTestButton",
        L"    Caption = '&Disable'",
        L"    Left = -4",
        L"    Width = 100",
        L"    Tag = -128",
        L"    Enabled = False",
        L"    Layout = tlRight",
        L"    Ratio = 0.5",
        L"    ParentFont = False",
        L"    Font.Name = 'Segoe UI'",
        L"    Font.Style = [tsBold, tsUnderline]",
        L"    Notes.Strings = (",
        L"      'first'",
        L"      'caf'#233)",
        L"    Picture.Data = {",
        L"      89504E47}",
        L"    Buddy = cancel",
        L"  end",
        L"  object box: TTestPanel",
        L"  end",
        L"  object cancel: TTestButton",
        L"    Buddy = ok",
        L"  end",
        L"end",
    });
    EXPECT_EQ(WriteLayoutText(SaveLayout(window)), expected);
}

TEST_F(LayoutLoaderTest, ASavedLayoutLoadsIntoANewRootAndSavesTheSame) {
    Load(kWindow);
    const LayoutNode saved = SaveLayout(window);
    TTestWindow copy;
    LoadLayout(copy, ReadLayoutBinary(WriteLayoutBinary(saved)), factory);
    EXPECT_EQ(SaveLayout(copy), saved);
}

TEST_F(LayoutLoaderTest, SmallComponentSavesToExactlyTheseBytes) {
    window.SetName(L"w");
    window.SetCaption(L"A");
    window.SetClientHeight(300);
    auto* b = NewOwned<TTestButton>(window);
    b->SetName(L"b");
    b->SetWidth(5);
    b->Picture()->data = {0xFF, 0xD8};
    const std::string windowClass = "TTestWindow", buttonClass = "TTestButton";
    Bytes expected = {'T', 'P', 'F', '0', 11};
    expected.insert(expected.end(), windowClass.begin(), windowClass.end());
    expected.insert(expected.end(), {1, 'w'});
    expected.insert(expected.end(), {7, 'C', 'a', 'p', 't', 'i', 'o', 'n', 6, 1, 'A'});
    expected.insert(expected.end(), {12, 'C', 'l', 'i', 'e', 'n', 't', 'H', 'e', 'i', 'g', 'h', 't',
                                     3, 0x2C, 0x01});
    expected.insert(expected.end(), {0, 11});
    expected.insert(expected.end(), buttonClass.begin(), buttonClass.end());
    expected.insert(expected.end(), {1, 'b'});
    expected.insert(expected.end(), {5, 'W', 'i', 'd', 't', 'h', 2, 5});
    expected.insert(expected.end(), {12,  'P', 'i', 'c', 't', 'u', 'r', 'e', '.',  'D',
                                     'a', 't', 'a', 10,  2,   0,   0,   0,   0xFF, 0xD8});
    expected.insert(expected.end(), {0, 0, 0});
    EXPECT_EQ(WriteLayoutBinary(SaveLayout(window)), expected);
}

} // namespace
} // namespace plaxor
