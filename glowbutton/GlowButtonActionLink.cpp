#include "GlowButtonActionLink.h"
#include "AdvGlowButton.h"
#include "framework/Actions.h"
#include "framework/Exception.h"

namespace plaxor {

void TAdvGlowButtonActionLink::BindClient(TObject* client) {
    TControlActionLink::BindClient(client);
    button_ = dynamic_cast<TAdvCustomGlowButton*>(client);
    if (!button_) throw EInvalidOperation(L"A glow button's action link needs a glow button");
}

bool TAdvGlowButtonActionLink::CheckedFollowsAction() {
    const TCustomAction* action = CustomAction();
    const bool follows =
        button_ && IsCheckedLinked() && action && action->Checked() == button_->Down();
    if (button_) button_->state_.checkedLinked = follows;
    return follows;
}

bool TAdvGlowButtonActionLink::GroupIndexFollowsAction() {
    const TCustomAction* action = CustomAction();
    const bool follows = button_ && action && action->GroupIndex() == button_->GroupIndex();
    if (button_) button_->state_.groupIndexLinked = follows;
    return follows;
}

bool TAdvGlowButtonActionLink::ImageIndexFollowsAction() {
    const TCustomAction* action = CustomAction();
    return IsImageIndexLinked() && action && action->ImageIndex() == imageIndex_;
}

void TAdvGlowButtonActionLink::ApplyChecked(bool value) {
    if (!CheckedFollowsAction()) return;
    button_->ChangeDown(value);
    // Checked through the link, a grouped button does not announce its group: the actions of
    // the group uncheck one another instead. So the one being unchecked must go up even where
    // ChangeDown keeps a down group member down (AllowAllUp off), as a member of its group
    // would release it; otherwise two buttons of one group would stay down.
    if (!value && button_->down_) {
        button_->down_ = false;
        button_->state_.buttonState = stateUp;
        button_->RequestRepaint();
    }
}

void TAdvGlowButtonActionLink::ApplyGroupIndex(int value) {
    if (GroupIndexFollowsAction()) button_->SetGroupIndex(value);
}

void TAdvGlowButtonActionLink::ApplyImageIndex(int value) {
    if (!ImageIndexFollowsAction()) return;
    imageIndex_ = value;
    button_->RequestRepaint();
    button_->SetImageIndex(value);
}

} // namespace plaxor
