// The main window as its layout makes it: frame, size, colour and font, every control with its
// class, place and settings, the glow buttons' colours, tab stops, tooltips and painting.
#include "ProgramTestSupport.h"
#include "framework/Bitmap.h"
#include "framework/Picture.h"
#include "glowbutton/GlowButtonAppearance.h"
#include "tests/framework/DibSurface.h"
#include <commctrl.h>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace plaxor::testing {
namespace {

using KeltWindow = KeltTest;

LONG_PTR Style(HWND wnd) {
    return ::GetWindowLongPtrW(wnd, GWL_STYLE);
}

TEST_F(KeltWindow, FrameIsSingleWithSystemMenuMinimiseAndMaximise) {
    MakeForm();
    const LONG_PTR style = Style(form->Handle());
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & WS_SYSMENU, WS_SYSMENU);
    EXPECT_EQ(style & WS_MINIMIZEBOX, WS_MINIMIZEBOX);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, WS_MAXIMIZEBOX);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(form->BorderStyle(), bsSingle);
}

TEST_F(KeltWindow, OwnsTheTaskBarButtonWithCaptionAndIcon) {
    MakeForm();
    wchar_t caption[64] = {};
    ::GetWindowTextW(form->Handle(), caption, 64);
    EXPECT_STREQ(caption, L"Plaxor 1.2");
    EXPECT_EQ(::GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, WS_EX_APPWINDOW);
    EXPECT_EQ(::GetWindowLongPtrW(app->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    ASSERT_NE(app->Icon(), nullptr); // this test program links the program's icon
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(form->Handle(), WM_GETICON, ICON_BIG, 0)),
              app->Icon());
}

TEST_F(KeltWindow, ClientAreaIs409By232) {
    MakeForm();
    RECT client{};
    ::GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 409);
    EXPECT_EQ(client.bottom, 232);
}

TEST_F(KeltWindow, WhiteWithEightPointTahoma) {
    MakeForm();
    EXPECT_EQ(form->Color(), clWhite);
    EXPECT_EQ(form->Font()->Name(), L"Tahoma");
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_EQ(form->Font()->Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(form->Font()->Color(), clWindowText);
    EXPECT_TRUE(form->Font()->Style().Empty());
}

TEST_F(KeltWindow, ShownCentredOnTheWorkArea) {
    ShowForm();
    RECT area{}, window{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(form->Handle(), &window);
    const int dx = (window.left - area.left) - (area.right - window.right);
    const int dy = (window.top - area.top) - (area.bottom - window.bottom);
    EXPECT_LE(std::abs(dx), 1);
    EXPECT_LE(std::abs(dy), 1);
}

struct Placed {
    const wchar_t* name;
    const wchar_t* className;
    int left, top, width, height;
};

constexpr Placed kControls[] = {
    {L"SpeedButton1", L"TSpeedButton", 378, 184, 23, 22},
    {L"logo", L"TImage", 95, 8, 220, 60},
    {L"disabled", L"TImage", 168, 98, 72, 72},
    {L"enabled", L"TImage", 168, 98, 72, 72},
    {L"status", L"TLabel", 168, 79, 72, 13},
    {L"plaxorizebtn", L"TAdvGlowButton", 234, 183, 100, 41},
    {L"undoplaxorizebtn", L"TAdvGlowButton", 74, 183, 100, 41},
};

TEST_F(KeltWindow, ControlsInLayoutOrderWithClassAndPlace) {
    MakeForm();
    const auto& controls = form->Controls();
    ASSERT_EQ(controls.size(), std::size(kControls));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Placed& p = kControls[i];
        SCOPED_TRACE(p.name);
        EXPECT_EQ(controls[i]->Name(), p.name);
        EXPECT_EQ(controls[i]->ClassName(), p.className);
        EXPECT_EQ(controls[i]->Left(), p.left);
        EXPECT_EQ(controls[i]->Top(), p.top);
        EXPECT_EQ(controls[i]->Width(), p.width);
        EXPECT_EQ(controls[i]->Height(), p.height);
    }
}

TEST_F(KeltWindow, GlowButtonsAreChildWindowsInTheirOwnPlaces) {
    MakeForm();
    for (TAdvGlowButton* button : {form->plaxorizebtn, form->undoplaxorizebtn}) {
        SCOPED_TRACE(button->Name());
        HWND wnd = button->Handle();
        EXPECT_EQ(::GetParent(wnd), form->Handle());
        RECT r{};
        ::GetWindowRect(wnd, &r);
        ::MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, button->Left());
        EXPECT_EQ(r.top, button->Top());
        EXPECT_EQ(r.right - r.left, 100);
        EXPECT_EQ(r.bottom - r.top, 41);
    }
}

TEST_F(KeltWindow, PicturesAreTheJpegsAndTheLogoIsCentred) {
    MakeForm();
    EXPECT_TRUE(form->logo->Center());
    EXPECT_FALSE(form->enabled->Center());
    struct Expected {
        TImage* image;
        int width, height;
    };
    for (const Expected& e : {Expected{form->logo, 220, 60}, Expected{form->enabled, 72, 72},
                              Expected{form->disabled, 72, 72}}) {
        SCOPED_TRACE(e.image->Name());
        ASSERT_NE(e.image->Picture()->Graphic(), nullptr);
        EXPECT_EQ(e.image->Picture()->Graphic()->ClassName(), L"TJPEGImage");
        EXPECT_EQ(e.image->Picture()->Width(), e.width);
        EXPECT_EQ(e.image->Picture()->Height(), e.height);
    }
}

TEST_F(KeltWindow, StatePicturesStartHiddenWithTheirOwnTooltips) {
    MakeForm();
    EXPECT_FALSE(form->enabled->Visible());
    EXPECT_FALSE(form->disabled->Visible());
    EXPECT_EQ(form->enabled->Hint(), L"AutoRun Enabled");
    EXPECT_EQ(form->disabled->Hint(), L"AutoRun Disabled");
    for (TImage* image : {form->enabled, form->disabled}) {
        EXPECT_TRUE(image->ShowHint());
        EXPECT_FALSE(image->ParentShowHint());
    }
}

TEST_F(KeltWindow, StatusWordIsCentredInAFixedBox) {
    MakeForm();
    EXPECT_EQ(form->status->Caption(), L"status");
    EXPECT_EQ(form->status->Alignment(), taCenter);
    EXPECT_FALSE(form->status->AutoSize());
    form->status->SetCaption(L"Disabled");
    EXPECT_EQ(form->status->Width(), 72);
    EXPECT_EQ(form->status->Left(), 168);
}

TEST_F(KeltWindow, WebSiteButtonHasTheGlyphAndTheHostAsTooltip) {
    MakeForm();
    TSpeedButton& button = *form->SpeedButton1;
    EXPECT_EQ(button.Caption(), L"");
    EXPECT_FALSE(button.Flat());
    EXPECT_EQ(button.NumGlyphs(), 1);
    EXPECT_EQ(button.Glyph()->Width(), 16);
    EXPECT_EQ(button.Glyph()->Height(), 16);
    EXPECT_EQ(button.Glyph()->Pixel(0, 15), static_cast<TColor>(0x00FF00FF)); // magenta
    EXPECT_EQ(button.Hint(), std::wstring(kWebHostName));
    EXPECT_TRUE(button.ShowHint());
    EXPECT_FALSE(button.ParentShowHint());
}

TEST_F(KeltWindow, GlowButtonsCaptionsOrderAndNoTabStops) {
    MakeForm();
    EXPECT_EQ(form->plaxorizebtn->Caption(), L"&Disable");
    EXPECT_EQ(form->undoplaxorizebtn->Caption(), L"&Enable");
    EXPECT_EQ(form->plaxorizebtn->TabOrder(), 0);
    EXPECT_EQ(form->undoplaxorizebtn->TabOrder(), 1);
    EXPECT_FALSE(form->plaxorizebtn->TabStop());
    EXPECT_FALSE(form->undoplaxorizebtn->TabStop());
}

TEST_F(KeltWindow, GlowButtonsTakeTheWindowsFontAndHaveTahomaNotes) {
    MakeForm();
    for (TAdvGlowButton* button : {form->plaxorizebtn, form->undoplaxorizebtn}) {
        SCOPED_TRACE(button->Name());
        EXPECT_TRUE(button->ParentFont());
        EXPECT_EQ(button->Font()->Name(), L"Tahoma");
        EXPECT_EQ(button->Font()->Height(), -11);
        const TFont& notes = *button->NotesFont();
        EXPECT_EQ(notes.Name(), L"Tahoma");
        EXPECT_EQ(notes.Height(), -11);
        EXPECT_EQ(notes.Charset(), DEFAULT_CHARSET);
        EXPECT_EQ(notes.Color(), clWindowText);
        EXPECT_TRUE(notes.Style().Empty());
    }
}

TEST_F(KeltWindow, GlowButtonsHoldTheSixteenStoredColours) {
    MakeForm();
    using A = TGlowButtonAppearance;
    struct Colour {
        const char* name;
        TColor (A::*get)() const noexcept;
        TColor value;
    };
    const Colour colours[] = {
        {"ColorChecked", &A::ColorChecked, 0x00F5D8CA},
        {"ColorCheckedTo", &A::ColorCheckedTo, 0x00F9BDA0},
        {"ColorDisabled", &A::ColorDisabled, 0x00F2F2F2},
        {"ColorDisabledTo", &A::ColorDisabledTo, 0x00F2F2F2},
        {"ColorDown", &A::ColorDown, 0x00F5D8CA},
        {"ColorDownTo", &A::ColorDownTo, 0x00F9BDA0},
        {"ColorHot", &A::ColorHot, 0x00F5F0E1},
        {"ColorHotTo", &A::ColorHotTo, 0x00F9D2B2},
        {"ColorMirrorHot", &A::ColorMirrorHot, 0x00F5C8AD},
        {"ColorMirrorHotTo", &A::ColorMirrorHotTo, 0x00FFF8F4},
        {"ColorMirrorDown", &A::ColorMirrorDown, 0x00F5B49C},
        {"ColorMirrorDownTo", &A::ColorMirrorDownTo, 0x00FFDFDC},
        {"ColorMirrorChecked", &A::ColorMirrorChecked, 0x00F5B49C},
        {"ColorMirrorCheckedTo", &A::ColorMirrorCheckedTo, 0x00FFDFDC},
        {"ColorMirrorDisabled", &A::ColorMirrorDisabled, 0x00B6B6B6},
        {"ColorMirrorDisabledTo", &A::ColorMirrorDisabledTo, 0x00F2F2F2},
    };
    for (TAdvGlowButton* button : {form->plaxorizebtn, form->undoplaxorizebtn})
        for (const Colour& c : colours)
            EXPECT_EQ((button->Appearance()->*c.get)(), c.value) << c.name;
}

TEST_F(KeltWindow, GlowButtonsOtherwiseKeepAFreshButtonsAppearance) {
    MakeForm();
    const TGlowButtonAppearance fresh;
    const TGlowButtonAppearance& a = *form->plaxorizebtn->Appearance();
    EXPECT_EQ(a.BorderColor(), fresh.BorderColor());
    EXPECT_EQ(a.Color(), fresh.Color());
    EXPECT_EQ(a.ColorTo(), fresh.ColorTo());
    EXPECT_EQ(a.ColorMirror(), fresh.ColorMirror());
    EXPECT_EQ(a.ColorMirrorTo(), fresh.ColorMirrorTo());
    EXPECT_EQ(a.Gradient(), fresh.Gradient());
}

TEST_F(KeltWindow, OnlyTheStatePicturesAndTheWebSiteButtonShowHints) {
    MakeForm();
    EXPECT_TRUE(form->logo->Hint().empty());
    EXPECT_TRUE(form->status->Hint().empty());
    EXPECT_TRUE(form->plaxorizebtn->Hint().empty());
    EXPECT_TRUE(form->undoplaxorizebtn->Hint().empty());
    EXPECT_TRUE(app->ShowHint());
}

// The texts of the application tooltip's tools.
std::vector<std::wstring> ToolTexts(HWND tip) {
    std::vector<std::wstring> texts;
    const auto count = static_cast<UINT>(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
        wchar_t text[80] = {};
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.lpszText = text;
        if (::SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info)))
            texts.emplace_back(text);
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

TEST_F(KeltWindow, TooltipsFollowTheVisibleStatePicture) {
    ShowForm();
    EXPECT_EQ(ToolTexts(app->HintWindow()),
              (std::vector<std::wstring>{L"AutoRun Enabled", std::wstring(kWebHostName)}));
    AltKey(L'D');
    ASSERT_TRUE(PumpUntil([&] { return form->disabled->Visible(); }));
    EXPECT_EQ(ToolTexts(app->HintWindow()),
              (std::vector<std::wstring>{L"AutoRun Disabled", std::wstring(kWebHostName)}));
}

// The tooltip a person sees when the pointer rests on a control: its text, or "" when none
// is showing yet.
std::wstring ShownTooltip(HWND tip) {
    if (!::IsWindowVisible(tip)) return {};
    wchar_t text[80] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = text;
    if (!::SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info))) return {};
    return text;
}

TEST_F(KeltWindow, PointerRestingOnTheWebSiteButtonShowsTheHost) {
    ShowForm();
    TSpeedButton& button = *form->SpeedButton1;
    MovePointerTo(button.ClientToScreen({4, 4}));
    Settle();
    MovePointerTo(button.ClientToScreen({button.Width() / 2, button.Height() / 2}));
    EXPECT_TRUE(PumpUntil([&] { return !ShownTooltip(app->HintWindow()).empty(); }));
    EXPECT_EQ(ShownTooltip(app->HintWindow()), std::wstring(kWebHostName));
}

TEST_F(KeltWindow, PointerRestingOnAGlowButtonShowsNoTooltip) {
    ShowForm();
    TAdvGlowButton& button = *form->plaxorizebtn;
    MovePointerTo(button.ClientToScreen({4, 4}));
    Settle();
    MovePointerTo(button.ClientToScreen({button.Width() / 2, button.Height() / 2}));
    // Longer than the half second a tooltip waits.
    PumpUntil([&] { return !ShownTooltip(app->HintWindow()).empty(); });
    EXPECT_EQ(ShownTooltip(app->HintWindow()), L"");
}

TEST_F(KeltWindow, TooltipsWaitHalfASecondAndStayTwoAndAHalf) {
    MakeForm();
    HWND tip = app->HintWindow();
    EXPECT_EQ(::SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
}

TEST_F(KeltWindow, TabNeverFocusesAGlowButton) {
    ShowForm();
    ::SetFocus(form->Handle());
    Settle();
    for (int i = 0; i < 4; ++i) {
        Key(VK_TAB, true);
        Key(VK_TAB, false);
        Settle();
        EXPECT_NE(::GetFocus(), form->plaxorizebtn->Handle());
        EXPECT_NE(::GetFocus(), form->undoplaxorizebtn->Handle());
    }
}

// The window painted into a 32-bit DIB as a transparent child has it draw its background:
// WM_ERASEBKGND, then WM_PAINT with the DC in WParam.
class PaintedWindow {
public:
    explicit PaintedWindow(Tkelt& form) : surface_(409, 232, 0x000000) {
        ::SendMessageW(form.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface_.dc()), 0);
        ::SendMessageW(form.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(surface_.dc()), 0);
    }
    // Red, green, blue of a client pixel.
    std::array<int, 3> At(int x, int y) const {
        const TColor pixel = surface_.At(x, y);
        return {static_cast<int>(pixel & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                static_cast<int>((pixel >> 16) & 0xFF)};
    }

private:
    test::DibSurface surface_;
};

// Inside the state pictures' square: the enabled picture's amber disc, the disabled
// picture's green shield.
constexpr POINT kStateProbe{168 + 37, 98 + 45};

TEST_F(KeltWindow, PaintsWhiteBackgroundAndTheEnabledPicture) {
    ShowForm();
    const PaintedWindow painted(*form);
    EXPECT_EQ(painted.At(20, 100), (std::array<int, 3>{255, 255, 255}));
    const auto amber = painted.At(kStateProbe.x, kStateProbe.y);
    EXPECT_GT(amber[0], 200);
    EXPECT_GT(amber[1], 110);
    EXPECT_LT(amber[1], 180);
    EXPECT_LT(amber[2], 80);
}

TEST_F(KeltWindow, PaintsTheDisabledPictureOnceDisabled) {
    ShowForm();
    AltKey(L'D');
    ASSERT_TRUE(PumpUntil([&] { return form->disabled->Visible(); }));
    const PaintedWindow painted(*form);
    const auto green = painted.At(kStateProbe.x, kStateProbe.y);
    EXPECT_LT(green[0], 110);
    EXPECT_GT(green[1], 150);
    EXPECT_LT(green[2], 140);
}

TEST_F(KeltWindow, LogoIsPaintedInItsBox) {
    MakeForm();
    const PaintedWindow painted(*form);
    // Outside the logo's box the window is white; inside it the logo is not blank.
    int nonWhite = 0;
    for (int x = 95; x < 315; x += 5)
        for (int y = 8; y < 68; y += 5)
            if (painted.At(x, y) != std::array<int, 3>{255, 255, 255}) ++nonWhite;
    EXPECT_GT(nonWhite, 20);
    EXPECT_EQ(painted.At(90, 30), (std::array<int, 3>{255, 255, 255}));
}

} // namespace
} // namespace plaxor::testing
