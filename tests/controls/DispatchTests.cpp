// Message dispatch, control properties that travel as messages, the window's life.
#include "ControlsTestSupport.h"

namespace plaxor::testing {
namespace {

using DispatchTest = WindowTest;

TEST_F(DispatchTest, CaptionGoesThroughSetTextAndReachesTheWindow) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 10, 10, 50, 20);
    int setTexts = 0;
    probe->handlers[WM_SETTEXT] = [&](TMessage& m) {
        ++setTexts;
        probe->PassOn(m);
    };
    probe->SetCaption(L"&Disable");
    EXPECT_EQ(setTexts, 1);
    EXPECT_EQ(probe->Caption(), L"&Disable");
    EXPECT_EQ(probe->Count(CM_TEXTCHANGED), 1);
    wchar_t text[32] = {};
    ::GetWindowTextW(probe->Handle(), text, 32);
    EXPECT_STREQ(text, L"&Disable");
}

TEST_F(DispatchTest, SameCaptionSendsNothing) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 10, 10, 50, 20);
    probe->SetCaption(L"x");
    probe->received.clear();
    probe->SetCaption(L"x");
    EXPECT_EQ(probe->Count(CM_TEXTCHANGED), 0);
}

TEST_F(DispatchTest, WindowTextSetFromOutsideUpdatesTheCaption) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 10, 10, 50, 20);
    ::SetWindowTextW(probe->Handle(), L"outside");
    EXPECT_EQ(probe->Caption(), L"outside");
}

TEST_F(DispatchTest, EnabledChangeNotifiesAndDisablesTheWindow) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 10, 10, 50, 20);
    probe->SetEnabled(false);
    EXPECT_EQ(probe->Count(CM_ENABLEDCHANGED), 1);
    EXPECT_FALSE(::IsWindowEnabled(probe->Handle()));
    probe->SetEnabled(true);
    EXPECT_TRUE(::IsWindowEnabled(probe->Handle()));
}

TEST_F(DispatchTest, BroadcastStopsAtTheFirstNonZeroResult) {
    TForm* form = NewForm();
    auto* first = NewControl(form, 0, 0, 10, 10);
    auto* second = NewControl(form, 20, 0, 10, 10);
    auto* third = NewControl(form, 40, 0, 10, 10);
    first->handlers[CM_BASE + 100] = [](TMessage& m) { m.Result = 0; };
    second->handlers[CM_BASE + 100] = [](TMessage& m) { m.Result = 7; };
    third->handlers[CM_BASE + 100] = [](TMessage& m) { m.Result = 9; };
    TMessage m{CM_BASE + 100, 0, 0, 0};
    form->Broadcast(m);
    EXPECT_EQ(m.Result, 7);
    EXPECT_EQ(third->Count(CM_BASE + 100), 0);
}

TEST_F(DispatchTest, BroadcastPassesOverAControlThatAnEarlierReceiverFreed) {
    TForm* form = NewForm();
    auto* first = NewControl(form, 0, 0, 10, 10);
    ProbeControl* second = NewControl(form, 20, 0, 10, 10);
    auto* third = NewControl(form, 40, 0, 10, 10);
    first->handlers[CM_BASE + 100] = [&](TMessage&) {
        delete second;
        second = nullptr;
    };
    TMessage m{CM_BASE + 100, 0, 0, 0};
    form->Broadcast(m);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(third->Count(CM_BASE + 100), 1);
}

TEST_F(DispatchTest, ChildCommandIsReflectedToTheChild) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 0, 0, 10, 10);
    const LRESULT result = ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                                          reinterpret_cast<LPARAM>(probe->Handle()));
    ASSERT_EQ(probe->Count(CN_COMMAND), 1);
    EXPECT_EQ(probe->received.back().WParam, static_cast<WPARAM>(MAKEWPARAM(0, BN_CLICKED)));
    EXPECT_EQ(result, 0);
}

TEST_F(DispatchTest, ParentFontAndColourChangesReachChildrenThatFollowThem) {
    TForm* form = NewForm();
    auto* follower = NewControl(form, 0, 0, 10, 10);
    auto* own = NewControl(form, 20, 0, 10, 10);
    own->Font()->SetName(L"Courier New");
    own->SetColor(clRed);
    form->Font()->SetHeight(-20);
    form->SetColor(clWhite);
    EXPECT_EQ(follower->Font()->Height(), -20);
    EXPECT_EQ(own->Font()->Height(), -11);
    EXPECT_TRUE(follower->ParentFont());
    EXPECT_FALSE(own->ParentFont());
    EXPECT_EQ(follower->Color(), clWhite);
    EXPECT_EQ(own->Color(), clRed);
}

TEST_F(DispatchTest, ControlTakesItsParentsFontAndColourWhenPlaced) {
    TForm* form = NewForm();
    form->SetColor(clWhite);
    form->Font()->SetName(L"Arial");
    auto* probe = new ProbeControl(form);
    probe->SetParent(form);
    EXPECT_EQ(probe->Font()->Name(), L"Arial");
    EXPECT_EQ(probe->Color(), clWhite);
}

TEST_F(DispatchTest, HandleCreatesTheParentsWindowFirst) {
    TForm* form = NewForm();
    auto* probe = new ProbeControl(form);
    probe->SetParent(form);
    EXPECT_FALSE(form->HandleAllocated());
    HWND wnd = probe->Handle();
    EXPECT_TRUE(form->HandleAllocated());
    EXPECT_EQ(::GetParent(wnd), form->Handle());
}

TEST_F(DispatchTest, WindowedControlWithoutParentHasNoWindow) {
    ProbeControl orphan(nullptr);
    EXPECT_THROW(orphan.Handle(), EInvalidOperation);
    EXPECT_FALSE(orphan.Canvas().HandleAllocated());
}

TEST_F(DispatchTest, ChildWindowsAreMadeWithTheParentsWindow) {
    TForm* form = NewForm();
    auto* probe = new ProbeControl(form);
    probe->SetParent(form);
    form->Handle();
    EXPECT_TRUE(probe->HandleAllocated());
}

TEST_F(DispatchTest, WindowDestroyedByItsParentIsForgottenNotDestroyedTwice) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 0, 0, 10, 10);
    HWND child = probe->Handle();
    ::DestroyWindow(form->Handle());
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_FALSE(probe->HandleAllocated());
    EXPECT_FALSE(form->HandleAllocated());
    delete form; // frees the probe too; neither destroys a window again
    EXPECT_EQ(TWinControl::FromHandle(child), nullptr);
}

TEST_F(DispatchTest, FreeingAFormFreesItsControlsAndWindows) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 0, 0, 10, 10);
    HWND child = probe->Handle();
    HWND top = form->Handle();
    delete form;
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_FALSE(::IsWindow(top));
}

TEST_F(DispatchTest, FreeingAControlTakesItOutOfItsParent) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 0, 0, 10, 10);
    HWND child = probe->Handle();
    delete probe;
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_FALSE(::IsWindow(child));
}

TEST_F(DispatchTest, MovingAControlToAnotherParentMovesItsWindow) {
    TForm* form = NewForm();
    auto* panel = NewControl(form, 50, 50, 100, 100);
    auto* probe = NewControl(form, 0, 0, 10, 10);
    probe->SetParent(panel);
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(panel->ControlCount(), 1);
    EXPECT_EQ(::GetParent(probe->Handle()), panel->Handle());
}

TEST_F(DispatchTest, AControlCannotBeItsOwnAncestor) {
    TForm* form = NewForm();
    auto* panel = NewControl(form, 0, 0, 100, 100);
    auto* inner = NewControl(panel, 0, 0, 10, 10);
    EXPECT_THROW(panel->SetParent(inner), EInvalidOperation);
}

TEST_F(DispatchTest, SizeSetInCodeTakesEffectAtOnce) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 10, 10, 100, 41);
    probe->SetWidth(54);
    RECT r{};
    ::GetClientRect(probe->Handle(), &r);
    EXPECT_EQ(r.right, 54);
    EXPECT_EQ(probe->ClientWidth(), 54);
}

TEST_F(DispatchTest, WindowMovedFromOutsideUpdatesTheBounds) {
    TForm* form = NewForm();
    auto* probe = NewControl(form, 10, 10, 100, 41);
    ::SetWindowPos(probe->Handle(), nullptr, 30, 40, 60, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(probe->Left(), 30);
    EXPECT_EQ(probe->Top(), 40);
    EXPECT_EQ(probe->Width(), 60);
    EXPECT_EQ(probe->Height(), 20);
}

TEST_F(DispatchTest, ClientToScreenGoesThroughTheParents) {
    TForm* form = NewForm();
    auto* graphic = NewControl<ProbeGraphic>(form, 5, 7, 20, 20);
    POINT origin{0, 0};
    ::ClientToScreen(form->Handle(), &origin);
    const POINT p = graphic->ClientToScreen({1, 2});
    EXPECT_EQ(p.x, origin.x + 6);
    EXPECT_EQ(p.y, origin.y + 9);
}

} // namespace
} // namespace plaxor::testing
