// Actions and the controls that follow them: what a control takes from an assigned action,
// how later changes reach it (only where it still shows the action's value), the click that
// runs the action, checking and groups, lists, removal notices and layouts.
#include "ControlsTestSupport.h"
#include "framework/ActionLink.h"
#include "framework/Actions.h"
#include "framework/ImageList.h"
#include "framework/LayoutLoader.h"
#include "framework/LayoutText.h"
#include "framework/PopupMenu.h"
#include "tests/support/LayoutWriter.h"
#include <optional>

namespace plaxor::testing {
namespace {

// A link that records what its action offers it.
class RecordingLink : public TControlActionLink {
public:
    explicit RecordingLink(std::vector<std::wstring>& log) : log_(log) {}
    void ApplyChecked(bool value) override { log_.push_back(L"checked " + Bool(value)); }
    void ApplyGroupIndex(int value) override { log_.push_back(L"group " + std::to_wstring(value)); }
    void ApplyImageIndex(int value) override { log_.push_back(L"image " + std::to_wstring(value)); }

private:
    static std::wstring Bool(bool v) { return v ? L"true" : L"false"; }
    std::vector<std::wstring>& log_;
};

// A control with its own link class and a record of ApplyAction's calls.
class LinkedControl : public ProbeControl {
public:
    explicit LinkedControl(TComponent* owner) : ProbeControl(owner) {}
    std::vector<std::wstring> log;
    std::vector<bool> applied; // the check-defaults flag of each ApplyAction

protected:
    std::unique_ptr<TControlActionLink> ActionLinkClass() const override {
        return std::make_unique<RecordingLink>(const_cast<LinkedControl*>(this)->log);
    }
    void ApplyAction(TBasicAction* sender, bool checkDefaults) override {
        applied.push_back(checkDefaults);
        ProbeControl::ApplyAction(sender, checkDefaults);
    }
};

class ActionTest : public ::testing::Test {
protected:
    TForm form{nullptr};
    TAction* NewAction(const std::wstring& caption = L"&Run") {
        auto* a = new TAction(&form);
        a->SetCaption(caption);
        return a;
    }
    ProbeControl* NewProbe() {
        auto* c = new ProbeControl(&form);
        c->SetParent(&form);
        return c;
    }
};

// ---- assigning ----

TEST_F(ActionTest, AssignedActionGivesCaptionEnabledHintVisibleAndHelpContext) {
    TAction* action = NewAction(L"&Save");
    action->SetEnabled(false);
    action->SetHint(L"Saves");
    action->SetVisible(false);
    action->SetHelpContext(12);
    ProbeControl* c = NewProbe();
    c->SetCaption(L"own");
    c->SetAction(action);
    EXPECT_EQ(c->Action(), action);
    EXPECT_EQ(c->Caption(), L"&Save");
    EXPECT_FALSE(c->Enabled());
    EXPECT_EQ(c->Hint(), L"Saves");
    EXPECT_FALSE(c->Visible());
    EXPECT_EQ(c->HelpContext(), 12);
}

TEST_F(ActionTest, AssigningMakesALinkOfTheControlsClassBoundToIt) {
    TAction* action = NewAction();
    auto* c = new LinkedControl(&form);
    c->SetAction(action);
    auto* link = dynamic_cast<RecordingLink*>(c->ActionLink());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Client(), c);
    EXPECT_EQ(link->Action(), action);
    ASSERT_EQ(action->Links().size(), 1u);
    EXPECT_EQ(action->Links()[0], link);
}

TEST_F(ActionTest, AnotherActionMakesANewLinkAndLeavesTheOldAction) {
    TAction* first = NewAction();
    TAction* second = NewAction();
    ProbeControl* c = NewProbe();
    c->SetAction(first);
    c->SetAction(second);
    EXPECT_TRUE(first->Links().empty());
    EXPECT_EQ(second->Links().size(), 1u);
    c->SetAction(nullptr);
    EXPECT_EQ(c->Action(), nullptr);
    EXPECT_EQ(c->ActionLink(), nullptr);
    EXPECT_TRUE(second->Links().empty());
}

TEST_F(ActionTest, ClickHandlerIsTakenFromTheAction) {
    TAction* action = NewAction();
    TObject* sender = nullptr;
    action->OnExecute = [&](TObject* s) { sender = s; };
    ProbeControl* c = NewProbe();
    c->SetAction(action);
    ASSERT_TRUE(static_cast<bool>(c->OnClick));
    c->OnClick(c);
    EXPECT_EQ(sender, c);
}

TEST_F(ActionTest, LoadingActionLeavesTheControlsOwnValues) {
    TAction* action = NewAction(L"&Action");
    action->SetHint(L"from the action");
    action->SetEnabled(false);
    auto* c = new LinkedControl(&form);
    c->SetCaption(L"&Own");
    c->SetHint(L"own hint");
    c->OnClick = [](TObject*) {};
    action->BeginLoad();
    c->SetAction(action);
    action->EndLoad();
    EXPECT_EQ(c->applied, std::vector<bool>{true});
    EXPECT_EQ(c->Caption(), L"&Own");
    EXPECT_EQ(c->Hint(), L"own hint");
    EXPECT_FALSE(c->Enabled()); // still at its default, so the action's wins
}

TEST_F(ActionTest, LoadingActionGivesItsCaptionToAControlNamedAfterItself) {
    TAction* action = NewAction(L"&Action");
    ProbeControl* c = NewProbe();
    c->SetName(L"probe");
    c->SetCaption(L"probe");
    action->BeginLoad();
    c->SetAction(action);
    action->EndLoad();
    EXPECT_EQ(c->Caption(), L"&Action");
}

// ---- changes of the action ----

TEST_F(ActionTest, ChangesReachTheControl) {
    TAction* action = NewAction();
    ProbeControl* c = NewProbe();
    c->SetAction(action);
    action->SetCaption(L"&Stop");
    action->SetEnabled(false);
    action->SetHint(L"Stops");
    action->SetHelpContext(3);
    EXPECT_EQ(c->Caption(), L"&Stop");
    EXPECT_FALSE(c->Enabled());
    EXPECT_EQ(c->Hint(), L"Stops");
    EXPECT_EQ(c->HelpContext(), 3);
    action->SetVisible(false);
    EXPECT_FALSE(c->Visible());
}

TEST_F(ActionTest, EveryChangeAppliesTheActionAgainWithoutDefaults) {
    TAction* action = NewAction();
    auto* c = new LinkedControl(&form);
    c->SetAction(action);
    action->SetCaption(L"&Other");
    EXPECT_EQ(c->applied, (std::vector<bool>{false, false}));
}

TEST_F(ActionTest, LinksAreOfferedTheNewValueBeforeTheActionStoresIt) {
    TAction* action = NewAction();
    auto* c = new LinkedControl(&form);
    c->SetAction(action);
    action->SetChecked(true);
    action->SetGroupIndex(4);
    action->SetImageIndex(2);
    EXPECT_EQ(c->log, (std::vector<std::wstring>{L"checked true", L"group 4", L"image 2"}));
}

TEST_F(ActionTest, UnchangedValueOffersNothing) {
    TAction* action = NewAction();
    auto* c = new LinkedControl(&form);
    c->SetAction(action);
    action->SetChecked(false);
    action->SetCaption(L"&Run");
    EXPECT_TRUE(c->log.empty());
    EXPECT_EQ(c->applied.size(), 1u);
}

TEST_F(ActionTest, ControlLinkFollowsOnlyWhileTheControlShowsTheActionsValue) {
    TAction* action = NewAction(L"&Run");
    ProbeControl* c = NewProbe();
    c->SetAction(action);
    c->SetCaption(L"mine");
    auto* link = dynamic_cast<TControlActionLink*>(c->ActionLink());
    ASSERT_NE(link, nullptr);
    EXPECT_FALSE(link->IsCaptionLinked());
    EXPECT_TRUE(link->IsEnabledLinked());
    EXPECT_TRUE(link->IsHintLinked());
}

TEST_F(ActionTest, FrameworkLinkTestsNeedACustomAction) {
    TBasicAction basic(&form);
    TControlActionLink link;
    ProbeControl* c = NewProbe();
    link.BindClient(c);
    link.SetAction(&basic);
    EXPECT_FALSE(link.IsCheckedLinked());
    EXPECT_FALSE(link.IsGroupIndexLinked());
    EXPECT_FALSE(link.IsImageIndexLinked());
    EXPECT_TRUE(link.IsOnExecuteLinked());
    link.SetAction(NewAction());
    EXPECT_TRUE(link.IsCheckedLinked());
    EXPECT_TRUE(link.CheckedFollowsAction());
}

TEST_F(ActionTest, ControlLinkNeedsAControl) {
    TControlActionLink link;
    TComponent notAControl(nullptr);
    EXPECT_THROW(link.BindClient(&notAControl), EInvalidOperation);
}

TEST_F(ActionTest, ReplacedHandlerBecomesTheControlsClick) {
    TAction* action = NewAction();
    ProbeControl* c = NewProbe();
    c->SetAction(action);
    int calls = 0;
    action->SetOnExecute([&](TObject*) { ++calls; });
    ASSERT_TRUE(static_cast<bool>(c->OnClick));
    c->OnClick(c);
    EXPECT_EQ(calls, 1);
}

TEST_F(ActionTest, BasicActionChangeReachesTheControl) {
    TBasicAction basic(&form);
    auto* c = new LinkedControl(&form);
    c->SetAction(&basic);
    basic.Change();
    EXPECT_EQ(c->applied, (std::vector<bool>{false, false}));
    EXPECT_EQ(c->Caption(), L""); // a basic action has no caption to give
}

// ---- the click ----

TEST_F(ActionTest, ClickRunsTheActionWithTheControlAsItsComponent) {
    TAction* action = NewAction();
    TObject* sender = nullptr;
    TComponent* component = nullptr;
    action->OnExecute = [&](TObject* s) {
        sender = s;
        component = action->ActionComponent();
    };
    ProbeControl* c = NewProbe();
    c->SetAction(action);
    int ownClicks = 0;
    c->OnClick = [&](TObject*) { ++ownClicks; };
    c->PerformClick();
    EXPECT_EQ(sender, action);
    EXPECT_EQ(component, c);
    EXPECT_EQ(action->ActionComponent(), nullptr);
    EXPECT_EQ(ownClicks, 0);
}

TEST_F(ActionTest, ClickWithoutAnActionRaisesOnClick) {
    ProbeControl* c = NewProbe();
    TObject* sender = nullptr;
    c->OnClick = [&](TObject* s) { sender = s; };
    c->PerformClick();
    EXPECT_EQ(sender, c);
}

TEST_F(ActionTest, DisabledActionDoesNotRun) {
    TAction* action = NewAction();
    int calls = 0;
    action->OnExecute = [&](TObject*) { ++calls; };
    action->SetEnabled(false);
    EXPECT_FALSE(action->Execute());
    EXPECT_EQ(calls, 0);
}

TEST_F(ActionTest, ExecuteWithoutHandlerReportsNothingDone) {
    TAction* action = NewAction();
    EXPECT_FALSE(action->Execute());
}

TEST_F(ActionTest, AutoCheckTogglesOnEachExecute) {
    TAction* action = NewAction();
    action->SetAutoCheck(true);
    action->Execute();
    EXPECT_TRUE(action->Checked());
    action->Execute();
    EXPECT_FALSE(action->Checked());
}

TEST_F(ActionTest, AutoCheckInAGroupOnlyChecks) {
    TAction* action = NewAction();
    action->SetAutoCheck(true);
    action->SetGroupIndex(1);
    action->Execute();
    action->Execute();
    EXPECT_TRUE(action->Checked());
}

// ---- lists and groups ----

TEST_F(ActionTest, CheckingAnActionUnchecksTheOthersOfItsGroupInTheList) {
    TActionList list(&form);
    TAction* a = NewAction();
    TAction* b = NewAction();
    TAction* other = NewAction();
    for (TAction* x : {a, b, other})
        x->SetActionList(&list);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    other->SetGroupIndex(2);
    other->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
}

TEST_F(ActionTest, ListHoldsItsActionsUntilTheyGo) {
    TActionList list(&form);
    TAction* a = NewAction();
    TAction* b = NewAction();
    a->SetActionList(&list);
    b->SetActionList(&list);
    ASSERT_EQ(list.ActionCount(), 2);
    EXPECT_EQ(list.Actions(1), b);
    delete a;
    EXPECT_EQ(list.ActionCount(), 1);
    EXPECT_EQ(list.Actions(0), b);
    EXPECT_THROW(list.Actions(1), EInvalidOperation);
}

TEST_F(ActionTest, FreedListLeavesItsActionsWithoutAList) {
    auto* list = new TActionList(&form);
    TAction* a = NewAction();
    a->SetActionList(list);
    delete list;
    EXPECT_EQ(a->ActionList(), nullptr);
}

// ---- removal ----

TEST_F(ActionTest, ControlForgetsAFreedActionOfTheSameOwner) {
    TAction* action = NewAction();
    ProbeControl* c = NewProbe();
    c->SetAction(action);
    delete action;
    EXPECT_EQ(c->Action(), nullptr);
    EXPECT_EQ(c->ActionLink(), nullptr);
}

TEST_F(ActionTest, FreedActionOfAnotherOwnerLeavesALinkWithoutAction) {
    auto* action = new TAction(nullptr);
    ProbeControl* c = NewProbe();
    c->SetAction(action);
    int clicks = 0;
    c->OnClick = [&](TObject*) { ++clicks; };
    delete action;
    EXPECT_EQ(c->Action(), nullptr);
    c->PerformClick();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ActionTest, FreedControlLeavesTheAction) {
    TAction* action = NewAction();
    ProbeControl* c = NewProbe();
    c->SetAction(action);
    delete c;
    EXPECT_TRUE(action->Links().empty());
    action->SetCaption(L"after"); // reaches no freed control
    EXPECT_EQ(action->Caption(), L"after");
}

TEST_F(ActionTest, ListForgetsAFreedImageListOfTheSameOwner) {
    auto* images = new TImageList(&form);
    TActionList list(&form);
    list.SetImages(images);
    delete images;
    EXPECT_EQ(list.Images(), nullptr);
}

TEST_F(ActionTest, ControlLeavingTheActionFromAChangeStopsNothingElse) {
    TAction* action = NewAction();
    ProbeControl* first = NewProbe();
    ProbeControl* second = NewProbe();
    first->SetAction(action);
    second->SetAction(action);
    action->OnChange = [&](TObject*) { first->SetAction(nullptr); };
    action->SetCaption(L"&New");
    EXPECT_EQ(first->Action(), nullptr);
    EXPECT_EQ(second->Caption(), L"&New");
}

// ---- layouts ----

class ActionLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        factory.Register<TActionList>(L"TActionList");
        factory.Register<TAction>(L"TAction");
        factory.Register<TImageList>(L"TImageList");
        factory.Register<ProbeControl>(L"TProbeControl");
    }
    ComponentFactory factory;
    TForm form{nullptr};
};

TEST_F(ActionLayoutTest, ActionsNestInTheirListAndControlsNameThem) {
    LoadLayout(form,
               ReadLayoutText(L"object F: TForm\n"
                              L" object images: TImageList\n end\n"
                              L" object list: TActionList\n  Images = images\n"
                              L"  object run: TAction\n   Caption = '&Run'\n   GroupIndex = 2\n"
                              L"   ImageIndex = 1\n   AutoCheck = True\n   Checked = True\n"
                              L"   Hint = 'Runs'\n  end\n end\n"
                              L" object probe: TProbeControl\n  Caption = 'Own'\n"
                              L"  Action = run\n end\n"
                              L"end",
                              {}),
               factory);
    auto* list = dynamic_cast<TActionList*>(form.FindComponent(L"list"));
    auto* run = dynamic_cast<TAction*>(form.FindComponent(L"run"));
    auto* probe = dynamic_cast<ProbeControl*>(form.FindComponent(L"probe"));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(run, nullptr);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(list->Images(), form.FindComponent(L"images"));
    EXPECT_EQ(run->ActionList(), list);
    EXPECT_EQ(run->GroupIndex(), 2);
    EXPECT_EQ(run->ImageIndex(), 1);
    EXPECT_TRUE(run->AutoCheck());
    EXPECT_TRUE(run->Checked());
    EXPECT_EQ(probe->Action(), run);
    // Read from the layout: the control's own caption stays, its empty hint takes the action's.
    EXPECT_EQ(probe->Caption(), L"Own");
    EXPECT_EQ(probe->Hint(), L"Runs");
}

TEST_F(ActionLayoutTest, ActionAndPopupMenuAreStoredByName) {
    auto* action = new TAction(&form);
    action->SetName(L"run");
    auto* probe = new ProbeControl(&form);
    probe->SetName(L"probe");
    probe->SetParent(&form);
    probe->SetAction(action);
    auto* menu = new TPopupMenu(&form);
    menu->SetName(L"menu");
    probe->SetPopupMenu(menu);
    const LayoutNode tree = SaveLayout(form);
    const LayoutNode* node = nullptr;
    for (const LayoutNode& child : tree.children)
        if (child.name == L"probe") node = &child;
    ASSERT_NE(node, nullptr);
    std::optional<LayoutValue> storedAction, storedPopup;
    for (const auto& [name, value] : node->properties) {
        if (name == L"Action") storedAction = value;
        if (name == L"PopupMenu") storedPopup = value;
    }
    EXPECT_EQ(storedAction, LayoutValue(Ident{L"run"}));
    EXPECT_EQ(storedPopup, LayoutValue(Ident{L"menu"}));
}

TEST_F(ActionLayoutTest, ActionOutsideAListIsAReadError) {
    EXPECT_THROW(LoadLayout(form,
                            ReadLayoutText(L"object F: TForm\n object probe: TProbeControl\n"
                                           L"  object run: TAction\n  end\n end\nend",
                                           {}),
                            factory),
                 EReadError);
}

} // namespace
} // namespace plaxor::testing
