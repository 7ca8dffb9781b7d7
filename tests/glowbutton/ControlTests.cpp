// The glow button as an object: its values after construction, copying, clicking, the version,
// its messages, which setters repaint, style presets, references to other components and layout
// streaming.
#include "ButtonTestSupport.h"
#include "framework/LayoutLoader.h"
#include "framework/LayoutText.h"
#include "framework/ImageList.h"
#include "framework/PopupMenu.h"
#include "tests/support/LayoutWriter.h"
#include <algorithm>
#include <set>

namespace plaxor::testing {
namespace {

constexpr TModalResult kModalOk = 1;

// ---- construction ----

TEST(GlowButtonConstruction, SizeAndFontAndFocus) {
    TAdvGlowButton b(nullptr);
    EXPECT_EQ(b.Width(), 100);
    EXPECT_EQ(b.Height(), 41);
    EXPECT_TRUE(b.ParentFont());
    EXPECT_FALSE(b.TabStop());
    EXPECT_TRUE(b.DoubleBuffered());
}

TEST(GlowButtonConstruction, ContentDefaults) {
    TAdvGlowButton b(nullptr);
    EXPECT_EQ(b.ImageIndex(), -1);
    EXPECT_EQ(b.Spacing(), 2);
    EXPECT_EQ(b.MarginHorz(), 1);
    EXPECT_EQ(b.MarginVert(), 1);
    EXPECT_TRUE(b.Rounded());
    EXPECT_TRUE(b.WordWrap());
    EXPECT_EQ(b.AntiAlias(), aaClearType);
    EXPECT_EQ(b.BorderStyle(), bsSingle);
    EXPECT_EQ(b.Trimming(), StringTrimmingNone);
    EXPECT_TRUE(b.ShowCaption());
    EXPECT_TRUE(b.ShowDisabled());
    EXPECT_EQ(b.FocusType(), ftBorder);
    EXPECT_EQ(b.ShortCutHintPos(), shpTop);
    EXPECT_EQ(b.Position(), bpStandalone);
}

TEST(GlowButtonConstruction, BehaviourDefaults) {
    TAdvGlowButton b(nullptr);
    EXPECT_EQ(b.InitRepeatPause(), 400);
    EXPECT_EQ(b.RepeatPause(), 100);
    EXPECT_FALSE(b.RepeatClick());
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(b.GroupIndex(), 0);
    EXPECT_EQ(b.Style(), bsButton);
    EXPECT_EQ(b.MaxButtonSizeState(), bsLarge);
    EXPECT_EQ(b.MinButtonSizeState(), bsGlyph);
    EXPECT_TRUE(b.DropDownSplit());
    EXPECT_EQ(b.DropDownPosition(), dpRight);
    EXPECT_EQ(b.ModalResult(), 0);
}

TEST(GlowButtonConstruction, NotesFontIsTahomaEight) {
    TAdvGlowButton b(nullptr);
    EXPECT_EQ(b.NotesFont()->Name(), L"Tahoma");
    EXPECT_EQ(b.NotesFont()->Size(), 8);
}

TEST(GlowButtonConstruction, PrivateStateStartsAtRest) {
    TAdvGlowButton b(nullptr);
    EXPECT_EQ(b.Snapshot().buttonState, stateUp);
    EXPECT_EQ(b.Snapshot().buttonSizeState, bsLarge);
    EXPECT_TRUE(b.Snapshot().sizeDirty);
    EXPECT_EQ(b.Snapshot().fadeTimer, nullptr);
    EXPECT_EQ(b.Snapshot().repeatTimer, nullptr);
}

TEST(GlowButtonConstruction, VersionReadsOnePointEight) {
    TAdvGlowButton b(nullptr);
    EXPECT_EQ(b.Version(), L"1.8.4.3");
}

TEST(GlowButtonConstruction, AppearanceIsOwnedAndTakesCopies) {
    TAdvGlowButton b(nullptr);
    TGlowButtonAppearance* own = b.Appearance();
    TGlowButtonAppearance other;
    other.SetColorHot(0x123456);
    b.SetAppearance(&other);
    EXPECT_EQ(b.Appearance(), own);
    EXPECT_EQ(b.Appearance()->ColorHot(), 0x123456u);
}

// ---- copying ----

class GlowButtonCopy : public ::testing::Test {
protected:
    void SetUp() override {
        source.SetAntiAlias(aaAntiAlias);
        source.SetCaption(L"&Copy");
        source.SetCancel(true);
        source.SetDefault(true);
        source.Font()->SetName(L"Arial");
        source.SetImageIndex(3);
        source.SetMarginVert(4);
        source.SetMarginHorz(5);
        source.SetModalResult(7);
        source.Notes()->Add(L"first note");
        source.NotesFont()->SetSize(11);
        source.OfficeHint()->SetTitle(L"hint title");
        source.SetPosition(bpMiddle);
        source.SetInitRepeatPause(250);
        source.SetRepeatPause(60);
        source.SetRepeatClick(true);
        source.SetRounded(false);
        source.SetShortCutHint(L"C");
        source.SetShortCutHintPos(shpBottom);
        source.SetShowCaption(false);
        source.SetSpacing(6);
        source.SetTransparent(true);
        source.SetTrimming(StringTrimmingWord);
        source.SetWordWrap(false);
        source.SetTabStop(true);
        source.SetTabOrder(4);
        source.SetShowHint(true);
        source.SetFocusType(ftHot);
        // Not copied:
        source.Appearance()->SetColor(0x010203);
        source.SetGroupIndex(2);
        source.SetDown(true);
        source.SetEnabled(false);
        source.SetLayout(blGlyphTop);
        source.SetStyle(bsCheck);
        source.SetAllowAllUp(true);
        source.SetDropDownButton(true);
        source.SetMaxButtonSizeState(bsLabel);
        source.OnClick = [](TObject*) {};
    }
    TAdvGlowButton source{nullptr};
    TAdvGlowButton target{nullptr};
};

TEST_F(GlowButtonCopy, CopiesTheListedValues) {
    target.CopyFrom(&source);
    EXPECT_EQ(target.AntiAlias(), aaAntiAlias);
    EXPECT_EQ(target.Caption(), L"&Copy");
    EXPECT_TRUE(target.Cancel());
    EXPECT_TRUE(target.Default());
    EXPECT_EQ(target.Font()->Name(), L"Arial");
    EXPECT_FALSE(target.ParentFont());
    EXPECT_EQ(target.ImageIndex(), 3);
    EXPECT_EQ(target.MarginVert(), 4);
    EXPECT_EQ(target.MarginHorz(), 5);
    EXPECT_EQ(target.ModalResult(), 7);
    EXPECT_EQ(target.Notes()->Text(), L"first note");
    EXPECT_EQ(target.NotesFont()->Size(), 11);
    EXPECT_EQ(target.OfficeHint()->Title(), L"hint title");
    EXPECT_EQ(target.Position(), bpMiddle);
    EXPECT_EQ(target.InitRepeatPause(), 250);
    EXPECT_EQ(target.RepeatPause(), 60);
    EXPECT_TRUE(target.RepeatClick());
    EXPECT_FALSE(target.Rounded());
    EXPECT_EQ(target.ShortCutHint(), L"C");
    EXPECT_EQ(target.ShortCutHintPos(), shpBottom);
    EXPECT_FALSE(target.ShowCaption());
    EXPECT_EQ(target.Spacing(), 6);
    EXPECT_TRUE(target.Transparent());
    EXPECT_EQ(target.Trimming(), StringTrimmingWord);
    EXPECT_FALSE(target.WordWrap());
    EXPECT_TRUE(target.TabStop());
    EXPECT_EQ(target.TabOrder(), 4);
    EXPECT_TRUE(target.ShowHint());
    EXPECT_EQ(target.FocusType(), ftHot);
}

TEST_F(GlowButtonCopy, LeavesAppearanceStateGroupAndEventsAlone) {
    target.CopyFrom(&source);
    EXPECT_EQ(target.Appearance()->Color(), clWhite);
    EXPECT_FALSE(target.Down());
    EXPECT_TRUE(target.Enabled());
    EXPECT_EQ(target.GroupIndex(), 0);
    EXPECT_EQ(target.Layout(), blGlyphLeft);
    EXPECT_EQ(target.Style(), bsButton);
    EXPECT_FALSE(target.AllowAllUp());
    EXPECT_FALSE(target.DropDownButton());
    EXPECT_EQ(target.MaxButtonSizeState(), bsLarge);
    EXPECT_FALSE(target.OnClick);
}

TEST_F(GlowButtonCopy, ParentFontOfTheSourceWinsOverItsFontContent) {
    source.SetParentFont(true);
    target.CopyFrom(&source);
    EXPECT_TRUE(target.ParentFont());
}

TEST_F(GlowButtonCopy, AnythingElseIsIgnoredWithoutError) {
    TFont font;
    font.SetName(L"Arial");
    target.SetSpacing(9);
    EXPECT_NO_THROW(target.CopyFrom(&font));
    EXPECT_NO_THROW(target.CopyFrom(nullptr));
    EXPECT_EQ(target.Spacing(), 9);
    EXPECT_EQ(target.Font()->Name(), L"Tahoma");
}

// ---- clicking ----

TEST(GlowButtonClick, PerformClickSetsTheFormsModalResultBeforeOnClick) {
    TForm form(nullptr);
    auto* b = new TAdvGlowButton(&form);
    b->SetParent(&form);
    b->SetModalResult(kModalOk);
    TModalResult seen = -1;
    b->OnClick = [&](TObject*) { seen = form.ModalResult(); };
    b->PerformClick();
    EXPECT_EQ(seen, kModalOk);
    EXPECT_EQ(form.ModalResult(), kModalOk);
}

TEST(GlowButtonClick, PerformClickSetsZeroToo) {
    TForm form(nullptr);
    auto* b = new TAdvGlowButton(&form);
    b->SetParent(&form);
    form.SetModalResult(3);
    b->PerformClick();
    EXPECT_EQ(form.ModalResult(), 0);
}

TEST(GlowButtonClick, PerformClickWithoutAFormStillClicks) {
    TAdvGlowButton b(nullptr);
    int clicks = 0;
    b.OnClick = [&](TObject*) { ++clicks; };
    b.PerformClick();
    EXPECT_EQ(clicks, 1);
}

// ---- messages and repaint requests ----

class GlowButtonMessages : public ButtonFormTest {};

TEST_F(GlowButtonMessages, ReflectedButtonClickedNotificationClicks) {
    auto* b = NewButton();
    b->SetModalResult(2);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Send(*form, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(b->Handle()));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), 2);
}

TEST_F(GlowButtonMessages, OtherNotificationsDoNotClick) {
    auto* b = NewButton();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Send(*form, WM_COMMAND, MAKEWPARAM(0, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(b->Handle()));
    EXPECT_EQ(clicks, 0);
}

TEST_F(GlowButtonMessages, EraseBackgroundAnswersOneAndLeavesThePixels) {
    auto* b = NewButton();
    UniqueHDC dc(::CreateCompatibleDC(nullptr));
    UniqueHBITMAP bitmap(::CreateBitmap(4, 4, 1, 32, nullptr));
    SelectGuard select(dc.get(), bitmap.get());
    ::SetPixel(dc.get(), 1, 1, RGB(1, 2, 3));
    EXPECT_EQ(Send(*b, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get())), 1);
    EXPECT_EQ(::GetPixel(dc.get(), 1, 1), RGB(1, 2, 3));
}

TEST_F(GlowButtonMessages, WindowTextFollowsTheCaption) {
    auto* b = NewButton();
    b->SetCaption(L"&Disable");
    wchar_t text[32] = {};
    ::GetWindowTextW(b->Handle(), text, 32);
    EXPECT_EQ(std::wstring(text), L"&Disable");
}

TEST_F(GlowButtonMessages, CaptionAndEnabledChangesRepaint) {
    auto* b = NewButton();
    TakeInvalidation(*b);
    b->SetCaption(L"other");
    EXPECT_TRUE(TakeInvalidation(*b));
    b->SetEnabled(false);
    EXPECT_TRUE(TakeInvalidation(*b));
}

TEST_F(GlowButtonMessages, SettersThatRepaintInvalidate) {
    auto* b = NewButton();
    TStringList lines;
    lines.Add(L"note");
    TFont font;
    font.SetSize(12);
    const std::vector<std::pair<const char*, std::function<void()>>> setters = {
        {"AntiAlias", [&] { b->SetAntiAlias(aaNone); }},
        {"BorderStyle", [&] { b->SetBorderStyle(bsNone); }},
        {"ImageIndex", [&] { b->SetImageIndex(2); }},
        {"MarginHorz", [&] { b->SetMarginHorz(3); }},
        {"MarginVert", [&] { b->SetMarginVert(3); }},
        {"Notes", [&] { b->SetNotes(&lines); }},
        {"NotesFont", [&] { b->SetNotesFont(&font); }},
        {"Position", [&] { b->SetPosition(bpLeft); }},
        {"Rounded", [&] { b->SetRounded(false); }},
        {"ShowCaption", [&] { b->SetShowCaption(false); }},
        {"ShowDisabled", [&] { b->SetShowDisabled(false); }},
        {"Spacing", [&] { b->SetSpacing(7); }},
        {"Trimming", [&] { b->SetTrimming(StringTrimmingCharacter); }},
        {"WordWrap", [&] { b->SetWordWrap(false); }},
        {"Layout", [&] { b->SetLayout(blGlyphRight); }},
        {"DropDownButton", [&] { b->SetDropDownButton(true); }},
        {"DropDownDirection", [&] { b->SetDropDownDirection(ddRight); }},
        {"Appearance", [&] { b->Appearance()->SetColorHot(0x010101); }},
        {"Notes lines", [&] { b->Notes()->Add(L"more"); }},
    };
    for (const auto& [name, set] : setters) {
        SCOPED_TRACE(name);
        TakeInvalidation(*b);
        set();
        EXPECT_TRUE(TakeInvalidation(*b));
    }
}

TEST_F(GlowButtonMessages, SettersThatOnlyStoreDoNotRepaint) {
    auto* b = NewButton();
    const std::vector<std::pair<const char*, std::function<void()>>> setters = {
        {"Cancel", [&] { b->SetCancel(true); }},
        {"Default", [&] { b->SetDefault(true); }},
        {"FocusType", [&] { b->SetFocusType(ftNone); }},
        {"ModalResult", [&] { b->SetModalResult(1); }},
        {"RepeatClick", [&] { b->SetRepeatClick(true); }},
        {"Style", [&] { b->SetStyle(bsCheck); }},
        {"Transparent", [&] { b->SetTransparent(true); }},
        {"ShortCutHint", [&] { b->SetShortCutHint(L"X"); }},
        {"Spacing unchanged", [&] { b->SetSpacing(b->Spacing()); }},
    };
    for (const auto& [name, set] : setters) {
        SCOPED_TRACE(name);
        TakeInvalidation(*b);
        set();
        EXPECT_FALSE(TakeInvalidation(*b));
    }
}

// The button invalidates after every preset, also one that changes nothing.
class GlowButtonPresets : public ButtonFormTest,
                          public ::testing::WithParamInterface<std::uint8_t> {};

TEST_P(GlowButtonPresets, PresetRepaintsTheButton) {
    auto* b = NewButton();
    TakeInvalidation(*b);
    IStylePreset& style = *b;
    style.ApplyStylePreset(GetParam());
    EXPECT_TRUE(TakeInvalidation(*b));
}

INSTANTIATE_TEST_SUITE_P(Presets, GlowButtonPresets, ::testing::Values(0, 4, 6, 8, 10));

TEST(GlowButtonPresetValues, PresetsReachTheButtonsOwnAppearance) {
    TAdvGlowButton b(nullptr);
    b.ApplyStylePreset(0);
    EXPECT_EQ(b.Appearance()->BorderColorChecked(), clBlue);
    b.ApplyStylePreset(4);
    EXPECT_EQ(b.Appearance()->BorderColorChecked(), 0x45667Bu);
    b.ApplyStylePreset(6);
    EXPECT_EQ(b.Appearance()->BorderColorHot(), clHighlight);
}

TEST(GlowButtonPresetValues, EightAndTenChangeNoValue) {
    TAdvGlowButton b(nullptr);
    int changes = 0;
    b.Appearance()->onChange = [&](TObject*) { ++changes; };
    b.ApplyStylePreset(8);
    b.ApplyStylePreset(10);
    EXPECT_EQ(changes, 0);
}

// ---- references to other components ----

TEST(GlowButtonRemoval, FreedListsAndMenusAreForgottenWhoeverOwnsThem) {
    TForm form(nullptr);
    auto* b = new TAdvGlowButton(&form);
    auto* images = new TImageList(&form);
    auto* menu = new TPopupMenu(&form);
    b->SetImages(images);
    b->SetDropDownMenu(menu);
    {
        // A data-module style owner, freed while the button lives on.
        TComponent module(nullptr);
        auto* disabled = new TImageList(&module);
        auto* popup = new TPopupMenu(&module);
        b->SetDisabledImages(disabled);
        b->SetHotImages(disabled);
        b->SetPopupMenu(popup);
    }
    EXPECT_EQ(b->DisabledImages(), nullptr);
    EXPECT_EQ(b->HotImages(), nullptr);
    EXPECT_EQ(b->PopupMenu(), nullptr);
    EXPECT_EQ(b->Images(), images);
    delete images;
    delete menu;
    EXPECT_EQ(b->Images(), nullptr);
    EXPECT_EQ(b->DropDownMenu(), nullptr);
}

TEST(GlowButtonRemoval, AnotherComponentLeavesTheMenuInPlace) {
    TForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    auto* other = new TPopupMenu(&form);
    auto* b = new TAdvGlowButton(&form);
    b->SetDropDownMenu(menu);
    delete other;
    EXPECT_EQ(b->DropDownMenu(), menu);
}

// ---- layout streaming ----

const LayoutNode& ButtonNode(const LayoutNode& root) {
    auto it = std::find_if(root.children.begin(), root.children.end(),
                           [](const LayoutNode& n) { return n.className == L"TAdvGlowButton"; });
    if (it == root.children.end()) throw std::runtime_error("no button in the layout");
    return *it;
}

std::set<std::wstring> Names(const LayoutNode& node, bool appearance) {
    std::set<std::wstring> names;
    for (const auto& [name, value] : node.properties)
        if ((name.rfind(L"Appearance.", 0) == 0) == appearance) names.insert(name);
    return names;
}

class GlowButtonLayout : public ::testing::Test {
protected:
    void SetUp() override {
        factory.Register<TAdvGlowButton>(L"TAdvGlowButton");
        factory.Register<TPopupMenu>(L"TPopupMenu");
    }
    TAdvGlowButton* AddButton(TForm& form) {
        auto* b = new TAdvGlowButton(&form);
        b->SetName(L"btn");
        b->SetParent(&form);
        return b;
    }
    // Writes the form as layout text and loads that into a new form.
    TAdvGlowButton* RoundTrip(const TForm& form) {
        const std::wstring text = WriteLayoutText(SaveLayout(form));
        LoadLayout(loaded, ReadLayoutText(text, {}), factory);
        return dynamic_cast<TAdvGlowButton*>(loaded.FindComponent(L"btn"));
    }
    TAdvGlowButton* Load(const std::wstring& text) {
        LoadLayout(loaded, ReadLayoutText(text, {}), factory);
        return dynamic_cast<TAdvGlowButton*>(loaded.FindComponent(L"btn"));
    }
    ComponentFactory factory;
    TForm loaded{nullptr};
};

TEST_F(GlowButtonLayout, DefaultButtonStoresExactlyTheSixteenAppearanceColours) {
    TForm form(nullptr);
    AddButton(form);
    const std::set<std::wstring> expected = {L"Appearance.ColorChecked",
                                             L"Appearance.ColorCheckedTo",
                                             L"Appearance.ColorDisabled",
                                             L"Appearance.ColorDisabledTo",
                                             L"Appearance.ColorDown",
                                             L"Appearance.ColorDownTo",
                                             L"Appearance.ColorHot",
                                             L"Appearance.ColorHotTo",
                                             L"Appearance.ColorMirrorHot",
                                             L"Appearance.ColorMirrorHotTo",
                                             L"Appearance.ColorMirrorDown",
                                             L"Appearance.ColorMirrorDownTo",
                                             L"Appearance.ColorMirrorChecked",
                                             L"Appearance.ColorMirrorCheckedTo",
                                             L"Appearance.ColorMirrorDisabled",
                                             L"Appearance.ColorMirrorDisabledTo"};
    // Through the text the writer makes, as a layout file holds it.
    const LayoutNode written = ReadLayoutText(WriteLayoutText(SaveLayout(form)), {});
    EXPECT_EQ(Names(ButtonNode(written), true), expected);
}

TEST_F(GlowButtonLayout, DefaultButtonStoresNothingElseOfItsOwnButTheNotesFont) {
    TForm form(nullptr);
    AddButton(form);
    // A font always stores its five values, as the main window's layout shows them.
    const std::set<std::wstring> expected = {L"Left",
                                             L"Top",
                                             L"Width",
                                             L"Height",
                                             L"TabOrder",
                                             L"NotesFont.Charset",
                                             L"NotesFont.Color",
                                             L"NotesFont.Height",
                                             L"NotesFont.Name",
                                             L"NotesFont.Style"};
    EXPECT_EQ(Names(ButtonNode(SaveLayout(form)), false), expected);
}

TEST_F(GlowButtonLayout, FontIsStoredOnlyWithoutParentFont) {
    TForm form(nullptr);
    TAdvGlowButton* b = AddButton(form);
    EXPECT_EQ(ButtonNode(SaveLayout(form)).Find(L"Font.Name"), nullptr);
    b->Font()->SetName(L"Arial");
    const LayoutValue* name = ButtonNode(SaveLayout(form)).Find(L"Font.Name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(std::get<std::wstring>(*name), L"Arial");
}

TEST_F(GlowButtonLayout, ChangedValuesComeBack) {
    TForm form(nullptr);
    TAdvGlowButton* b = AddButton(form);
    b->SetCaption(L"&Enable");
    b->SetSpacing(5);
    b->SetAntiAlias(aaNone);
    b->SetRounded(false);
    b->SetTrimming(StringTrimmingEllipsisWord);
    b->SetInitRepeatPause(300);
    b->Notes()->Add(L"line one");
    b->NotesFont()->SetSize(10);
    b->Appearance()->SetColorHot(0x00ABCDEF);
    b->SetDropDownPosition(dpBottom);
    b->SetTabStop(true);
    b->SetMaxButtonSizeState(bsLabel);
    TAdvGlowButton* back = RoundTrip(form);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Caption(), L"&Enable");
    EXPECT_EQ(back->Spacing(), 5);
    EXPECT_EQ(back->AntiAlias(), aaNone);
    EXPECT_FALSE(back->Rounded());
    EXPECT_EQ(back->Trimming(), StringTrimmingEllipsisWord);
    EXPECT_EQ(back->InitRepeatPause(), 300);
    EXPECT_EQ(back->Notes()->Text(), L"line one");
    EXPECT_EQ(back->NotesFont()->Size(), 10);
    EXPECT_EQ(back->Appearance()->ColorHot(), 0x00ABCDEFu);
    EXPECT_EQ(back->DropDownPosition(), dpBottom);
    EXPECT_TRUE(back->TabStop());
    EXPECT_EQ(back->MaxButtonSizeState(), bsLabel);
}

TEST_F(GlowButtonLayout, DownOfAGroupedButtonSurvivesBeingReadBeforeItsGroup) {
    TForm form(nullptr);
    TAdvGlowButton* b = AddButton(form);
    b->SetGroupIndex(3);
    b->SetDown(true);
    TAdvGlowButton* back = RoundTrip(form);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->Down());
    EXPECT_EQ(back->GroupIndex(), 3);
}

TEST_F(GlowButtonLayout, DownOfAPlainButtonStaysUpAfterLoading) {
    TAdvGlowButton* b =
        Load(L"object F: TForm\n object btn: TAdvGlowButton\n  Down = True\n end\nend");
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->Down());
}

TEST_F(GlowButtonLayout, VersionIsReadAndIgnoredAndNeverWritten) {
    TAdvGlowButton* b =
        Load(L"object F: TForm\n object btn: TAdvGlowButton\n  Version = '0.0.0.1'\n end\nend");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Version(), L"1.8.4.3");
    EXPECT_EQ(ButtonNode(SaveLayout(loaded)).Find(L"Version"), nullptr);
}

TEST_F(GlowButtonLayout, ImageListsAreStoredByName) {
    factory.Register<TImageList>(L"TImageList");
    TForm form(nullptr);
    auto* images = new TImageList(&form);
    images->SetName(L"images");
    auto* hot = new TImageList(&form);
    hot->SetName(L"hot");
    TAdvGlowButton* b = AddButton(form);
    b->SetImages(images);
    b->SetDisabledImages(images);
    b->SetHotImages(hot);
    TAdvGlowButton* back = RoundTrip(form);
    ASSERT_NE(back, nullptr);
    ASSERT_NE(loaded.FindComponent(L"images"), nullptr);
    EXPECT_EQ(back->Images(), loaded.FindComponent(L"images"));
    EXPECT_EQ(back->DisabledImages(), loaded.FindComponent(L"images"));
    EXPECT_EQ(back->HotImages(), loaded.FindComponent(L"hot"));
}

TEST_F(GlowButtonLayout, DropDownMenuIsStoredByName) {
    TForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    menu->SetName(L"menu");
    TAdvGlowButton* b = AddButton(form);
    b->SetDropDownMenu(menu);
    TAdvGlowButton* back = RoundTrip(form);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->DropDownMenu(), loaded.FindComponent(L"menu"));
    EXPECT_NE(back->DropDownMenu(), nullptr);
}

// A window whose layout names handlers for the button's own events.
class HandlerRoot : public TForm, public ILayoutRoot {
public:
    HandlerRoot() : TForm(nullptr) {}
    std::wstring ClassName() const override { return L"THandlerRoot"; }
    TNotifyEvent FindEventHandler(const std::wstring& name) override {
        return [this, name](TObject*) { calls.push_back(name); };
    }
    void BindField(const std::wstring&, TComponent*) override {}
    std::vector<std::wstring> calls;
};

TEST_F(GlowButtonLayout, EnterLeaveAndDropDownHandlersAreBoundByName) {
    HandlerRoot root;
    LoadLayout(root,
               ReadLayoutText(L"object R: THandlerRoot\n object btn: TAdvGlowButton\n"
                              L"  OnMouseEnter = Entered\n  OnMouseLeave = Left\n"
                              L"  OnDropDown = Dropped\n end\nend",
                              {}),
               factory);
    auto* b = dynamic_cast<TAdvGlowButton*>(root.FindComponent(L"btn"));
    ASSERT_NE(b, nullptr);
    b->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(b));
    b->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(b));
    b->OnDropDown(b);
    EXPECT_EQ(root.calls, (std::vector<std::wstring>{L"Entered", L"Left", L"Dropped"}));
}

} // namespace
} // namespace plaxor::testing
