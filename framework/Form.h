#pragma once
// Top-level windows. A form owns its controls (as components), paints its background and its
// non-windowed controls, routes dialog keys and mnemonics to its controls and tells them where
// the focus is.
#include "WinControl.h"
#include <optional>

namespace plaxor {

enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
template <> struct EnumNames<TBorderIcon> {
    static constexpr std::wstring_view names[] = {L"biSystemMenu", L"biMinimize", L"biMaximize",
                                                  L"biHelp"};
};

enum TPosition : std::uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
template <> struct EnumNames<TPosition> {
    static constexpr std::wstring_view names[] = {
        L"poDesigned",     L"poDefault",       L"poDefaultPosOnly", L"poDefaultSizeOnly",
        L"poScreenCenter", L"poDesktopCenter", L"poMainFormCenter", L"poOwnerFormCenter"};
};

using TModalResult = int;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    std::wstring ClassName() const override { return L"TForm"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    TFormBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const noexcept { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);

    // The outer size follows from the client size and the frame of the border style.
    void SetClientWidth(int value);
    void SetClientHeight(int value);

    // Applied when the form is first shown.
    TPosition Position() const noexcept { return position_; }
    void SetPosition(TPosition value) { position_ = value; }

    TModalResult ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }

    // The control that has (or last had) the focus on this form; null when the form has it.
    TWinControl* ActiveControl() const noexcept { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // The form is the active window.
    bool Active() const;

    // Makes the window visible, raising OnShow first when it was hidden. SW_SHOWMAXIMIZED
    // opens it maximised, SW_SHOWMINNOACTIVE minimised; anything else shows it normally.
    void Show(int showCommand = SW_SHOWNORMAL);
    void Hide();
    // The main form's close ends the application, no question asked; another form hides.
    void Close();
    // While its layout is read, a form is not shown: a layout's Visible = True shows it from
    // the message loop, once the layout is read and whoever made the form has checked it.
    void SetVisible(bool value) override;

    // Stored by layouts; the program is laid out at 96 pixels per inch.
    int PixelsPerInch() const noexcept { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    int TextHeight() const noexcept { return textHeight_; }
    void SetTextHeight(int value) { textHeight_ = value; }
    bool OldCreateOrder() const noexcept { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void WindowProc(TMessage& message) override;

    // A control of this form received the focus (the form itself included): remember it and
    // tell all controls (CM_FOCUSCHANGED with LParam = that control).
    void ControlFocused(TWinControl* control);
    // A control leaves the form.
    void ControlRemoved(TControl* control);

    // Raised when the form goes from hidden to visible, before the window shows. An error in
    // it goes to the error display and the form is shown all the same.
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void SetWindowParams(TCreateParams& params) override;
    void CreateWindowHandle() override;
    void AfterLoad() override;

private:
    void WindowStyles(DWORD& style, DWORD& exStyle) const;
    void ApplyClientSize();
    void ApplyPosition();
    void UpdateFrame();
    void OnCloseMessage(TMessage& message);
    void OnSetFocusMessage(TMessage& message);
    void OnDialogKey(TMessage& message);
    std::uint32_t BorderIconBits() const noexcept { return borderIcons_.Bits(); }
    void SetBorderIconBits(std::uint32_t bits) { SetBorderIcons(TBorderIcons::FromBits(bits)); }
    bool FormVisible() const noexcept { return Visible(); }
    int RequestedClientWidth() const { return ClientWidth(); }
    int RequestedClientHeight() const { return ClientHeight(); }

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    std::optional<int> clientWidth_, clientHeight_;
    bool applyingClientSize_ = false;
    TPosition position_ = poDesigned;
    bool positioned_ = false;
    TModalResult modalResult_ = 0;
    TWinControl* activeControl_ = nullptr;
    int pixelsPerInch_ = 96;
    int textHeight_ = 13;
    bool oldCreateOrder_ = false;
    bool showAfterLoad_ = false;
};

} // namespace plaxor
