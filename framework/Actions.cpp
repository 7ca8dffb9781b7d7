#include "Actions.h"
#include "ActionLink.h"
#include "Exception.h"
#include "ImageList.h"
#include "Properties.h"
#include <algorithm>

namespace plaxor {

namespace {
TActionLink* AsActionLink(TBasicActionLink& link) {
    return dynamic_cast<TActionLink*>(&link);
}
} // namespace

// ---- basic actions ----

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
    while (!links_.empty())
        links_.back()->SetAction(nullptr); // unregisters itself
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    Raise(OnExecute, this);
    return true;
}

void TBasicAction::SetOnExecute(const TNotifyEvent& handler) {
    ForEachLink([&](TBasicActionLink& link) { link.ApplyOnExecute(handler); });
    OnExecute = handler;
    Change();
}

void TBasicAction::Change() {
    const TComponentRef self(this);
    Raise(OnChange, this);
    if (self) ForEachLink([](TBasicActionLink& link) { link.Change(); });
}

bool TBasicAction::IsLinked(const TBasicActionLink* link) const noexcept {
    return std::find(links_.begin(), links_.end(), link) != links_.end();
}

void TBasicAction::RegisterLink(TBasicActionLink* link) {
    if (!IsLinked(link)) links_.push_back(link);
}

void TBasicAction::UnregisterLink(TBasicActionLink* link) noexcept {
    std::erase(links_, link);
}

// ---- custom actions ----

TCustomAction::TCustomAction(TComponent* owner) : TBasicAction(owner) {}

TCustomAction::~TCustomAction() {
    SetActionList(nullptr);
}

void TCustomAction::SetCaption(const std::wstring& value) {
    if (value == caption_) return;
    ForEachLink([&](TBasicActionLink& l) {
        if (TActionLink* link = AsActionLink(l)) link->ApplyCaption(value);
    });
    caption_ = value;
    Change();
}

void TCustomAction::SetChecked(bool value) {
    // Unchecking the rest of a group comes back here through their setters.
    if (checking_ || value == checked_) return;
    checking_ = true;
    try {
        ForEachLink([&](TBasicActionLink& l) {
            if (TActionLink* link = AsActionLink(l)) link->ApplyChecked(value);
        });
        checked_ = value;
        if (value && groupIndex_ > 0 && actionList_) {
            const std::vector<TCustomAction*> group = actionList_->actions_;
            for (TCustomAction* other : group)
                if (other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
        }
        Change();
    } catch (...) {
        checking_ = false;
        throw;
    }
    checking_ = false;
}

void TCustomAction::SetEnabled(bool value) {
    if (value == enabled_) return;
    ForEachLink([&](TBasicActionLink& l) {
        if (TActionLink* link = AsActionLink(l)) link->ApplyEnabled(value);
    });
    enabled_ = value;
    Change();
}

void TCustomAction::SetVisible(bool value) {
    if (value == visible_) return;
    ForEachLink([&](TBasicActionLink& l) {
        if (TActionLink* link = AsActionLink(l)) link->ApplyVisible(value);
    });
    visible_ = value;
    Change();
}

void TCustomAction::SetHint(const std::wstring& value) {
    if (value == hint_) return;
    ForEachLink([&](TBasicActionLink& l) {
        if (TActionLink* link = AsActionLink(l)) link->ApplyHint(value);
    });
    hint_ = value;
    Change();
}

void TCustomAction::SetHelpContext(int value) {
    if (value == helpContext_) return;
    ForEachLink([&](TBasicActionLink& l) {
        if (TActionLink* link = AsActionLink(l)) link->ApplyHelpContext(value);
    });
    helpContext_ = value;
    Change();
}

void TCustomAction::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    ForEachLink([&](TBasicActionLink& l) {
        if (TActionLink* link = AsActionLink(l)) link->ApplyImageIndex(value);
    });
    imageIndex_ = value;
    Change();
}

void TCustomAction::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    ForEachLink([&](TBasicActionLink& l) {
        if (TActionLink* link = AsActionLink(l)) link->ApplyGroupIndex(value);
    });
    groupIndex_ = value;
    Change();
}

void TCustomAction::SetAutoCheck(bool value) {
    if (value == autoCheck_) return;
    autoCheck_ = value;
    Change();
}

void TCustomAction::SetActionList(TActionList* value) {
    if (value == actionList_) return;
    if (actionList_) std::erase(actionList_->actions_, this);
    actionList_ = value;
    if (value) value->actions_.push_back(this);
}

void TCustomAction::SetParentComponent(TComponent* parent) {
    if (!parent) return SetActionList(nullptr);
    auto* list = dynamic_cast<TActionList*>(parent);
    if (!list)
        throw EInvalidOperation(FormatMessageText(L"Action '%s' has no action list", {Name()}));
    SetActionList(list);
}

bool TCustomAction::Execute() {
    if (!enabled_) return false;
    if (autoCheck_ && (!checked_ || groupIndex_ == 0)) SetChecked(!checked_);
    return TBasicAction::Execute();
}

const PropertyTable& TAction::ClassProperties() {
    using C = TCustomAction;
    static const PropertyTable table(
        &TComponent::ClassProperties(),
        {
            props::Boolean(L"AutoCheck", &C::AutoCheck, &C::SetAutoCheck, false),
            props::String(L"Caption", &C::Caption, &C::SetCaption, std::wstring()),
            props::Boolean(L"Checked", &C::Checked, &C::SetChecked, false),
            props::Boolean(L"Enabled", &C::Enabled, &C::SetEnabled, true),
            props::Integer(L"GroupIndex", &C::GroupIndex, &C::SetGroupIndex, 0),
            props::Integer(L"HelpContext", &C::HelpContext, &C::SetHelpContext, 0),
            props::String(L"Hint", &C::Hint, &C::SetHint, std::wstring()),
            props::Integer(L"ImageIndex", &C::ImageIndex, &C::SetImageIndex, -1),
            props::Boolean(L"Visible", &C::Visible, &C::SetVisible, true),
            props::Event(L"OnExecute", &TBasicAction::OnExecute),
        });
    return table;
}

// ---- action lists ----

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
    for (TCustomAction* action : actions_)
        action->actionList_ = nullptr;
}

TCustomAction* TActionList::Actions(int index) const {
    if (index < 0 || index >= ActionCount())
        throw EInvalidOperation(
            FormatMessageText(L"List index out of bounds (%s)", {std::to_wstring(index)}));
    return actions_[static_cast<std::size_t>(index)];
}

void TActionList::SetImages(TImageList* value) {
    images_ = value;
}

const PropertyTable& TActionList::ClassProperties() {
    using C = TActionList;
    static const PropertyTable table(&TComponent::ClassProperties(),
                                     {props::Reference(L"Images", &C::Images, &C::SetImages)});
    return table;
}

} // namespace plaxor
