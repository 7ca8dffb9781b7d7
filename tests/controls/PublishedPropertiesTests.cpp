// What the layouts store of forms and controls, and how stored values come back.
#include "ControlsTestSupport.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpeedButton.h"
#include "framework/Timer.h"
#include "tests/framework/LayoutTestContext.h"

namespace plaxor::testing {
namespace {

using test::LoadProperty;
using test::SaveProperty;

using PublishedTest = WindowTest;

TEST_F(PublishedTest, FormStoresItsClientSizeNotItsWindowSize) {
    TForm form(app);
    LoadProperty(form, L"ClientWidth", LayoutValue(std::int64_t{409}));
    LoadProperty(form, L"ClientHeight", LayoutValue(std::int64_t{232}));
    EXPECT_EQ(SaveProperty(form, L"ClientWidth"), LayoutValue(std::int64_t{409}));
    EXPECT_EQ(SaveProperty(form, L"Width"), std::nullopt);
    EXPECT_EQ(SaveProperty(form, L"Height"), std::nullopt);
}

TEST_F(PublishedTest, FormEnumerationsGoByTheirNames) {
    TForm form(app);
    LoadProperty(form, L"BorderStyle", LayoutValue(Ident{L"bsSingle"}));
    LoadProperty(form, L"Position", LayoutValue(Ident{L"poScreenCenter"}));
    EXPECT_EQ(form.BorderStyle(), bsSingle);
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(SaveProperty(form, L"BorderStyle"), LayoutValue(Ident{L"bsSingle"}));
    EXPECT_EQ(SaveProperty(form, L"Position"), LayoutValue(Ident{L"poScreenCenter"}));
}

TEST_F(PublishedTest, UnknownEnumerationNameIsAReadError) {
    TForm form(app);
    EXPECT_THROW(LoadProperty(form, L"BorderStyle", LayoutValue(Ident{L"bsWobbly"})), EReadError);
    EXPECT_EQ(form.BorderStyle(), bsSizeable);
}

TEST_F(PublishedTest, FormDefaultsAreNotStored) {
    TForm form(app);
    EXPECT_EQ(SaveProperty(form, L"Color"), std::nullopt);
    EXPECT_EQ(SaveProperty(form, L"Visible"), std::nullopt);
    EXPECT_EQ(SaveProperty(form, L"PixelsPerInch"), std::nullopt);
    EXPECT_EQ(SaveProperty(form, L"TextHeight"), std::nullopt);
    EXPECT_EQ(SaveProperty(form, L"BorderIcons"), std::nullopt);
}

TEST_F(PublishedTest, FormColourIsStoredByName) {
    TForm form(app);
    LoadProperty(form, L"Color", LayoutValue(Ident{L"clWhite"}));
    EXPECT_EQ(form.Color(), clWhite);
    EXPECT_EQ(SaveProperty(form, L"Color"), LayoutValue(Ident{L"clWhite"}));
}

TEST_F(PublishedTest, ControlColourIsStoredOnlyWhenItIsItsOwn) {
    TForm form(app);
    TLabel label(&form);
    label.SetParent(&form);
    const PropertyInfo* color = label.Published().Find(L"Color");
    ASSERT_NE(color, nullptr);
    EXPECT_FALSE(color->stored(label));
    label.SetColor(clRed);
    EXPECT_TRUE(color->stored(label));
}

TEST_F(PublishedTest, FontIsStoredOnlyWithoutParentFont) {
    TForm form(app);
    ProbeControl probe(&form);
    const PropertyInfo* font = probe.Published().Find(L"Font");
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->stored(probe));
    probe.Font()->SetHeight(-20);
    EXPECT_TRUE(font->stored(probe));
}

TEST_F(PublishedTest, ShowHintIsStoredOnlyWithoutParentShowHint) {
    TForm form(app);
    TImage image(&form);
    const PropertyInfo* showHint = image.Published().Find(L"ShowHint");
    ASSERT_NE(showHint, nullptr);
    EXPECT_FALSE(showHint->stored(image));
    LoadProperty(image, L"ShowHint", LayoutValue(true));
    EXPECT_FALSE(image.ParentShowHint());
    EXPECT_TRUE(showHint->stored(image));
}

TEST_F(PublishedTest, ControlsPublishTheirLayoutProperties) {
    TForm form(app);
    TLabel label(&form);
    TImage image(&form);
    TSpeedButton button(&form);
    ProbeControl probe(&form);
    TTimer timer(&form);
    for (const wchar_t* name : {L"Left", L"Top", L"Width", L"Height", L"Caption", L"Enabled",
                                L"Visible", L"Font", L"ParentFont", L"Hint", L"ShowHint",
                                L"ParentShowHint", L"OnClick", L"Anchors", L"Constraints"})
        EXPECT_NE(label.Published().Find(name), nullptr) << name;
    EXPECT_NE(label.Published().Find(L"Alignment"), nullptr);
    EXPECT_NE(label.Published().Find(L"AutoSize"), nullptr);
    EXPECT_NE(image.Published().Find(L"Picture"), nullptr);
    EXPECT_NE(image.Published().Find(L"Center"), nullptr);
    EXPECT_NE(button.Published().Find(L"Glyph"), nullptr);
    EXPECT_NE(button.Published().Find(L"NumGlyphs"), nullptr);
    EXPECT_NE(button.Published().Find(L"Flat"), nullptr);
    EXPECT_NE(probe.Published().Find(L"TabOrder"), nullptr);
    EXPECT_NE(probe.Published().Find(L"TabStop"), nullptr);
    EXPECT_NE(timer.Published().Find(L"Interval"), nullptr);
    EXPECT_EQ(label.Published().Find(L"TabOrder"), nullptr);
}

TEST_F(PublishedTest, LabelAlignmentAndAutoSizeComeBack) {
    TForm form(app);
    TLabel label(&form);
    LoadProperty(label, L"Alignment", LayoutValue(Ident{L"taCenter"}));
    LoadProperty(label, L"AutoSize", LayoutValue(false));
    EXPECT_EQ(label.Alignment(), taCenter);
    EXPECT_FALSE(label.AutoSize());
    EXPECT_EQ(SaveProperty(label, L"Alignment"), LayoutValue(Ident{L"taCenter"}));
    EXPECT_EQ(SaveProperty(label, L"AutoSize"), LayoutValue(false));
}

TEST_F(PublishedTest, AnchorsAreASet) {
    TForm form(app);
    TLabel label(&form);
    EXPECT_EQ(SaveProperty(label, L"Anchors"), std::nullopt);
    LoadProperty(label, L"Anchors", LayoutValue(SetValue{{L"akRight", L"akBottom"}}));
    EXPECT_EQ(label.Anchors(), (TAnchors{akRight, akBottom}));
}

TEST_F(PublishedTest, EventsAreBoundByTheLayoutsHandlers) {
    TForm form(app);
    const PropertyInfo* onShow = form.Published().Find(L"OnShow");
    ASSERT_NE(onShow, nullptr);
    EXPECT_EQ(onShow->save(form), std::nullopt);
    EXPECT_THROW(LoadProperty(form, L"OnShow", LayoutValue(Ident{L"FormShow"})), EReadError);
}

TEST_F(PublishedTest, OutOfRangeIntegerIsAReadError) {
    TTimer timer(nullptr);
    EXPECT_THROW(LoadProperty(timer, L"Interval", LayoutValue(std::int64_t{-1})), EReadError);
    EXPECT_EQ(timer.Interval(), 1000u);
}

} // namespace
} // namespace plaxor::testing
