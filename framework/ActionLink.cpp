#include "ActionLink.h"
#include "Actions.h"
#include "Control.h"
#include "Exception.h"

namespace plaxor {

// ---- basic links ----

TBasicActionLink::~TBasicActionLink() {
    if (action_) action_->UnregisterLink(this);
}

void TBasicActionLink::BindClient(TObject*) {}

void TBasicActionLink::SetAction(TBasicAction* value) {
    if (value == action_) return;
    if (action_) action_->UnregisterLink(this);
    action_ = value;
    if (value) value->RegisterLink(this);
}

bool TBasicActionLink::Execute(TComponent* component) {
    TBasicAction* action = action_;
    if (!action) return false;
    TComponent* previous = action->ActionComponent();
    action->SetActionComponent(component);
    // The handler may free the action (and this link with the control).
    const TComponentRef alive(action);
    try {
        const bool done = action->Execute();
        if (alive) action->SetActionComponent(previous);
        return done;
    } catch (...) {
        if (alive) action->SetActionComponent(previous);
        throw;
    }
}

bool TBasicActionLink::IsOnExecuteLinked() const {
    return action_ != nullptr;
}

void TBasicActionLink::ApplyOnExecute(const TNotifyEvent&) {}

void TBasicActionLink::Change() {
    Raise(OnChange, action_);
}

// ---- action links ----

TCustomAction* TActionLink::CustomAction() const noexcept {
    return dynamic_cast<TCustomAction*>(Action());
}

bool TActionLink::IsCaptionLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsCheckedLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsEnabledLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsGroupIndexLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsHelpContextLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsHintLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsImageIndexLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsVisibleLinked() const {
    return CustomAction() != nullptr;
}

bool TActionLink::CheckedFollowsAction() {
    return IsCheckedLinked();
}
bool TActionLink::GroupIndexFollowsAction() {
    return IsGroupIndexLinked();
}
bool TActionLink::ImageIndexFollowsAction() {
    return IsImageIndexLinked();
}

void TActionLink::ApplyCaption(const std::wstring&) {}
void TActionLink::ApplyChecked(bool) {}
void TActionLink::ApplyEnabled(bool) {}
void TActionLink::ApplyGroupIndex(int) {}
void TActionLink::ApplyHelpContext(int) {}
void TActionLink::ApplyHint(const std::wstring&) {}
void TActionLink::ApplyImageIndex(int) {}
void TActionLink::ApplyVisible(bool) {}

// ---- control links ----

void TControlActionLink::BindClient(TObject* client) {
    TActionLink::BindClient(client);
    client_ = dynamic_cast<TControl*>(client);
    if (!client_) throw EInvalidOperation(L"An action link needs a control as its client");
}

bool TControlActionLink::IsCaptionLinked() const {
    const TCustomAction* action = CustomAction();
    return TActionLink::IsCaptionLinked() && client_ && client_->Caption() == action->Caption();
}

bool TControlActionLink::IsEnabledLinked() const {
    const TCustomAction* action = CustomAction();
    return TActionLink::IsEnabledLinked() && client_ && client_->Enabled() == action->Enabled();
}

bool TControlActionLink::IsHelpContextLinked() const {
    const TCustomAction* action = CustomAction();
    return TActionLink::IsHelpContextLinked() && client_ &&
           client_->HelpContext() == action->HelpContext();
}

bool TControlActionLink::IsHintLinked() const {
    const TCustomAction* action = CustomAction();
    return TActionLink::IsHintLinked() && client_ && client_->Hint() == action->Hint();
}

bool TControlActionLink::IsVisibleLinked() const {
    const TCustomAction* action = CustomAction();
    return TActionLink::IsVisibleLinked() && client_ && client_->Visible() == action->Visible();
}

void TControlActionLink::ApplyCaption(const std::wstring& value) {
    if (IsCaptionLinked()) client_->SetCaption(value);
}

void TControlActionLink::ApplyEnabled(bool value) {
    if (IsEnabledLinked()) client_->SetEnabled(value);
}

void TControlActionLink::ApplyHelpContext(int value) {
    if (IsHelpContextLinked()) client_->SetHelpContext(value);
}

void TControlActionLink::ApplyHint(const std::wstring& value) {
    if (IsHintLinked()) client_->SetHint(value);
}

void TControlActionLink::ApplyVisible(bool value) {
    if (IsVisibleLinked()) client_->SetVisible(value);
}

void TControlActionLink::ApplyOnExecute(const TNotifyEvent& value) {
    if (IsOnExecuteLinked() && client_) client_->OnClick = value;
}

} // namespace plaxor
