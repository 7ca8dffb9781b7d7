// Keys: dialog keys offered to the form first, Tab between tab stops, mnemonics from Alt+letter
// and plain letters, the focus and its broadcast.
#include "ControlsTestSupport.h"
#include "framework/Accel.h"

namespace plaxor::testing {
namespace {

TEST(Accel, LetterAfterTheAmpersandInEitherCase) {
    EXPECT_TRUE(IsAccel(L'd', L"&Disable"));
    EXPECT_TRUE(IsAccel(L'D', L"&Disable"));
    EXPECT_FALSE(IsAccel(L'i', L"&Disable"));
}

TEST(Accel, DoubleAmpersandIsALiteral) {
    EXPECT_FALSE(IsAccel(L'x', L"&&x"));
    EXPECT_FALSE(IsAccel(L'&', L"&&x"));
    EXPECT_TRUE(IsAccel(L'c', L"a&&b&c"));
}

TEST(Accel, NoAccelWithoutAnAmpersandOrAtTheEnd) {
    EXPECT_FALSE(IsAccel(L'p', L"plain"));
    EXPECT_FALSE(IsAccel(L'x', L"x&"));
    EXPECT_EQ(AccelChar(L"x&"), L'\0');
    EXPECT_FALSE(IsAccel(L'\0', L"x&"));
}

TEST(Accel, FirstMnemonicCounts) {
    EXPECT_EQ(AccelChar(L"&One &Two"), L'O');
    EXPECT_FALSE(IsAccel(L't', L"&One &Two"));
}

TEST(Accel, NonAsciiLettersCompareWithoutCase) {
    EXPECT_TRUE(IsAccel(L'\u00C4', L"&\u00E4rger"));
}

class KeyboardTest : public SharedFormTest {
protected:
    void SetUp() override {
        SharedFormTest::SetUp();
        a = NewControl(form, 10, 10, 50, 20);
        b = NewControl(form, 70, 10, 50, 20);
        c = NewControl(form, 130, 10, 50, 20);
        a->SetTabStop(true);
        c->SetTabStop(true);
        b->SetCaption(L"&Disable");
        for (ProbeControl* p : {a, b, c}) {
            p->OnKeyDown = [this, p](TObject*, WORD& key, TShiftState) {
                keys.push_back(Name(p) + L" down " + std::to_wstring(key));
            };
            p->OnKeyPress = [this, p](TObject*, wchar_t& key) {
                keys.push_back(Name(p) + L" press " + std::to_wstring(key));
            };
        }
        a->SetFocus();
        Pump();
    }
    void TearDown() override {
        BYTE state[256] = {};
        ::SetKeyboardState(state);
        SharedFormTest::TearDown();
    }
    std::wstring Name(const ProbeControl* p) const { return p == a ? L"a" : p == b ? L"b" : L"c"; }
    // A key as the message loop gets it: dialog keys are offered before translation.
    void PostKey(HWND wnd, WORD key) {
        const UINT scan = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
        ::PostMessageW(wnd, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
        Pump();
    }
    void Claim(ProbeControl* p, UINT msg, WPARAM what) {
        p->handlers[msg] = [this, p, what](TMessage& m) {
            if (m.WParam == what) {
                m.Result = 1;
                claims.push_back(Name(p));
            } else {
                p->PassOn(m);
            }
        };
    }
    static void HoldKey(BYTE key) {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[key] = 0x80;
        ::SetKeyboardState(state);
    }

    ProbeControl *a = nullptr, *b = nullptr, *c = nullptr;
    std::vector<std::wstring> keys, claims;
};

TEST_F(KeyboardTest, FocusedControlIsTheOneGiven) {
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(form->ActiveControl(), a);
}

TEST_F(KeyboardTest, EnterGoesToTheFormFirstAndTheFirstTakerEndsIt) {
    Claim(b, CM_DIALOGKEY, VK_RETURN);
    Claim(c, CM_DIALOGKEY, VK_RETURN);
    PostKey(a->Handle(), VK_RETURN);
    EXPECT_EQ(claims, (std::vector<std::wstring>{L"b"}));
    EXPECT_EQ(a->Count(CM_DIALOGKEY), 1);
    EXPECT_TRUE(keys.empty()); // no key down, and no character made from the taken key
}

TEST_F(KeyboardTest, UnclaimedEnterReachesTheFocusedControlAfterEveryoneSawIt) {
    PostKey(a->Handle(), VK_RETURN);
    EXPECT_EQ(b->Count(CM_DIALOGKEY), 1);
    EXPECT_EQ(c->Count(CM_DIALOGKEY), 1);
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"a down 13", L"a press 13"}));
}

TEST_F(KeyboardTest, EscapeIsADialogKeyToo) {
    Claim(c, CM_DIALOGKEY, VK_ESCAPE);
    PostKey(a->Handle(), VK_ESCAPE);
    EXPECT_EQ(claims, (std::vector<std::wstring>{L"c"}));
    EXPECT_TRUE(keys.empty());
}

TEST_F(KeyboardTest, OtherKeysAreNotDialogKeys) {
    PostKey(a->Handle(), VK_SPACE);
    EXPECT_EQ(b->Count(CM_DIALOGKEY), 0);
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"a down 32", L"a press 32"}));
}

TEST_F(KeyboardTest, ControlWantingAllKeysGetsEnterItself) {
    a->handlers[WM_GETDLGCODE] = [](TMessage& m) { m.Result = DLGC_WANTALLKEYS; };
    Claim(b, CM_DIALOGKEY, VK_RETURN);
    PostKey(a->Handle(), VK_RETURN);
    EXPECT_TRUE(claims.empty());
    EXPECT_EQ(keys.front(), L"a down 13");
}

TEST_F(KeyboardTest, CtrlStateIsThereForDialogKeyHandlers) {
    bool ctrl = false;
    b->handlers[CM_DIALOGKEY] = [&](TMessage&) { ctrl = KeyboardShiftState().Contains(ssCtrl); };
    HoldKey(VK_CONTROL);
    PostKey(a->Handle(), VK_RETURN);
    EXPECT_TRUE(ctrl);
}

TEST_F(KeyboardTest, TabMovesToTheNextTabStopAndWraps) {
    PostKey(a->Handle(), VK_TAB);
    EXPECT_TRUE(c->Focused()); // b is no tab stop
    PostKey(c->Handle(), VK_TAB);
    EXPECT_TRUE(a->Focused());
    EXPECT_TRUE(keys.empty());
}

TEST_F(KeyboardTest, ShiftTabGoesBack) {
    HoldKey(VK_SHIFT);
    PostKey(a->Handle(), VK_TAB);
    EXPECT_TRUE(c->Focused());
}

TEST_F(KeyboardTest, TabFollowsTabOrderNotCreationOrder) {
    b->SetTabStop(true);
    a->SetTabOrder(2);
    b->SetTabOrder(0);
    c->SetTabOrder(1);
    PostKey(a->Handle(), VK_TAB); // a is last: wraps to b
    EXPECT_TRUE(b->Focused());
    PostKey(b->Handle(), VK_TAB);
    EXPECT_TRUE(c->Focused());
}

TEST_F(KeyboardTest, TabSkipsDisabledAndHiddenControls) {
    auto* d = NewControl(form, 190, 10, 50, 20);
    d->SetTabStop(true);
    c->SetEnabled(false);
    d->SetVisible(false);
    PostKey(a->Handle(), VK_TAB);
    EXPECT_TRUE(a->Focused());
}

TEST_F(KeyboardTest, TabClaimedByAControlDoesNotMoveTheFocus) {
    Claim(b, CM_DIALOGKEY, VK_TAB);
    PostKey(a->Handle(), VK_TAB);
    EXPECT_TRUE(a->Focused());
}

TEST_F(KeyboardTest, AltLetterIsOfferedAsDialogChar) {
    Claim(b, CM_DIALOGCHAR, L'd');
    ::PostMessageW(a->Handle(), WM_SYSCHAR, L'd', static_cast<LPARAM>(1u | (1u << 29)));
    Pump();
    EXPECT_EQ(claims, (std::vector<std::wstring>{L"b"}));
}

TEST_F(KeyboardTest, AltLetterOnTheFormItselfIsOfferedToo) {
    ::SetFocus(form->Handle());
    Pump();
    Claim(b, CM_DIALOGCHAR, L'd');
    ::PostMessageW(form->Handle(), WM_SYSCHAR, L'd', static_cast<LPARAM>(1u | (1u << 29)));
    Pump();
    EXPECT_EQ(claims, (std::vector<std::wstring>{L"b"}));
}

TEST_F(KeyboardTest, PlainLetterIsAMnemonicWhenTheControlTakesNoCharacters) {
    Claim(b, CM_DIALOGCHAR, L'D');
    ::PostMessageW(a->Handle(), WM_CHAR, L'D', 1);
    Pump();
    EXPECT_EQ(claims, (std::vector<std::wstring>{L"b"}));
    EXPECT_TRUE(keys.empty());
}

TEST_F(KeyboardTest, ControlWantingCharactersGetsTheLetter) {
    a->handlers[WM_GETDLGCODE] = [](TMessage& m) { m.Result = DLGC_WANTCHARS; };
    Claim(b, CM_DIALOGCHAR, L'D');
    ::PostMessageW(a->Handle(), WM_CHAR, L'D', 1);
    Pump();
    EXPECT_TRUE(claims.empty());
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"a press 68"}));
}

TEST_F(KeyboardTest, MnemonicReachesNonWindowedAndNestedControls) {
    auto* graphic = NewControl<ProbeGraphic>(form, 10, 50, 20, 20);
    auto* nested = NewControl(b, 1, 1, 10, 10);
    ::PostMessageW(a->Handle(), WM_SYSCHAR, L'q', static_cast<LPARAM>(1u | (1u << 29)));
    Pump();
    EXPECT_EQ(graphic->Count(CM_DIALOGCHAR), 1);
    EXPECT_EQ(nested->Count(CM_DIALOGCHAR), 1);
}

TEST_F(KeyboardTest, RealAltLetterBecomesADialogChar) {
    Claim(b, CM_DIALOGCHAR, L'd');
    INPUT input[4] = {};
    const WORD sequence[4][2] = {
        {VK_MENU, 0}, {'D', 0}, {'D', KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        input[i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = sequence[i][0];
        input[i].ki.dwFlags = sequence[i][1];
    }
    ::SendInput(4, input, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return !claims.empty(); }));
    EXPECT_EQ(claims, (std::vector<std::wstring>{L"b"}));
}

TEST_F(KeyboardTest, RealEnterIsOfferedOnceAndMakesNoCharacterWhenTaken) {
    Claim(b, CM_DIALOGKEY, VK_RETURN);
    INPUT input[2] = {};
    for (auto& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = VK_RETURN;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
    ASSERT_TRUE(PumpUntil([&] { return !claims.empty(); }));
    Settle();
    EXPECT_EQ(claims.size(), 1u);
    EXPECT_TRUE(keys.empty());
}

// ---- focus ----

TEST_F(KeyboardTest, FocusChangeIsBroadcastToEveryControlNamingTheNewOne) {
    auto* graphic = NewControl<ProbeGraphic>(form, 10, 50, 20, 20);
    auto* nested = NewControl(b, 1, 1, 10, 10);
    for (ProbeControl* p : {a, b, c})
        p->received.clear();
    c->SetFocus();
    Pump();
    for (ProbeControl* p : {a, b, c, nested}) {
        ASSERT_EQ(p->Count(CM_FOCUSCHANGED), 1) << "control at " << p->Left();
        EXPECT_EQ(p->received.back().LParam, reinterpret_cast<LPARAM>(c));
    }
    EXPECT_EQ(graphic->Count(CM_FOCUSCHANGED), 1);
    EXPECT_EQ(form->ActiveControl(), c);
}

TEST_F(KeyboardTest, FocusingTheFormItselfBroadcastsTheForm) {
    form->SetActiveControl(nullptr);
    a->received.clear();
    ::SetFocus(form->Handle());
    Pump();
    ASSERT_EQ(a->Count(CM_FOCUSCHANGED), 1);
    EXPECT_EQ(a->received.back().LParam, reinterpret_cast<LPARAM>(form));
    EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(KeyboardTest, EnterAndExitFollowTheFocus) {
    std::vector<std::wstring> order;
    a->OnExit = [&](TObject*) { order.push_back(L"a exit"); };
    c->OnEnter = [&](TObject*) { order.push_back(L"c enter"); };
    c->SetFocus();
    EXPECT_EQ(order, (std::vector<std::wstring>{L"a exit", L"c enter"}));
}

TEST_F(KeyboardTest, FocusGivenToTheFormGoesBackToItsActiveControl) {
    c->SetFocus();
    ::SetFocus(form->Handle());
    EXPECT_TRUE(c->Focused());
}

TEST_F(KeyboardTest, DisabledOrHiddenControlsCannotTakeTheFocus) {
    b->SetEnabled(false);
    EXPECT_FALSE(b->CanFocus());
    EXPECT_THROW(b->SetFocus(), EInvalidOperation);
    auto* inner = NewControl(c, 1, 1, 10, 10);
    c->SetVisible(false);
    EXPECT_FALSE(inner->CanFocus());
}

TEST_F(KeyboardTest, DisablingTheFocusedControlGivesTheFocusToTheForm) {
    a->SetEnabled(false);
    EXPECT_EQ(::GetFocus(), form->Handle());
}

TEST_F(KeyboardTest, FreeingTheActiveControlClearsIt) {
    c->SetFocus();
    delete c;
    c = nullptr;
    EXPECT_EQ(form->ActiveControl(), nullptr);
}

} // namespace
} // namespace plaxor::testing
