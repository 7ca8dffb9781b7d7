// Popup menus: the item tree, a real Windows popup menu opened at a screen point and driven by
// keys from inside its own loop, the wait that keeps timers and repaints going, handlers that
// free items or the menu while it is open, context menus, removal notices and layouts.
#include "ControlsTestSupport.h"
#include "MenuTestSupport.h"
#include "framework/ImageList.h"
#include "framework/LayoutLoader.h"
#include "framework/LayoutText.h"
#include "framework/PopupMenu.h"
#include <windowsx.h>

namespace plaxor::testing {
namespace {

// ---- the item tree ----

TEST(MenuItems, AddInsertAndRemoveKeepTheOrder) {
    TMenuItem root(nullptr);
    auto* a = new TMenuItem(nullptr);
    auto* b = new TMenuItem(nullptr);
    auto* c = new TMenuItem(nullptr);
    root.Add(a);
    root.Add(c);
    root.Insert(1, b);
    EXPECT_EQ(root.Items(0), a);
    EXPECT_EQ(root.Items(1), b);
    EXPECT_EQ(root.Items(2), c);
    EXPECT_EQ(b->ParentItem(), &root);
    root.Remove(b);
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(b->ParentItem(), nullptr);
    delete b;
}

TEST(MenuItems, AddingAnItemOfAnotherParentMovesIt) {
    TMenuItem first(nullptr), second(nullptr);
    auto* item = new TMenuItem(nullptr);
    first.Add(item);
    second.Add(item);
    EXPECT_EQ(first.Count(), 0);
    EXPECT_EQ(second.IndexOf(item), 0);
}

TEST(MenuItems, BadIndexAndCyclesAreErrors) {
    TMenuItem root(nullptr);
    auto* child = new TMenuItem(nullptr);
    root.Add(child);
    EXPECT_THROW(root.Items(1), EMenuError);
    EXPECT_THROW(root.Items(-1), EMenuError);
    EXPECT_THROW(root.Insert(3, new TMenuItem(&root)), EMenuError);
    EXPECT_THROW(child->Add(&root), EMenuError);
    EXPECT_THROW(root.Add(&root), EMenuError);
    EXPECT_THROW(root.Add(nullptr), EMenuError);
    EXPECT_EQ(root.Count(), 1);
}

TEST(MenuItems, FreeingAnItemFreesItsSubItemsAndLeavesTheParent) {
    TComponent owner(nullptr);
    TMenuItem root(nullptr);
    auto* parent = new TMenuItem(&owner);
    auto* child = new TMenuItem(&owner);
    root.Add(parent);
    parent->Add(child);
    ASSERT_EQ(owner.Components().size(), 2u);
    delete parent;
    EXPECT_EQ(root.Count(), 0);
    EXPECT_TRUE(owner.Components().empty());
}

TEST(MenuItems, OwnerFreesItemsThatHangInAMenu) {
    auto* owner = new TComponent(nullptr);
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(owner);
    auto* sub = new TMenuItem(owner);
    menu.Items()->Add(item);
    item->Add(sub);
    delete owner;
    EXPECT_EQ(menu.Items()->Count(), 0);
}

TEST(MenuItems, ItemsKnowTheirMenuAndAreFoundByCommand) {
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(nullptr);
    auto* sub = new TMenuItem(nullptr);
    menu.Items()->Add(item);
    item->Add(sub);
    EXPECT_EQ(sub->Menu(), &menu);
    EXPECT_EQ(menu.Items()->FindByCommand(sub->Command()), sub);
    EXPECT_NE(item->Command(), sub->Command());
    EXPECT_EQ(menu.Items()->FindByCommand(0), nullptr);
}

TEST(MenuItems, RootOfAMenuCannotBeInsertedElsewhere) {
    TPopupMenu menu(nullptr);
    TMenuItem other(nullptr);
    EXPECT_THROW(other.Add(menu.Items()), EMenuError);
}

// ---- a real popup menu ----

class PopupMenuTest : public SharedFormTest {
protected:
    void SetUp() override {
        SharedFormTest::SetUp();
        menu = new TPopupMenu(form);
        one = AddItem(L"&One");
        two = AddItem(L"&Two");
        three = AddItem(L"T&hree");
    }
    // The menu frees its items: they need no owner (and the suite's clean-up frees each of
    // the form's components once).
    TMenuItem* AddItem(const std::wstring& caption, TMenuItem* parent = nullptr) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject* sender) {
            clicked.push_back(caption);
            senders.push_back(sender);
        };
        (parent ? parent : menu->Items())->Add(item);
        return item;
    }
    // Opens the menu at (x, y); work runs from inside the menu's loop.
    void ShowWith(std::function<void()> work, int x = 300, int y = 300) {
        MenuWatchdog watchdog;
        TickWhileOpen tick(std::move(work));
        menu->ShowMenuAt(x, y);
        EXPECT_FALSE(MenuWatchdog::fired()) << "the menu had to be closed by the watchdog";
        ticked = tick.ticks;
    }
    HWND Queue() { return form->Handle(); }

    TPopupMenu* menu = nullptr;
    TMenuItem *one = nullptr, *two = nullptr, *three = nullptr;
    std::vector<std::wstring> clicked;
    std::vector<TObject*> senders;
    int ticked = 0;
};

TEST_F(PopupMenuTest, KeysChooseAnItemAndItsClickComesAfterTheMenuClosed) {
    bool openAtClick = true;
    two->OnClick = [&](TObject*) { openAtClick = OpenMenuWindow() != nullptr; };
    ShowWith([&] {
        PostKey(Queue(), VK_DOWN);
        PostKey(Queue(), VK_DOWN);
        PostChar(Queue(), L'\r');
    });
    EXPECT_FALSE(openAtClick);
    EXPECT_FALSE(menu->IsShowing());
}

TEST_F(PopupMenuTest, ChosenItemClicksWithItselfAsSender) {
    ShowWith([&] {
        PostKey(Queue(), VK_DOWN);
        PostChar(Queue(), L'\r');
    });
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"&One"});
    EXPECT_EQ(senders, std::vector<TObject*>{one});
}

TEST_F(PopupMenuTest, AcceleratorLetterChoosesItsItem) {
    ShowWith([&] { PostChar(Queue(), L'h'); });
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"T&hree"});
}

TEST_F(PopupMenuTest, EscapeClosesWithoutAChoice) {
    ShowWith([&] {
        PostKey(Queue(), VK_DOWN);
        PostKey(Queue(), VK_ESCAPE);
    });
    EXPECT_TRUE(clicked.empty());
}

TEST_F(PopupMenuTest, EndMenuFromATimerClosesWithoutAChoice) {
    ShowWith([&] { ::EndMenu(); });
    EXPECT_EQ(ticked, 1);
    EXPECT_TRUE(clicked.empty());
}

TEST_F(PopupMenuTest, CancelModeSentToTheMenuClosesIt) {
    ShowWith([&] { ::PostMessageW(OpenMenuWindow(), WM_CANCELMODE, 0, 0); });
    EXPECT_TRUE(clicked.empty());
    EXPECT_FALSE(menu->IsShowing());
}

TEST_F(PopupMenuTest, MenuOpensWithItsTopLeftCornerAtThePoint) {
    RECT r{};
    bool showing = false;
    ShowWith(
        [&] {
            showing = menu->IsShowing();
            r = WindowRect(OpenMenuWindow());
            ::EndMenu();
        },
        250, 180);
    EXPECT_TRUE(showing);
    EXPECT_EQ(r.left, 250);
    EXPECT_EQ(r.top, 180);
}

TEST_F(PopupMenuTest, TimersTickWhileTheMenuIsOpen) {
    // A second, independent timer: delivered from the menu's loop, not from the test's.
    TTimer other(nullptr);
    other.SetInterval(600000);
    int ticks = 0;
    bool openAtTick = false;
    other.OnTimer = [&](TObject*) {
        ++ticks;
        openAtTick = OpenMenuWindow() != nullptr;
        ::EndMenu();
    };
    ShowWith([&] { ::PostMessageW(other.Handle(), WM_TIMER, TTimer::TimerId, 0); });
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(openAtTick);
}

TEST_F(PopupMenuTest, RealTimerStartedBeforeTheMenuTicksWhileItIsOpen) {
    TTimer timer(nullptr);
    bool openAtTick = false;
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        openAtTick = OpenMenuWindow() != nullptr;
        ::EndMenu();
    };
    ShowWith({});
    EXPECT_TRUE(openAtTick);
}

TEST_F(PopupMenuTest, WindowsRepaintWhileTheMenuIsOpen) {
    auto* probe = NewControl(form, 10, 10, 50, 30);
    Pump();
    const int before = probe->paints;
    bool openAtPaint = false;
    probe->paint = [&](TCanvas&) {
        openAtPaint = OpenMenuWindow() != nullptr;
        ::EndMenu();
    };
    ShowWith([&] { probe->RequestRepaint(); });
    EXPECT_GT(probe->paints, before);
    EXPECT_TRUE(openAtPaint);
}

TEST_F(PopupMenuTest, OnPopupComesFirstAndMayChangeTheItems) {
    menu->OnPopup = [&](TObject* sender) {
        EXPECT_EQ(sender, menu);
        EXPECT_EQ(OpenMenuWindow(), nullptr);
        AddItem(L"&Added");
    };
    ShowWith([&] { PostChar(Queue(), L'a'); });
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"&Added"});
}

TEST_F(PopupMenuTest, HiddenItemsAreLeftOut) {
    one->SetVisible(false);
    ShowWith([&] {
        PostKey(Queue(), VK_DOWN);
        PostChar(Queue(), L'\r');
    });
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"&Two"});
}

TEST_F(PopupMenuTest, SeparatorsAreSkippedByTheKeys) {
    auto* line = AddItem(L"-");
    menu->Items()->Insert(0, line);
    ShowWith([&] {
        PostKey(Queue(), VK_DOWN);
        PostChar(Queue(), L'\r');
    });
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"&One"});
}

TEST_F(PopupMenuTest, DisabledItemCannotBeChosen) {
    one->SetEnabled(false);
    ShowWith([&] {
        PostChar(Queue(), L'o');
        PostKey(Queue(), VK_ESCAPE);
        PostKey(Queue(), VK_ESCAPE);
    });
    EXPECT_TRUE(clicked.empty());
}

TEST_F(PopupMenuTest, SubItemIsChosenThroughItsSubMenu) {
    TMenuItem* sub = AddItem(L"&Inner", two);
    (void)sub;
    ShowWith([&] {
        PostKey(Queue(), VK_DOWN);
        PostKey(Queue(), VK_DOWN);
        PostKey(Queue(), VK_RIGHT);
        PostChar(Queue(), L'\r');
    });
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"&Inner"});
}

TEST_F(PopupMenuTest, ItemFreedWhileOpenIsNotClicked) {
    ShowWith([&] {
        PostKey(Queue(), VK_DOWN);
        PostChar(Queue(), L'\r');
        delete one;
        one = nullptr;
    });
    EXPECT_TRUE(clicked.empty());
}

TEST_F(PopupMenuTest, MenuFreedWhileOpenIsLeftAlone) {
    ShowWith([&] {
        delete menu;
        menu = nullptr;
        PostKey(Queue(), VK_DOWN);
        PostChar(Queue(), L'\r');
    });
    EXPECT_TRUE(clicked.empty());
}

TEST_F(PopupMenuTest, MenuWithoutVisibleItemsOpensNothing) {
    one->SetVisible(false);
    two->SetVisible(false);
    three->SetVisible(false);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    bool opened = false;
    TickWhileOpen tick([&] { opened = OpenMenuWindow() != nullptr; });
    menu->ShowMenuAt(300, 300);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(tick.ticks, 0);
    Pump();
    EXPECT_FALSE(opened);
}

TEST_F(PopupMenuTest, ShowingAgainWhileOpenDoesNothing) {
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    ShowWith([&] {
        menu->ShowMenuAt(10, 10);
        ::EndMenu();
    });
    EXPECT_EQ(popups, 1);
}

TEST_F(PopupMenuTest, FocusStaysWithTheControlWhileTheMenuIsOpen) {
    auto* probe = NewControl(form, 10, 10, 50, 30);
    probe->SetFocus();
    Pump();
    HWND focusWhileOpen = nullptr;
    ShowWith([&] {
        focusWhileOpen = ::GetFocus();
        ::EndMenu();
    });
    EXPECT_EQ(focusWhileOpen, probe->Handle());
    EXPECT_EQ(::GetFocus(), probe->Handle());
}

// The shown menu window's pixels, read back from the screen.
class MenuPixels {
public:
    explicit MenuPixels(HWND menuWindow) : dc_(menuWindow) {
        ::UpdateWindow(menuWindow);
        const RECT r = WindowRect(menuWindow);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
    }
    COLORREF At(int x, int y) const { return ::GetPixel(dc_.get(), x, y); }
    int Count(COLORREF colour) const {
        int n = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) == colour) ++n;
        return n;
    }
    // The first pixel of a colour, row by row.
    POINT Find(COLORREF colour) const {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) == colour) return {x, y};
        return {-1, -1};
    }
    int width() const { return width_; }

private:
    WindowDC dc_;
    int width_ = 0, height_ = 0;
};

class MenuPictureTest : public PopupMenuTest {
protected:
    void SetUp() override {
        PopupMenuTest::SetUp();
        images = new TImageList(form);
        TBitmap strip;
        strip.SetSize(32, 16);
        strip.Canvas().Brush().SetColor(clBlue);
        strip.Canvas().FillRect({0, 0, 16, 16});
        strip.Canvas().Brush().SetColor(clRed);
        strip.Canvas().FillRect({16, 0, 32, 16});
        strip.Canvas().FillRect({0, 0, 2, 2}); // image 0: blue (keyed out) but a red corner
        images->Add(strip, clBlue);
        menu->SetImages(images);
    }
    TImageList* images = nullptr;
};

TEST_F(MenuPictureTest, ItemShowsItsListImage) {
    one->SetImageIndex(1);
    int red = 0;
    ShowWith([&] {
        red = MenuPixels(OpenMenuWindow()).Count(RGB(255, 0, 0));
        ::EndMenu();
    });
    EXPECT_EQ(red, 16 * 16);
}

TEST_F(MenuPictureTest, TransparentPixelsOfTheImageShowTheMenu) {
    one->SetImageIndex(0);
    int red = 0, blue = -1;
    COLORREF inside = 0, background = 1;
    ShowWith([&] {
        MenuPixels pixels(OpenMenuWindow());
        red = pixels.Count(RGB(255, 0, 0));
        blue = pixels.Count(RGB(0, 0, 255));
        const POINT corner = pixels.Find(RGB(255, 0, 0));
        inside = pixels.At(corner.x + 8, corner.y + 8);
        background = pixels.At(pixels.width() - 8, corner.y + 8);
        ::EndMenu();
    });
    EXPECT_EQ(red, 4);
    EXPECT_EQ(blue, 0);
    EXPECT_EQ(inside, background);
}

TEST_F(MenuPictureTest, DisabledItemShowsItsImageGreyed) {
    one->SetImageIndex(1);
    one->SetEnabled(false);
    int red = -1;
    ShowWith([&] {
        red = MenuPixels(OpenMenuWindow()).Count(RGB(255, 0, 0));
        ::EndMenu();
    });
    EXPECT_EQ(red, 0);
}

TEST_F(MenuPictureTest, ImageListFreedWhileOpenIsForgotten) {
    one->SetImageIndex(1);
    ShowWith([&] {
        delete images;
        images = nullptr;
        ::InvalidateRect(OpenMenuWindow(), nullptr, TRUE);
        ::UpdateWindow(OpenMenuWindow());
        ::EndMenu();
    });
    EXPECT_EQ(menu->Images(), nullptr);
}

TEST_F(MenuPictureTest, IndexOutsideTheListShowsNoPictureAndStillChooses) {
    two->SetImageIndex(7);
    int red = -1;
    ShowWith([&] {
        red = MenuPixels(OpenMenuWindow()).Count(RGB(255, 0, 0));
        PostKey(Queue(), VK_DOWN);
        PostKey(Queue(), VK_DOWN);
        PostChar(Queue(), L'\r');
    });
    EXPECT_EQ(red, 0);
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"&Two"});
}

TEST_F(MenuPictureTest, WithoutAListNoPictureIsShown) {
    menu->SetImages(nullptr);
    one->SetImageIndex(1);
    int red = -1;
    ShowWith([&] {
        red = MenuPixels(OpenMenuWindow()).Count(RGB(255, 0, 0));
        ::EndMenu();
    });
    EXPECT_EQ(red, 0);
}

// ---- context menus ----

TEST_F(PopupMenuTest, RightClickMenuOpensAtThePointerOfAControlWithAPopupMenu) {
    auto* probe = NewControl(form, 10, 10, 80, 40);
    probe->SetPopupMenu(menu);
    Pump();
    RECT r{};
    MenuWatchdog watchdog;
    TickWhileOpen tick([&] {
        r = WindowRect(OpenMenuWindow());
        PostKey(Queue(), VK_DOWN);
        PostChar(Queue(), L'\r');
    });
    ::SendMessageW(probe->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(probe->Handle()),
                   MAKELPARAM(200, 220));
    EXPECT_FALSE(MenuWatchdog::fired());
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 220);
    EXPECT_EQ(clicked, std::vector<std::wstring>{L"&One"});
}

TEST_F(PopupMenuTest, MenuKeyOpensTheMenuAtTheControlsCorner) {
    auto* probe = NewControl(form, 10, 10, 80, 40);
    probe->SetPopupMenu(menu);
    Pump();
    RECT r{};
    MenuWatchdog watchdog;
    TickWhileOpen tick([&] {
        r = WindowRect(OpenMenuWindow());
        ::EndMenu();
    });
    ::SendMessageW(probe->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(probe->Handle()),
                   MAKELPARAM(-1, -1));
    const POINT corner = probe->ClientToScreen({0, 0});
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
}

TEST_F(PopupMenuTest, WithoutAutoPopupTheRightClickOpensNothing) {
    auto* probe = NewControl(form, 10, 10, 80, 40);
    probe->SetPopupMenu(menu);
    menu->SetAutoPopup(false);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    ::SendMessageW(probe->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(probe->Handle()),
                   MAKELPARAM(200, 220));
    EXPECT_EQ(popups, 0);
}

TEST_F(PopupMenuTest, ChildWithoutAMenuLetsTheFormsMenuOpen) {
    auto* probe = NewControl(form, 10, 10, 80, 40);
    form->SetPopupMenu(menu);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    MenuWatchdog watchdog;
    TickWhileOpen tick([&] { ::EndMenu(); });
    ::SendMessageW(probe->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(probe->Handle()),
                   MAKELPARAM(200, 220));
    form->SetPopupMenu(nullptr);
    EXPECT_EQ(popups, 1);
}

// ---- removal and layouts ----

TEST(PopupMenuRemoval, ControlForgetsAFreedMenuOfTheSameOwner) {
    TForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    auto* probe = new ProbeControl(&form);
    probe->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(probe->PopupMenu(), nullptr);
}

TEST(PopupMenuRemoval, MenuForgetsAFreedImageListOfTheSameOwner) {
    TComponent owner(nullptr);
    auto* images = new TImageList(&owner);
    auto* menu = new TPopupMenu(&owner);
    menu->SetImages(images);
    delete images;
    EXPECT_EQ(menu->Images(), nullptr);
}

class MenuLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        factory.Register<TPopupMenu>(L"TPopupMenu");
        factory.Register<TMenuItem>(L"TMenuItem");
        factory.Register<TImageList>(L"TImageList");
        factory.Register<ProbeControl>(L"TProbeControl");
    }
    ComponentFactory factory;
    TForm form{nullptr};
};

TEST_F(MenuLayoutTest, NestedItemsBuildTheTree) {
    LoadLayout(form,
               ReadLayoutText(L"object F: TForm\n"
                              L" object images: TImageList\n end\n"
                              L" object menu: TPopupMenu\n  Images = images\n  AutoPopup = False\n"
                              L"  object open: TMenuItem\n   Caption = '&Open'\n   Checked = True\n"
                              L"   object inner: TMenuItem\n    Caption = 'Inner'\n"
                              L"    Enabled = False\n   end\n  end\n"
                              L"  object line: TMenuItem\n   Caption = '-'\n   Visible = False\n"
                              L"  end\n end\n"
                              L" object probe: TProbeControl\n  PopupMenu = menu\n end\n"
                              L"end",
                              {}),
               factory);
    auto* menu = dynamic_cast<TPopupMenu*>(form.FindComponent(L"menu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Images(), form.FindComponent(L"images"));
    EXPECT_FALSE(menu->AutoPopup());
    ASSERT_EQ(menu->Items()->Count(), 2);
    TMenuItem* open = menu->Items()->Items(0);
    EXPECT_EQ(open, form.FindComponent(L"open"));
    EXPECT_EQ(open->Caption(), L"&Open");
    EXPECT_TRUE(open->Checked());
    ASSERT_EQ(open->Count(), 1);
    EXPECT_FALSE(open->Items(0)->Enabled());
    EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
    EXPECT_FALSE(menu->Items()->Items(1)->Visible());
    auto* probe = dynamic_cast<ProbeControl*>(form.FindComponent(L"probe"));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->PopupMenu(), menu);
}

TEST_F(MenuLayoutTest, ItemOutsideAMenuIsAReadError) {
    EXPECT_THROW(
        LoadLayout(form,
                   ReadLayoutText(L"object F: TForm\n object stray: TMenuItem\n end\nend", {}),
                   factory),
        EReadError);
}

TEST_F(MenuLayoutTest, ItemClickHandlersAreBoundByName) {
    class Root : public TForm, public ILayoutRoot {
    public:
        Root() : TForm(nullptr) {}
        std::wstring ClassName() const override { return L"TRoot"; }
        TNotifyEvent FindEventHandler(const std::wstring& name) override {
            return [this, name](TObject*) { calls.push_back(name); };
        }
        void BindField(const std::wstring&, TComponent*) override {}
        std::vector<std::wstring> calls;
    } root;
    LoadLayout(root,
               ReadLayoutText(L"object R: TRoot\n object menu: TPopupMenu\n  OnPopup = Popped\n"
                              L"  object item: TMenuItem\n   OnClick = Chosen\n  end\n end\nend",
                              {}),
               factory);
    auto* menu = dynamic_cast<TPopupMenu*>(root.FindComponent(L"menu"));
    ASSERT_NE(menu, nullptr);
    menu->OnPopup(menu);
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(root.calls, (std::vector<std::wstring>{L"Popped", L"Chosen"}));
}

} // namespace
} // namespace plaxor::testing
