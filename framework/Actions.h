#pragma once
// Actions: a command with a caption, enabled and checked state, group, picture and handler,
// shared by the controls linked to it. A change of the action reaches each linked control
// through its action link (see ActionLink.h).
#include "ComponentRef.h"
#include <string>
#include <vector>

namespace plaxor {

class TActionList;
class TBasicActionLink;
class TImageList;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* owner);
    // The links still pointing at the action let go of it.
    ~TBasicAction() override;
    std::wstring ClassName() const override { return L"TBasicAction"; }

    // Raises OnExecute; true when there was a handler.
    virtual bool Execute();
    // The control executing the action (set by its link while Execute runs), else null.
    TComponent* ActionComponent() const noexcept { return actionComponent_; }
    void SetActionComponent(TComponent* value) noexcept { actionComponent_ = value; }

    // Replaces OnExecute and hands the new handler to the linked controls (their OnClick).
    void SetOnExecute(const TNotifyEvent& handler);
    // Raises OnChange, then tells every link; linked controls take the action's values again.
    void Change();

    // The links of the controls that follow this action.
    const std::vector<TBasicActionLink*>& Links() const noexcept { return links_; }

    TNotifyEvent OnExecute;
    TNotifyEvent OnChange;

protected:
    // Calls f on each link that is still registered when its turn comes (a client may leave
    // the action from inside a notification).
    template <typename F> void ForEachLink(F f) {
        const std::vector<TBasicActionLink*> snapshot = links_;
        for (TBasicActionLink* link : snapshot)
            if (IsLinked(link)) f(*link);
    }

private:
    friend class TBasicActionLink;
    bool IsLinked(const TBasicActionLink* link) const noexcept;
    void RegisterLink(TBasicActionLink* link);
    void UnregisterLink(TBasicActionLink* link) noexcept;

    std::vector<TBasicActionLink*> links_;
    TComponent* actionComponent_ = nullptr;
};

// An action with the properties that controls show. Each setter first offers the new value to
// the links (which apply it to clients that still follow the action), then stores it and
// reports the change.
class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* owner);
    ~TCustomAction() override;
    std::wstring ClassName() const override { return L"TCustomAction"; }

    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(const std::wstring& value);
    // Checking an action of a group (GroupIndex > 0) unchecks the others of its list.
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    const std::wstring& Hint() const noexcept { return hint_; }
    void SetHint(const std::wstring& value);
    int HelpContext() const noexcept { return helpContext_; }
    void SetHelpContext(int value);
    // Index into the action list's Images; -1 for none.
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int value);
    int GroupIndex() const noexcept { return groupIndex_; }
    void SetGroupIndex(int value);
    // Execute toggles Checked (in a group it only checks).
    bool AutoCheck() const noexcept { return autoCheck_; }
    void SetAutoCheck(bool value);

    TActionList* ActionList() const noexcept { return actionList_; }
    void SetActionList(TActionList* value);
    // A layout nests actions in their list's block.
    void SetParentComponent(TComponent* parent) override;

    // Nothing while disabled; otherwise AutoCheck's toggle, then OnExecute.
    bool Execute() override;

private:
    friend class TActionList;
    std::wstring caption_;
    bool checked_ = false;
    bool checking_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    std::wstring hint_;
    int helpContext_ = 0;
    int imageIndex_ = -1;
    int groupIndex_ = 0;
    bool autoCheck_ = false;
    TActionList* actionList_ = nullptr;
};

// The action that layouts create: publishes the properties.
class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* owner) : TCustomAction(owner) {}
    std::wstring ClassName() const override { return L"TAction"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }
};

// Groups actions and gives them their pictures. It does not own them (their owner does); a
// freed list leaves its actions without a list.
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner);
    ~TActionList() override;
    std::wstring ClassName() const override { return L"TActionList"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    int ActionCount() const noexcept { return static_cast<int>(actions_.size()); }
    // EInvalidOperation for an index outside 0..ActionCount()-1.
    TCustomAction* Actions(int index) const;

    // A reference, null once the list is freed.
    TImageList* Images() const noexcept { return images_.get(); }
    void SetImages(TImageList* value);

private:
    friend class TCustomAction;
    std::vector<TCustomAction*> actions_;
    TComponentRef<TImageList> images_;
};

} // namespace plaxor
