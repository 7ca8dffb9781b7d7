#pragma once
// The link a glow button keeps to its action: besides what every control takes (caption,
// enabled state, hint, visibility, help context, click), the checked state drives Down, and
// the group and the picture follow the action's.
#include "framework/ActionLink.h"

namespace plaxor {

class TAdvCustomGlowButton;

class TAdvGlowButtonActionLink : public TControlActionLink {
public:
    std::wstring ClassName() const override { return L"TAdvGlowButtonActionLink"; }

    // The framework's binding, then the client as the glow button it must be
    // (EInvalidOperation otherwise).
    void BindClient(TObject* client) override;
    // The action supports checking and its Checked equals the button's Down; the answer is
    // kept in the button's checkedLinked.
    bool CheckedFollowsAction() override;
    // The action's GroupIndex equals the button's (the framework's test is not asked); kept in
    // the button's groupIndexLinked.
    bool GroupIndexFollowsAction() override;
    // The action has a picture index and it equals the one this link last applied.
    bool ImageIndexFollowsAction() override;
    // Down follows Checked through ChangeDown, with its group rules; unchecked, a grouped
    // button goes up even without AllowAllUp (its group's actions decide).
    void ApplyChecked(bool value) override;
    void ApplyGroupIndex(int value) override;
    // Remembers the index, repaints and sets the button's ImageIndex (a size update).
    void ApplyImageIndex(int value) override;

    TAdvCustomGlowButton* Button() const noexcept { return button_; }
    // The picture index this link last applied; 0 for a new link.
    int ImageIndex() const noexcept { return imageIndex_; }

private:
    TAdvCustomGlowButton* button_ = nullptr;
    int imageIndex_ = 0;
};

} // namespace plaxor
