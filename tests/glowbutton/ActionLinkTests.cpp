// The glow button and its action: the link it makes, what it takes when the action is assigned
// (group and picture besides what every control takes), Down following Checked, the group and
// picture following the action, the release of a check button, the click, the action's
// pictures in the paint, removal notices and layouts.
#include "ButtonTestSupport.h"
#include "PaintSupport.h"
#include "framework/Actions.h"
#include "framework/Exception.h"
#include "framework/ImageList.h"
#include "framework/LayoutLoader.h"
#include "framework/LayoutText.h"
#include "glowbutton/GlowButtonActionLink.h"

namespace plaxor::testing {
namespace {

class GlowButtonAction : public ButtonFormTest {
protected:
    void SetUp() override {
        ButtonFormTest::SetUp();
        b = NewButton(60, 60);
        action = new TAction(form);
        action->SetCaption(L"&Act");
        action->OnExecute = [this](TObject* sender) { executed.push_back(sender); };
        Pump();
    }
    TAdvGlowButtonActionLink* Link() const {
        return dynamic_cast<TAdvGlowButtonActionLink*>(b->ActionLink());
    }

    TAdvGlowButton* b = nullptr;
    TAction* action = nullptr;
    std::vector<TObject*> executed;
};

// ---- the link ----

TEST_F(GlowButtonAction, AssigningMakesAGlowButtonLinkBoundToTheButton) {
    b->SetAction(action);
    TAdvGlowButtonActionLink* link = Link();
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Button(), b);
    EXPECT_EQ(link->Client(), b);
    EXPECT_EQ(link->Action(), action);
    EXPECT_EQ(link->ImageIndex(), 0);
}

TEST_F(GlowButtonAction, GlowButtonLinkNeedsAGlowButton) {
    TAdvGlowButtonActionLink link;
    OtherControl* other = NewOther();
    EXPECT_THROW(link.BindClient(other), EInvalidOperation);
}

TEST_F(GlowButtonAction, AnotherActionGetsAFreshLink) {
    b->SetAction(action);
    auto* second = new TAction(form);
    b->SetAction(second);
    EXPECT_EQ(Link()->Action(), second);
    EXPECT_TRUE(action->Links().empty());
}

// ---- what the button takes when the action is assigned ----

TEST_F(GlowButtonAction, GroupTwoOnAnUngroupedButtonSetsGroupAndImageIndex) {
    action->SetGroupIndex(2);
    action->SetImageIndex(5);
    b->SetAction(action);
    EXPECT_EQ(b->GroupIndex(), 2);
    EXPECT_EQ(b->ImageIndex(), 5);
}

TEST_F(GlowButtonAction, AGroupedButtonKeepsItsGroupWhenTheActionIsNotLoading) {
    b->SetGroupIndex(3);
    action->SetGroupIndex(2);
    b->SetAction(action);
    EXPECT_EQ(b->GroupIndex(), 3);
}

TEST_F(GlowButtonAction, ALoadingActionGivesItsGroupEvenToAGroupedButton) {
    b->SetGroupIndex(3);
    action->SetGroupIndex(2);
    action->BeginLoad();
    b->SetAction(action);
    action->EndLoad();
    EXPECT_EQ(b->GroupIndex(), 2);
}

TEST_F(GlowButtonAction, CaptionEnabledStateAndHintComeFromTheAction) {
    action->SetEnabled(false);
    action->SetHint(L"acts");
    b->SetAction(action);
    EXPECT_EQ(b->Caption(), L"&Act");
    EXPECT_FALSE(b->Enabled());
    EXPECT_EQ(b->Hint(), L"acts");
}

TEST_F(GlowButtonAction, CheckedIsNotTakenWhenTheActionIsAssigned) {
    b->SetStyle(bsCheck);
    action->SetChecked(true);
    b->SetAction(action);
    EXPECT_FALSE(b->Down());
}

TEST_F(GlowButtonAction, CopyingAButtonTakesItsActionWithALinkOfItsOwn) {
    b->SetAction(action);
    auto* copy = NewButton(170, 60);
    copy->CopyFrom(b);
    EXPECT_EQ(copy->Action(), action);
    EXPECT_NE(copy->ActionLink(), b->ActionLink());
    EXPECT_EQ(action->Links().size(), 2u);
}

// ---- later changes ----

TEST_F(GlowButtonAction, CaptionAndEnabledStateFollowTheAction) {
    b->SetAction(action);
    action->SetCaption(L"&Other");
    action->SetEnabled(false);
    EXPECT_EQ(b->Caption(), L"&Other");
    EXPECT_FALSE(b->Enabled());
    action->SetEnabled(true);
    EXPECT_TRUE(b->Enabled());
}

TEST_F(GlowButtonAction, CheckedDrivesDownThroughTheLink) {
    b->SetStyle(bsCheck);
    b->SetAction(action);
    action->SetChecked(true);
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(b->Snapshot().checkedLinked);
    EXPECT_EQ(b->Snapshot().buttonState, stateDown);
    action->SetChecked(false);
    EXPECT_FALSE(b->Down());
}

TEST_F(GlowButtonAction, CheckedDoesNotFollowWhenDownAlreadyDiffers) {
    b->SetStyle(bsCheck);
    b->SetAction(action);
    b->SetDown(true);
    action->SetChecked(true); // the action said False, the button shows True
    EXPECT_FALSE(b->Snapshot().checkedLinked);
    EXPECT_TRUE(b->Down());
    action->SetChecked(false); // now they agree: the button follows
    EXPECT_TRUE(b->Snapshot().checkedLinked);
    EXPECT_FALSE(b->Down());
}

TEST_F(GlowButtonAction, CheckedThroughTheLinkDoesNotAnnounceTheGroup) {
    auto* other = NewButton(170, 60);
    other->SetGroupIndex(1);
    other->SetDown(true);
    b->SetGroupIndex(1);
    action->SetGroupIndex(1);
    b->SetAction(action);
    action->SetChecked(true);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(b->Snapshot().buttonState, stateChecked);
    EXPECT_TRUE(other->Down()); // the actions of the group uncheck one another instead
}

TEST_F(GlowButtonAction, ActionsOfAGroupMoveTheirButtonsDown) {
    TActionList list(form);
    auto* second = new TAction(form);
    action->SetActionList(&list);
    second->SetActionList(&list);
    action->SetGroupIndex(1);
    second->SetGroupIndex(1);
    b->SetAction(action);
    auto* c = NewButton(170, 60);
    c->SetAction(second);
    action->SetChecked(true);
    second->SetChecked(true);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->Snapshot().buttonState, stateUp);
    EXPECT_TRUE(c->Down());
}

TEST_F(GlowButtonAction, UncheckedActionReleasesItsGroupedButtonWithAllowAllUpToo) {
    b->SetGroupIndex(1);
    b->SetAllowAllUp(true);
    action->SetGroupIndex(1);
    b->SetAction(action);
    action->SetChecked(true);
    action->SetChecked(false);
    EXPECT_FALSE(b->Down());
}

TEST_F(GlowButtonAction, GroupFollowsWhileItEqualsTheActions) {
    action->SetGroupIndex(2);
    b->SetAction(action);
    action->SetGroupIndex(5);
    EXPECT_TRUE(b->Snapshot().groupIndexLinked);
    EXPECT_EQ(b->GroupIndex(), 5);
}

TEST_F(GlowButtonAction, GroupOfItsOwnIsKept) {
    b->SetAction(action);
    b->SetGroupIndex(3);
    action->SetGroupIndex(5);
    EXPECT_FALSE(b->Snapshot().groupIndexLinked);
    EXPECT_EQ(b->GroupIndex(), 3);
}

TEST_F(GlowButtonAction, ImageIndexFollowsFromTheLinksStoredIndex) {
    action->SetImageIndex(0);
    b->SetAction(action);
    action->SetImageIndex(4);
    EXPECT_EQ(Link()->ImageIndex(), 4);
    EXPECT_EQ(b->ImageIndex(), 4);
    action->SetImageIndex(6);
    EXPECT_EQ(Link()->ImageIndex(), 6);
}

TEST_F(GlowButtonAction, ImageIndexOfAnotherValueIsTakenByTheChangeNotTheLink) {
    action->SetImageIndex(3);
    b->SetAction(action);
    action->SetImageIndex(4);
    EXPECT_EQ(Link()->ImageIndex(), 0); // 3 is not what the link applied
    EXPECT_EQ(b->ImageIndex(), 4);      // the action's change applies it all the same
}

// ---- clicks ----

TEST_F(GlowButtonAction, ClickRunsTheActionAndSetsTheModalResult) {
    b->SetModalResult(7);
    b->SetAction(action);
    Click(*b);
    ASSERT_EQ(executed.size(), 1u);
    EXPECT_EQ(executed[0], action);
    EXPECT_EQ(form->ModalResult(), 7);
}

TEST_F(GlowButtonAction, ActionComponentIsTheButtonWhileItRuns) {
    TComponent* component = nullptr;
    action->OnExecute = [&](TObject*) { component = action->ActionComponent(); };
    b->SetAction(action);
    Click(*b);
    EXPECT_EQ(component, b);
}

TEST_F(GlowButtonAction, ClickRaisedDirectlyOnReleaseNamesTheAction) {
    b->SetAction(action);
    std::vector<TObject*> senders;
    b->OnClick = [&](TObject* sender) { senders.push_back(sender); };
    Click(*b);
    Send(*b, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(10, 10));
    Release(*b);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], action);
}

TEST_F(GlowButtonAction, CheckButtonWithAnAutoCheckActionLeavesTheReleaseToTheFramework) {
    b->SetStyle(bsCheck);
    action->SetAutoCheck(true);
    b->SetAction(action);
    Click(*b);
    EXPECT_TRUE(action->Checked());
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(executed.size(), 1u);
    Click(*b);
    EXPECT_FALSE(action->Checked());
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(executed.size(), 2u);
}

TEST_F(GlowButtonAction, CheckButtonReleasedOutsideWithAnAutoCheckActionStaysAsTheFrameworkLeftIt) {
    b->SetStyle(bsCheck);
    action->SetAutoCheck(true);
    b->SetAction(action);
    Press(*b);
    Release(*b, 150, 10);
    // The handler returned before its own "released outside" step: no click, Down as pressed.
    EXPECT_TRUE(executed.empty());
    EXPECT_TRUE(b->Down());
}

TEST_F(GlowButtonAction, CheckButtonWithAPlainActionGoesBackUpWhenReleasedOutside) {
    b->SetStyle(bsCheck);
    b->SetAction(action);
    Press(*b);
    Release(*b, 150, 10);
    EXPECT_TRUE(executed.empty());
    EXPECT_FALSE(b->Down());
}

TEST_F(GlowButtonAction, GroupedButtonWhoseGroupFollowsLeavesTheReleaseToTheFramework) {
    action->SetGroupIndex(1);
    b->SetAction(action);
    action->SetGroupIndex(2); // runs the follow test: the button follows
    ASSERT_TRUE(b->Snapshot().groupIndexLinked);
    Click(*b);
    EXPECT_EQ(executed.size(), 1u);
    EXPECT_FALSE(b->Down()); // the press alone does not move a grouped button down
}

// ---- removal ----

TEST_F(GlowButtonAction, FreedActionOfTheSameOwnerIsForgotten) {
    b->SetAction(action);
    delete action;
    action = nullptr;
    EXPECT_EQ(b->Action(), nullptr);
    EXPECT_EQ(b->ActionLink(), nullptr);
    Click(*b); // runs nothing freed
}

TEST_F(GlowButtonAction, FreedImageListOfTheSameOwnerIsForgotten) {
    auto* images = new TImageList(form);
    b->SetImages(images);
    b->SetDisabledImages(images);
    b->SetHotImages(images);
    delete images;
    EXPECT_EQ(b->Images(), nullptr);
    EXPECT_EQ(b->DisabledImages(), nullptr);
    EXPECT_EQ(b->HotImages(), nullptr);
}

// ---- the action's pictures ----

TEST_F(GlowButtonAction, ActionListImagesArePaintedWithTheActionsIndex) {
    TActionList list(form);
    auto* images = new TImageList(form);
    TBitmap strip;
    strip.SetSize(32, 16);
    strip.Canvas().Brush().SetColor(clBlue);
    strip.Canvas().FillRect({0, 0, 16, 16});
    strip.Canvas().Brush().SetColor(clRed);
    strip.Canvas().FillRect({16, 0, 32, 16});
    images->Add(strip, clNone);
    list.SetImages(images);
    action->SetActionList(&list);
    action->SetImageIndex(1);
    b->SetAction(action);
    b->SetCaption(L"");
    test::Surface surface(b->Width(), b->Height());
    b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.dc()), 0);
    const int red = surface.CountIf(surface.rect(), [](TColor c) { return c == clRed; });
    EXPECT_EQ(red, 16 * 16);
    EXPECT_EQ(b->ImageIndex(), 1);
}

// ---- layouts ----

TEST(GlowButtonActionLayout, ActionIsNamedInTheLayoutAndAppliedWithTheButtonsOwnValuesKept) {
    ComponentFactory factory;
    factory.Register<TAdvGlowButton>(L"TAdvGlowButton");
    factory.Register<TActionList>(L"TActionList");
    factory.Register<TAction>(L"TAction");
    TForm form(nullptr);
    LoadLayout(form,
               ReadLayoutText(L"object F: TForm\n"
                              L" object list: TActionList\n"
                              L"  object run: TAction\n   Caption = 'Run'\n   GroupIndex = 4\n"
                              L"   ImageIndex = 2\n  end\n end\n"
                              L" object btn: TAdvGlowButton\n  Caption = 'Mine'\n"
                              L"  GroupIndex = 1\n  Action = run\n end\n"
                              L"end",
                              {}),
               factory);
    auto* b = dynamic_cast<TAdvGlowButton*>(form.FindComponent(L"btn"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Action(), form.FindComponent(L"run"));
    EXPECT_EQ(b->Caption(), L"Mine");
    EXPECT_EQ(b->GroupIndex(), 4); // a loading action gives its group
    EXPECT_EQ(b->ImageIndex(), 2);
}

} // namespace
} // namespace plaxor::testing
