#pragma once
// Action links: the object a control keeps to follow an action. The action offers each new
// property value to the link before it stores it; the link applies it to its client when the
// client still follows the action for that property.
#include "Object.h"
#include <string>

namespace plaxor {

class TBasicAction;
class TComponent;
class TControl;
class TCustomAction;

class TBasicActionLink : public TObject {
public:
    TBasicActionLink() = default;
    // Leaves the action.
    ~TBasicActionLink() override;
    std::wstring ClassName() const override { return L"TBasicActionLink"; }

    // Records the object the link works for; called once, right after the link is made.
    virtual void BindClient(TObject* client);

    TBasicAction* Action() const noexcept { return action_; }
    // Leaves the old action's links and joins the new one's (null: none).
    void SetAction(TBasicAction* value);

    // Runs the action for component (its ActionComponent meanwhile); false without an action
    // or when the action did nothing.
    virtual bool Execute(TComponent* component = nullptr);

    // The action's handler reaches the client.
    virtual bool IsOnExecuteLinked() const;
    // The action's OnExecute was replaced; nothing here.
    virtual void ApplyOnExecute(const TNotifyEvent& value);

    // The action changed: raises OnChange with the action as sender.
    virtual void Change();
    TNotifyEvent OnChange;

private:
    TBasicAction* action_ = nullptr;
};

class TActionLink : public TBasicActionLink {
public:
    std::wstring ClassName() const override { return L"TActionLink"; }

    // The framework's link tests: the action has the property at all (a custom action).
    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsGroupIndexLinked() const;
    virtual bool IsHelpContextLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsVisibleLinked() const;

    // Whether the client follows the action's checked state, group and picture now, for
    // clients that have them; here the link tests.
    virtual bool CheckedFollowsAction();
    virtual bool GroupIndexFollowsAction();
    virtual bool ImageIndexFollowsAction();

    // The action's new value, offered before the action stores it; nothing here.
    virtual void ApplyCaption(const std::wstring& value);
    virtual void ApplyChecked(bool value);
    virtual void ApplyEnabled(bool value);
    virtual void ApplyGroupIndex(int value);
    virtual void ApplyHelpContext(int value);
    virtual void ApplyHint(const std::wstring& value);
    virtual void ApplyImageIndex(int value);
    virtual void ApplyVisible(bool value);

protected:
    // The action as a custom action, or null.
    TCustomAction* CustomAction() const noexcept;
};

// The link of a control: caption, enabled state, hint, visibility, help context and click.
// A property follows the action while the control still shows the action's (old) value, so a
// value the control was given of its own is kept.
class TControlActionLink : public TActionLink {
public:
    std::wstring ClassName() const override { return L"TControlActionLink"; }

    // The client must be a control (EInvalidOperation otherwise).
    void BindClient(TObject* client) override;
    TControl* Client() const noexcept { return client_; }

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHelpContextLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;

    void ApplyCaption(const std::wstring& value) override;
    void ApplyEnabled(bool value) override;
    void ApplyHelpContext(int value) override;
    void ApplyHint(const std::wstring& value) override;
    void ApplyVisible(bool value) override;
    // The control's OnClick becomes the action's new handler.
    void ApplyOnExecute(const TNotifyEvent& value) override;

private:
    TControl* client_ = nullptr;
};

} // namespace plaxor
