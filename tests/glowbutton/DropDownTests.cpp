// The glow button's drop-down part with a real popup menu: which press opens it, the look of
// the button while it is open and after it closed, the anchors, F4, accelerators and the
// keyboard click, handlers that free the button, and the drop-down setters.
#include "ButtonTestSupport.h"
#include "framework/PopupMenu.h"
#include "tests/controls/MenuTestSupport.h"
#include "tests/framework/DibSurface.h"
#include <algorithm>
#include <memory>

namespace plaxor::testing {
namespace {

class MenuGlowButton : public TAdvGlowButton {
public:
    using TAdvGlowButton::TAdvGlowButton;

protected:
    bool IsMenuButton() const override { return true; }
};

class GlowButtonDropDown : public ButtonFormTest {
protected:
    void SetUp() override {
        ButtonFormTest::SetUp();
        b = NewButton(60, 60);
        LogButtonEvents(*b, log);
        b->OnDropDown = [this](TObject* sender) {
            log.push_back(L"dropdown");
            dropDownSender = sender;
        };
        menu = new TPopupMenu(form);
        AddItem(L"&First");
        AddItem(L"&Second");
        WhileOpen([] { ::EndMenu(); });
        Pump();
    }
    void TearDown() override {
        EXPECT_FALSE(MenuWatchdog::fired()) << "a menu had to be closed by the watchdog";
        tick.reset();
        ButtonFormTest::TearDown();
    }
    TMenuItem* AddItem(const std::wstring& caption) {
        auto* item = new TMenuItem(nullptr); // the menu frees it
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) { log.push_back(L"item " + caption); };
        menu->Items()->Add(item);
        return item;
    }
    // What runs from inside the menu's loop once the menu is up (posted as it opens).
    void WhileOpen(std::function<void()> work) {
        menu->OnPopup = [this, work](TObject*) {
            log.push_back(L"popup");
            tick = std::make_unique<TickWhileOpen>(work);
        };
    }
    void UseMenu() { b->SetDropDownMenu(menu); }
    int Count(const std::wstring& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }
    int Popups() const { return Count(L"popup"); }
    int Clicks() const { return Count(L"click"); }
    int DropDowns() const { return Count(L"dropdown"); }
    // Puts the real pointer on a client point of the button and waits for the enter.
    void Hover(int x, int y) {
        MoveTo(*b, x, y);
        ASSERT_TRUE(PumpUntil([&] { return b->Snapshot().mouseOver; }));
    }
    void ParkPointer() {
        const POINT corner = form->ClientToScreen({295, 195});
        ::SetCursorPos(corner.x, corner.y);
    }

    MenuWatchdog watchdog;
    TAdvGlowButton* b = nullptr;
    TPopupMenu* menu = nullptr;
    std::unique_ptr<TickWhileOpen> tick;
    std::vector<std::wstring> log;
    TObject* dropDownSender = nullptr;
};

// ---- which press opens the menu ----

TEST_F(GlowButtonDropDown, SplitButtonOpensTheMenuFromAPressAt88) {
    b->SetDropDownButton(true);
    UseMenu();
    bool open = false;
    WhileOpen([&] {
        open = menu->IsShowing() && OpenMenuWindow() != nullptr;
        ::EndMenu();
    });
    Press(*b, 88, 10);
    EXPECT_TRUE(open);
    EXPECT_EQ(Popups(), 1);
    EXPECT_EQ(DropDowns(), 1);
    EXPECT_EQ(dropDownSender, b);
}

TEST_F(GlowButtonDropDown, SplitButtonPressAt87IsAnOrdinaryPressAndClick) {
    b->SetDropDownButton(true);
    UseMenu();
    Press(*b, 87, 10);
    EXPECT_EQ(Popups(), 0);
    EXPECT_TRUE(b->Snapshot().tracking);
    EXPECT_EQ(b->Snapshot().buttonState, stateDown);
    Release(*b, 87, 10);
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(DropDowns(), 0);
}

TEST_F(GlowButtonDropDown, SplitButtonArrowPartIsHotFrom89) {
    b->SetDropDownButton(true);
    UseMenu();
    Send(*b, WM_MOUSEMOVE, 0, Point(88, 10));
    EXPECT_FALSE(b->Snapshot().dropDownHot);
    Send(*b, WM_MOUSEMOVE, 0, Point(89, 10));
    EXPECT_TRUE(b->Snapshot().dropDownHot);
}

TEST_F(GlowButtonDropDown, OnDropDownComesBeforeTheMenuOpens) {
    b->SetDropDownButton(true);
    UseMenu();
    Press(*b, 95, 10);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"down0@95,10", L"dropdown", L"popup"}));
}

TEST_F(GlowButtonDropDown, OnDropDownWithoutAMenuOpensNothingAndTheReleaseStillClicks) {
    b->SetDropDownButton(true);
    Press(*b, 95, 10);
    EXPECT_EQ(DropDowns(), 1);
    EXPECT_EQ(Popups(), 0);
    EXPECT_FALSE(b->Snapshot().tracking);
    EXPECT_EQ(b->Snapshot().buttonState, stateUp);
    Release(*b, 95, 10);
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(GlowButtonDropDown, OnDropDownMaySupplyTheMenu) {
    b->SetDropDownButton(true);
    b->OnDropDown = [this](TObject*) { b->SetDropDownMenu(menu); };
    Press(*b, 95, 10);
    EXPECT_EQ(Popups(), 1);
}

TEST_F(GlowButtonDropDown, NonSplitButtonOpensTheMenuFromAnyPress) {
    b->SetDropDownButton(true);
    b->SetDropDownSplit(false);
    UseMenu();
    Press(*b, 5, 5);
    EXPECT_EQ(Popups(), 1);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonDropDown, NonSplitCheckButtonNeverOpensItsMenuFromTheMouse) {
    b->SetDropDownButton(true);
    b->SetDropDownSplit(false);
    b->SetStyle(bsCheck);
    UseMenu();
    Click(*b, 95, 10);
    Click(*b, 5, 5);
    Click(*b, 95, 10);
    EXPECT_EQ(Popups(), 0);
    EXPECT_EQ(DropDowns(), 0);
    EXPECT_EQ(Clicks(), 3);
    EXPECT_TRUE(b->Down());
}

TEST_F(GlowButtonDropDown, NonSplitGroupedButtonNeverOpensItsMenuFromTheMouse) {
    b->SetDropDownButton(true);
    b->SetDropDownSplit(false);
    b->SetGroupIndex(1);
    UseMenu();
    Click(*b, 95, 10);
    EXPECT_EQ(Popups(), 0);
    EXPECT_TRUE(b->Down());
}

TEST_F(GlowButtonDropDown, MenuButtonOpensFromAnyPress) {
    auto* m = NewButton<MenuGlowButton>(170, 20);
    m->SetDropDownMenu(menu);
    Press(*m, 5, 5);
    EXPECT_EQ(Popups(), 1);
}

TEST_F(GlowButtonDropDown, ButtonWithAMenuButNoDropDownPartClicksOnAPress) {
    UseMenu();
    Click(*b, 95, 10);
    EXPECT_EQ(Popups(), 0);
    EXPECT_EQ(Clicks(), 1);
}

// ---- the look while the menu is open and after it closed ----

TEST_F(GlowButtonDropDown, WhileOpenFromTheMouseTheButtonIsHoveredButNeitherHotNorPressed) {
    b->SetDropDownButton(true);
    UseMenu();
    bool mouseOver = false, hot = true, pressed = true, tracking = true;
    WhileOpen([&] {
        mouseOver = b->Snapshot().mouseOver;
        hot = b->Snapshot().hotColors;
        pressed = b->Snapshot().pressed;
        tracking = b->Snapshot().tracking;
        ::EndMenu();
    });
    Press(*b, 95, 10);
    EXPECT_TRUE(mouseOver);
    EXPECT_FALSE(hot);
    EXPECT_FALSE(pressed);
    EXPECT_FALSE(tracking);
}

TEST_F(GlowButtonDropDown, AfterTheMenuClosesOverTheButtonItIsHoveredButNotHot) {
    b->SetDropDownButton(true);
    UseMenu();
    Hover(95, 10);
    ASSERT_TRUE(b->Snapshot().hotColors);
    Press(*b, 95, 10);
    EXPECT_EQ(Popups(), 1);
    EXPECT_FALSE(b->Snapshot().hotColors);
    EXPECT_TRUE(b->Snapshot().mouseOver);
    // Moving on the button does not make it hot again: it must be left and entered.
    Send(*b, WM_MOUSEMOVE, 0, Point(50, 10));
    Pump();
    EXPECT_FALSE(b->Snapshot().hotColors);
}

TEST_F(GlowButtonDropDown, AfterTheMenuClosesAwayFromTheButtonAllHoverFlagsAreCleared) {
    b->SetDropDownButton(true);
    UseMenu();
    Hover(95, 10);
    Send(*b, WM_MOUSEMOVE, 0, Point(95, 10));
    ASSERT_TRUE(b->Snapshot().dropDownHot);
    WhileOpen([&] {
        ParkPointer();
        ::EndMenu();
    });
    Press(*b, 95, 10);
    EXPECT_FALSE(b->Snapshot().mouseOver);
    EXPECT_FALSE(b->Snapshot().mouseInside);
    EXPECT_FALSE(b->Snapshot().hotColors);
    EXPECT_FALSE(b->Snapshot().dropDownHot);
}

TEST_F(GlowButtonDropDown, AfterAHoveredMenuPressTheNormalSetShowsAtOnce) {
    b->SetDropDownButton(true);
    UseMenu();
    Hover(95, 10);
    const DWORD hovered = ::GetTickCount() + 200; // the hot fade has run in full
    PumpUntil([&] { return ::GetTickCount() >= hovered; });
    TTimer later(nullptr);
    later.SetEnabled(false);
    later.SetInterval(300);
    later.OnTimer = [&](TObject*) {
        later.SetEnabled(false);
        ::EndMenu();
    };
    WhileOpen([&] {
        ParkPointer();
        later.SetEnabled(true);
    });
    Press(*b, 95, 10);
    test::DibSurface surface(100, 41);
    b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.dc()), 0);
    EXPECT_EQ(surface.At(50, 10), clWhite);
    EXPECT_EQ(surface.At(50, 0), TColor(0xC0C0C0));
}

TEST_F(GlowButtonDropDown, MouseOverIsHeldWhileTheMenuIsOpenAsThePointerMovesAway) {
    b->SetDropDownButton(true);
    UseMenu();
    Hover(95, 10);
    // A timer's message comes after the pointer's input, which the menu's loop handles.
    TTimer later(nullptr);
    later.SetEnabled(false);
    later.SetInterval(10);
    bool held = false;
    later.OnTimer = [&](TObject*) {
        later.SetEnabled(false);
        held = b->Snapshot().mouseOver;
        ::EndMenu();
    };
    WhileOpen([&] {
        MoveTo(*form, 290, 190);
        later.SetEnabled(true);
    });
    Press(*b, 95, 10);
    EXPECT_TRUE(held);
    EXPECT_FALSE(b->Snapshot().mouseOver);
}

TEST_F(GlowButtonDropDown, RealPressOnTheArrowReleasedOverTheButtonKeepsTheMenuOpen) {
    b->SetDropDownButton(true);
    UseMenu();
    Hover(95, 10);
    // A timer's message comes after the pointer's input, which the menu's loop handles.
    TTimer later(nullptr);
    later.SetEnabled(false);
    later.SetInterval(10);
    bool openAfterRelease = false;
    later.OnTimer = [&](TObject*) {
        later.SetEnabled(false);
        openAfterRelease = OpenMenuWindow() != nullptr;
        ::EndMenu();
    };
    WhileOpen([&] {
        MouseButton(MOUSEEVENTF_LEFTUP);
        later.SetEnabled(true);
    });
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return Popups() == 1 && !menu->IsShowing(); }));
    Settle();
    EXPECT_TRUE(openAfterRelease);
    EXPECT_EQ(Clicks(), 0);
    EXPECT_FALSE(b->Snapshot().leftButtonHeld);
}

TEST_F(GlowButtonDropDown, ChosenItemClicksAfterTheMenuClosedAndTheButtonDoesNot) {
    b->SetDropDownButton(true);
    UseMenu();
    WhileOpen([&] {
        PostKey(b->Handle(), VK_DOWN);
        PostKey(b->Handle(), VK_DOWN);
        PostChar(b->Handle(), L'\r');
    });
    Press(*b, 95, 10);
    EXPECT_EQ(Count(L"item &Second"), 1);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonDropDown, ButtonFreedByOnDropDownOrByAnItemOfItsMenuIsNotTouchedAfterIt) {
    b->SetDropDownButton(true);
    UseMenu();
    HWND wnd = b->Handle();
    auto freeButton = [this](TObject*) {
        delete b;
        b = nullptr;
    };
    menu->Items()->Items(0)->OnClick = freeButton;
    WhileOpen([wnd] {
        PostKey(wnd, VK_DOWN);
        PostChar(wnd, L'\r');
    });
    Press(*b, 95, 10);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(Popups(), 1);

    b = NewButton(60, 60);
    b->SetDropDownButton(true);
    UseMenu();
    b->OnDropDown = freeButton;
    Press(*b, 95, 10);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(Popups(), 1); // no second menu
}

TEST_F(GlowButtonDropDown, PressThatOpenedTheMenuEndsWithIt) {
    b->SetDropDownButton(true);
    UseMenu();
    Press(*b, 95, 10);
    EXPECT_FALSE(b->Snapshot().leftButtonHeld);
    EXPECT_FALSE(b->Snapshot().mouseDownSeen);
    // The menu took the release; one arriving later on its own clicks nothing.
    Release(*b, 95, 10);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonDropDown, DownMenuOpensAtTheBottomLeftCornerOnTheScreen) {
    b->SetDropDownButton(true);
    UseMenu();
    RECT r{};
    WhileOpen([&] {
        r = WindowRect(OpenMenuWindow());
        ::EndMenu();
    });
    Press(*b, 95, 10);
    const POINT corner = b->ClientToScreen({0, 41});
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
    EXPECT_EQ(b->DropDownAnchor().x, corner.x);
    EXPECT_EQ(b->DropDownAnchor().y, corner.y);
}

TEST_F(GlowButtonDropDown, RightMenuOpensAtTheTopRightCornerOnTheScreen) {
    b->SetDropDownButton(true);
    b->SetDropDownDirection(ddRight);
    UseMenu();
    RECT r{};
    WhileOpen([&] {
        r = WindowRect(OpenMenuWindow());
        ::EndMenu();
    });
    Press(*b, 95, 10);
    const POINT corner = b->ClientToScreen({100, 0});
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
}

TEST_F(GlowButtonDropDown, AnchorFollowsTheButtonInsideAContainer) {
    auto* panel = NewOther(150, 100);
    panel->SetBounds(150, 100, 140, 90);
    auto* inner = new TAdvGlowButton(form);
    inner->SetBounds(7, 9, 60, 30);
    inner->SetParent(panel);
    inner->SetDropDownDirection(ddRight);
    const POINT expected = form->ClientToScreen({150 + 7 + 60, 100 + 9});
    EXPECT_EQ(inner->DropDownAnchor().x, expected.x);
    EXPECT_EQ(inner->DropDownAnchor().y, expected.y);
}

TEST_F(GlowButtonDropDown, KeyboardMenuOpensAtTheSameAnchor) {
    UseMenu();
    RECT r{};
    WhileOpen([&] {
        r = WindowRect(OpenMenuWindow());
        ::EndMenu();
    });
    Send(*b, WM_KEYDOWN, VK_F4);
    const POINT corner = b->ClientToScreen({0, 41});
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
}

// ---- the keyboard ----

TEST_F(GlowButtonDropDown, F4OpensTheMenuOfASplitButtonWithTheFacePressedWhileOpen) {
    b->SetDropDownButton(true);
    UseMenu();
    TButtonPressState stateWhileOpen = stateUp;
    WhileOpen([&] {
        stateWhileOpen = b->Snapshot().buttonState;
        ::EndMenu();
    });
    Send(*b, WM_KEYDOWN, VK_F4);
    EXPECT_EQ(Popups(), 1);
    EXPECT_EQ(DropDowns(), 1);
    EXPECT_EQ(stateWhileOpen, stateDown);
    EXPECT_EQ(b->Snapshot().buttonState, stateUp);
}

TEST_F(GlowButtonDropDown, F4FromTheInputQueueOpensTheMenu) {
    b->SetDropDownButton(true);
    UseMenu();
    b->SetFocus();
    Pump();
    Tap(VK_F4);
    ASSERT_TRUE(PumpUntil([&] { return Count(L"keyup 115") == 1 || Popups() == 1; }));
    EXPECT_EQ(Popups(), 1);
    Settle();
}

TEST_F(GlowButtonDropDown, FaceIsPaintedPressedWhileTheKeyboardMenuIsOpen) {
    UseMenu();
    Pump();
    std::vector<TGlowButtonState> looksWhileOpen;
    b->OnDrawButton = [&](TObject*, TCanvas&, const RECT&, TGlowButtonState state) {
        if (!OpenMenuWindow()) return;
        looksWhileOpen.push_back(state);
        ::EndMenu();
    };
    WhileOpen({});
    Send(*b, WM_KEYDOWN, VK_F4);
    ASSERT_FALSE(looksWhileOpen.empty());
    EXPECT_EQ(looksWhileOpen.front(), gsDown);
}

TEST_F(GlowButtonDropDown, KeyboardOpeningRaisesOnDropDownOnlyWithAMenu) {
    auto* m = NewButton<MenuGlowButton>(170, 20);
    int dropDowns = 0;
    m->OnDropDown = [&](TObject*) { ++dropDowns; };
    Send(*m, WM_KEYDOWN, VK_F4);
    EXPECT_EQ(dropDowns, 0);
    m->SetDropDownMenu(menu);
    Send(*m, WM_KEYDOWN, VK_F4);
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(Popups(), 1);
}

TEST_F(GlowButtonDropDown, F4OpensTheMenuOfANonSplitCheckButton) {
    b->SetDropDownButton(true);
    b->SetDropDownSplit(false);
    b->SetStyle(bsCheck);
    UseMenu();
    Send(*b, WM_KEYDOWN, VK_F4);
    EXPECT_EQ(Popups(), 1);
}

TEST_F(GlowButtonDropDown, ButtonWithAMenuButNoDropDownPartOpensItOnF4) {
    UseMenu();
    Send(*b, WM_KEYDOWN, VK_F4);
    EXPECT_EQ(Popups(), 1);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonDropDown, ButtonWithAMenuButNoDropDownPartOpensItOnItsAccelerator) {
    b->SetCaption(L"&Menu");
    UseMenu();
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'm'), 1);
    EXPECT_EQ(Popups(), 1);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonDropDown, EnterOnANonSplitDefaultButtonOpensItsMenu) {
    b->SetDropDownButton(true);
    b->SetDropDownSplit(false);
    b->SetDefault(true);
    UseMenu();
    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN), 1);
    EXPECT_EQ(Popups(), 1);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(GlowButtonDropDown, EscapeOnANonSplitCancelButtonWithoutAMenuClicks) {
    b->SetDropDownButton(true);
    b->SetDropDownSplit(false);
    b->SetCancel(true);
    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_ESCAPE), 1);
    EXPECT_EQ(Popups(), 0);
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(GlowButtonDropDown, EnterOnASplitDefaultButtonClicks) {
    b->SetDropDownButton(true);
    b->SetDefault(true);
    UseMenu();
    form->Perform(CM_DIALOGKEY, VK_RETURN);
    EXPECT_EQ(Popups(), 0);
    EXPECT_EQ(Clicks(), 1);
}

// ---- the setters ----

TEST_F(GlowButtonDropDown, DropDownSettersKeepTheBoundsOfAnAutoSizedButton) {
    b->SetCaption(L"Go");
    b->SetAutoSize(true);
    const int width = b->Width(), height = b->Height();
    b->SetDropDownButton(true);
    EXPECT_EQ(b->Width(), width);
    b->SetDropDownPosition(dpBottom);
    Pump(); // the repaint they ask for measures nothing either
    EXPECT_EQ(b->Height(), height);
    EXPECT_EQ(b->Width(), width);
}

TEST_F(GlowButtonDropDown, SplitAndMenuAreStoredWithoutARepaint) {
    Pump();
    TakeInvalidation(*b);
    b->SetDropDownSplit(false);
    b->SetDropDownMenu(menu);
    EXPECT_FALSE(TakeInvalidation(*b));
}

TEST_F(GlowButtonDropDown, DirectionAndPositionRepaintOnlyWhenChanged) {
    Pump();
    TakeInvalidation(*b);
    b->SetDropDownDirection(ddDown);
    b->SetDropDownPosition(dpRight);
    EXPECT_FALSE(TakeInvalidation(*b));
    b->SetDropDownPosition(dpBottom);
    EXPECT_TRUE(TakeInvalidation(*b));
}

} // namespace
} // namespace plaxor::testing
