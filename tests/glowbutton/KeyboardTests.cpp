// The glow button and the keyboard: Space and Enter on the focused button, Enter for the
// default button and Escape for the cancel button wherever the focus is, accelerators, F4, and
// the focus itself. Keys come through the input queue as a person types them.
#include "ButtonTestSupport.h"
#include "framework/PopupMenu.h"
#include <algorithm>

namespace plaxor::testing {
namespace {

class GlowButtonKeys : public ButtonFormTest {
protected:
    void SetUp() override {
        ButtonFormTest::SetUp();
        b = NewButton(20, 20);
        b->SetCaption(L"&Disable");
        LogButtonEvents(*b, log);
        other = NewOther();
        // Keys that reach the other control mark the end of a key's handling.
        other->OnKeyUp = [this](TObject*, WORD& key, TShiftState) { otherKeyUps.push_back(key); };
        other->SetFocus();
        Pump();
    }
    int Clicks() const { return static_cast<int>(std::count(log.begin(), log.end(), L"click")); }
    int Count(const std::wstring& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }
    // Holds Space down on the focused button until its click came: the face shows pressed.
    void HoldSpace() {
        b->SetFocus();
        Pump();
        Keys({{VK_SPACE, false}});
        ASSERT_TRUE(PumpUntil([&] { return Clicks() == 1; }));
        ASSERT_TRUE(b->Snapshot().pressed);
    }
    // Taps a key while the other control has the focus and waits until its key-up arrives.
    void TapAtOther(WORD key) {
        Tap(key);
        ASSERT_TRUE(PumpUntil([&] {
            return std::find(otherKeyUps.begin(), otherKeyUps.end(), key) != otherKeyUps.end();
        }));
    }

    TAdvGlowButton* b = nullptr;
    OtherControl* other = nullptr;
    std::vector<std::wstring> log;
    std::vector<WORD> otherKeyUps;
};

// ---- Space and Enter on the focused button ----

TEST_F(GlowButtonKeys, SpaceDownPressesTheCharacterClicksAndUpReleases) {
    HoldSpace();
    EXPECT_EQ(b->Snapshot().buttonState, stateDown);
    Keys({{VK_SPACE, true}});
    ASSERT_TRUE(PumpUntil([&] { return Count(L"keyup 32") == 1; }));
    EXPECT_EQ(log,
              (std::vector<std::wstring>{L"keydown 32", L"keypress 32", L"click", L"keyup 32"}));
    EXPECT_FALSE(b->Snapshot().pressed);
    EXPECT_EQ(b->Snapshot().buttonState, stateUp);
}

TEST_F(GlowButtonKeys, HeldSpaceClicksAgainForEachRepeatedKey) {
    b->SetFocus();
    Pump();
    Keys({{VK_SPACE, false}, {VK_SPACE, false}, {VK_SPACE, false}, {VK_SPACE, true}});
    ASSERT_TRUE(PumpUntil([&] { return Count(L"keyup 32") == 1; }));
    EXPECT_EQ(Clicks(), 3);
}

TEST_F(GlowButtonKeys, SpaceClickSetsTheFormsModalResult) {
    b->SetModalResult(6);
    b->SetFocus();
    Pump();
    Tap(VK_SPACE);
    ASSERT_TRUE(PumpUntil([&] { return Count(L"keyup 32") == 1; }));
    EXPECT_EQ(form->ModalResult(), 6);
}

TEST_F(GlowButtonKeys, EnterOnAFocusedButtonThatIsNotTheDefaultClicksIt) {
    b->SetFocus();
    Pump();
    Tap(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return Count(L"keyup 13") == 1; }));
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(Count(L"keydown 13"), 0); // taken as a dialog key: no key down, no character
    EXPECT_EQ(Count(L"keypress 13"), 0);
}

TEST_F(GlowButtonKeys, KeyboardClickOfACheckButtonTogglesIt) {
    b->SetStyle(bsCheck);
    b->SetFocus();
    Pump();
    Tap(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return Count(L"keyup 13") == 1; }));
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(GlowButtonKeys, AnyKeyUpEndsThePressedLook) {
    HoldSpace();
    Tap(VK_SHIFT);
    ASSERT_TRUE(PumpUntil([&] { return Count(L"keyup 16") == 1; }));
    EXPECT_FALSE(b->Snapshot().pressed);
    EXPECT_EQ(b->Snapshot().buttonState, stateUp);
    Keys({{VK_SPACE, true}});
}

// ---- Default and Cancel ----

TEST_F(GlowButtonKeys, EnterClicksTheDefaultButtonWhileAnotherControlHasTheFocus) {
    b->SetDefault(true);
    TapAtOther(VK_RETURN);
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(GlowButtonKeys, DefaultButtonShowsUpAfterItsKeyboardClick) {
    b->SetDefault(true);
    TapAtOther(VK_RETURN);
    EXPECT_EQ(b->Snapshot().buttonState, stateUp);
}

TEST_F(GlowButtonKeys, EnterClicksNothingWithoutADefaultButton) {
    TapAtOther(VK_RETURN);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonKeys, EnterClicksTheFocusedGlowButtonAndNotTheDefaultOne) {
    auto* focused = NewButton(150, 20);
    int focusedClicks = 0;
    focused->OnClick = [&](TObject*) { ++focusedClicks; };
    b->SetDefault(true);
    focused->SetFocus();
    Pump();
    Tap(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return focusedClicks == 1; }));
    Settle();
    EXPECT_EQ(Clicks(), 0);
    EXPECT_EQ(focusedClicks, 1);
}

TEST_F(GlowButtonKeys, FocusBroadcastDecidesWhichButtonEnterClicks) {
    auto* second = NewButton(150, 20);
    b->SetDefault(true);
    second->SetFocus();
    Pump();
    EXPECT_FALSE(b->Snapshot().defaultActive);
    EXPECT_TRUE(second->Snapshot().defaultActive);
    other->SetFocus();
    Pump();
    EXPECT_TRUE(b->Snapshot().defaultActive);
    EXPECT_FALSE(second->Snapshot().defaultActive);
}

TEST_F(GlowButtonKeys, DefaultClearedWhileAnotherControlHasTheFocusStopsClicking) {
    b->SetDefault(true);
    b->SetDefault(false);
    TapAtOther(VK_RETURN);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonKeys, EscapeClicksTheCancelButton) {
    b->SetCancel(true);
    TapAtOther(VK_ESCAPE);
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(GlowButtonKeys, CtrlEnterClicksNothing) {
    b->SetDefault(true);
    Keys({{VK_CONTROL, false}, {VK_RETURN, false}, {VK_RETURN, true}, {VK_CONTROL, true}});
    ASSERT_TRUE(PumpUntil([&] {
        return std::find(otherKeyUps.begin(), otherKeyUps.end(), VK_CONTROL) != otherKeyUps.end();
    }));
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonKeys, ShiftEscapeClicksNothing) {
    b->SetCancel(true);
    Keys({{VK_SHIFT, false}, {VK_ESCAPE, false}, {VK_ESCAPE, true}, {VK_SHIFT, true}});
    ASSERT_TRUE(PumpUntil([&] {
        return std::find(otherKeyUps.begin(), otherKeyUps.end(), VK_SHIFT) != otherKeyUps.end();
    }));
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonKeys, DisabledDefaultButtonIsNotClicked) {
    b->SetDefault(true);
    b->SetEnabled(false);
    TapAtOther(VK_RETURN);
    EXPECT_EQ(Clicks(), 0);
}

// ---- accelerators ----

TEST_F(GlowButtonKeys, AcceleratorLetterClicksWithoutTheFocus) {
    TapAtOther('D');
    EXPECT_EQ(Clicks(), 1);
    EXPECT_FALSE(b->Focused());
}

TEST_F(GlowButtonKeys, UpperCaseAcceleratorLetterClicksToo) {
    Keys({{VK_SHIFT, false}, {'D', false}, {'D', true}, {VK_SHIFT, true}});
    ASSERT_TRUE(PumpUntil([&] {
        return std::find(otherKeyUps.begin(), otherKeyUps.end(), VK_SHIFT) != otherKeyUps.end();
    }));
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(GlowButtonKeys, AltAcceleratorClicks) {
    Keys({{VK_MENU, false}, {'D', false}, {'D', true}, {VK_MENU, true}});
    ASSERT_TRUE(PumpUntil([&] { return Clicks() == 1; }));
    Settle();
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(GlowButtonKeys, AcceleratorSetsTheModalResult) {
    b->SetModalResult(2);
    TapAtOther('D');
    EXPECT_EQ(form->ModalResult(), 2);
}

TEST_F(GlowButtonKeys, AcceleratorOfADisabledButtonDoesNothing) {
    b->SetEnabled(false);
    TapAtOther('D');
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonKeys, AcceleratorOfAHiddenButtonDoesNothing) {
    b->SetVisible(false);
    TapAtOther('D');
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonKeys, OtherLettersAndLiteralAmpersandsDoNothing) {
    b->SetCaption(L"A&&D");
    TapAtOther('D');
    TapAtOther('A');
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonKeys, AcceleratorOfAButtonWithAMenuDropsDownInsteadOfClicking) {
    auto* menu = new TPopupMenu(form);
    b->SetDropDownMenu(menu);
    int dropDowns = 0;
    b->OnDropDown = [&](TObject*) { ++dropDowns; };
    TapAtOther('D');
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(Clicks(), 0);
}

// ---- F4 ----

TEST_F(GlowButtonKeys, F4WithoutAMenuDoesNothing) {
    int dropDowns = 0;
    b->OnDropDown = [&](TObject*) { ++dropDowns; };
    b->SetDropDownButton(true);
    b->SetFocus();
    Pump();
    Tap(VK_F4);
    ASSERT_TRUE(PumpUntil([&] { return Count(L"keyup 115") == 1; }));
    EXPECT_EQ(dropDowns, 0);
}

TEST_F(GlowButtonKeys, F4WithAMenuDropsDownAndLeavesTheFaceUp) {
    auto* menu = new TPopupMenu(form);
    b->SetDropDownMenu(menu);
    int dropDowns = 0;
    b->OnDropDown = [&](TObject*) { ++dropDowns; };
    b->SetFocus();
    Pump();
    Tap(VK_F4);
    ASSERT_TRUE(PumpUntil([&] { return Count(L"keyup 115") == 1; }));
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(b->Snapshot().buttonState, stateUp);
}

// ---- focus ----

TEST_F(GlowButtonKeys, FocusIsTrackedAndLosingItEndsThePress) {
    HoldSpace();
    EXPECT_TRUE(b->Snapshot().hasFocus);
    other->SetFocus();
    Pump();
    const TGlowState s = b->Snapshot();
    EXPECT_FALSE(s.hasFocus);
    EXPECT_FALSE(s.pressed);
    EXPECT_EQ(s.buttonState, stateUp);
    Keys({{VK_SPACE, true}});
}

TEST_F(GlowButtonKeys, FocusRaisesEnterAndExit) {
    std::vector<std::wstring> events;
    b->OnEnter = [&](TObject*) { events.push_back(L"enter"); };
    b->OnExit = [&](TObject*) { events.push_back(L"exit"); };
    b->SetFocus();
    other->SetFocus();
    EXPECT_EQ(events, (std::vector<std::wstring>{L"enter", L"exit"}));
}

} // namespace
} // namespace plaxor::testing
