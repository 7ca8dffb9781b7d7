#pragma once
// Controls: the visible components of a form. A control has a parent (a windowed control), a
// position in its parent's client area, a caption, a font and a colour, and reacts to the
// messages its parent or its own window delivers. Non-windowed controls are painted by their
// parent; TWinControl adds a window of its own.
#include "Colors.h"
#include "ComponentRef.h"
#include "Font.h"
#include "Messages.h"
#include "Set.h"
#include "SizeConstraints.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace plaxor {

class TWinControl;
class TForm;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftStateItem : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// What a control class does by default (fixed per class, set in its constructor).
enum TControlStyleItem : std::uint8_t {
    csAcceptsControls,
    csCaptureMouse, // captures the mouse while the left button is down
    csClickEvents,  // a press and release inside is a click
    csSetCaption,
    csOpaque,       // paints every pixel: repaints need no erase
    csDoubleClicks, // receives double-click messages (CS_DBLCLKS)
    csReplicatable,
    csNoStdEvents,
};
using TControlStyle = TSet<TControlStyleItem>;

// What a control is doing now.
enum TControlStateItem : std::uint8_t {
    csLButtonDown,
    csClicked, // a left press that the release will turn into a click
    csCustomPaint,
    csCreating,
    csFocusing,
};
using TControlState = TSet<TControlStateItem>;

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TDragMode : std::uint8_t { dmManual, dmAutomatic };
enum TDragKind : std::uint8_t { dkDrag, dkDock };
// Shared by forms and controls with a border: bsNone and bsSingle are all a control uses.
enum TFormBorderStyle : std::uint8_t {
    bsNone,
    bsSingle,
    bsSizeable,
    bsDialog,
    bsToolWindow,
    bsSizeToolWin
};
using TBorderStyle = TFormBorderStyle;
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

template <> struct EnumNames<TAlign> {
    static constexpr std::wstring_view names[] = {L"alNone",  L"alTop",    L"alBottom", L"alLeft",
                                                  L"alRight", L"alClient", L"alCustom"};
};
template <> struct EnumNames<TAnchorKind> {
    static constexpr std::wstring_view names[] = {L"akLeft", L"akTop", L"akRight", L"akBottom"};
};
template <> struct EnumNames<TDragMode> {
    static constexpr std::wstring_view names[] = {L"dmManual", L"dmAutomatic"};
};
template <> struct EnumNames<TDragKind> {
    static constexpr std::wstring_view names[] = {L"dkDrag", L"dkDock"};
};
template <> struct EnumNames<TFormBorderStyle> {
    static constexpr std::wstring_view names[] = {L"bsNone",   L"bsSingle",     L"bsSizeable",
                                                  L"bsDialog", L"bsToolWindow", L"bsSizeToolWin"};
};
template <> struct EnumNames<TAlignment> {
    static constexpr std::wstring_view names[] = {L"taLeftJustify", L"taRightJustify", L"taCenter"};
};

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

// The modifier keys as the keyboard state holds them now (Shift, Ctrl, Alt).
TShiftState KeyboardShiftState();
// The modifier and button flags of a mouse message's WParam, with Alt from the keyboard.
TShiftState MouseKeysToShiftState(WPARAM keys);

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    std::wstring ClassName() const override { return L"TControl"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    TWinControl* Parent() const noexcept { return parent_; }
    void SetParent(TWinControl* parent);
    // The layout loader nests controls in their parent's block.
    void SetParentComponent(TComponent* parent) override;
    // The form this control is on (the control itself when it is a form), or null.
    TForm* GetParentForm() const;
    virtual bool IsWindowed() const noexcept { return false; }

    // Position in the parent's client area (a form: on the screen), in pixels. Positions stay
    // within +-MaxExtent and sizes within 0..MaxExtent: larger ones are cut to that. Window
    // managers keep 16-bit geometry (X11 does), and painting a control a million pixels wide
    // exhausted the stack in Wine's drawing code.
    static constexpr int MaxExtent = 32767;
    int Left() const noexcept { return left_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    int Top() const noexcept { return top_; }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    int Width() const noexcept { return width_; }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    int Height() const noexcept { return height_; }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const noexcept { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const RECT& r) {
        SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    // The size adjustment: applies the current bounds again through SetBounds, for a control
    // whose size depends on a setting that just changed. The framework itself neither aligns
    // nor constrains, so only a class that fits its bounds in SetBounds sees a difference.
    virtual void AdjustSize();

    virtual RECT ClientRect() const;
    int ClientWidth() const { return ClientRect().right; }
    int ClientHeight() const { return ClientRect().bottom; }
    virtual POINT ClientToScreen(POINT p) const;
    virtual POINT ScreenToClient(POINT p) const;

    bool Visible() const noexcept { return visible_; }
    virtual void SetVisible(bool value);
    // Visible here and up the parent chain.
    bool Showing() const;
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);

    // Caption and Text are one value; a change goes through WM_SETTEXT and then CM_TEXTCHANGED.
    const std::wstring& Caption() const noexcept { return text_; }
    void SetCaption(const std::wstring& value) { SetText(value); }
    const std::wstring& Text() const noexcept { return text_; }
    void SetText(const std::wstring& value);

    // Owned; changing it clears ParentFont.
    TFont* Font() const noexcept { return font_.get(); }
    void SetFont(const TFont* value) { font_->CopyFrom(value); }
    bool ParentFont() const noexcept { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const noexcept { return parentColor_; }
    void SetParentColor(bool value);

    const std::wstring& Hint() const noexcept { return hint_; }
    void SetHint(const std::wstring& value);
    // Setting ShowHint clears ParentShowHint.
    bool ShowHint() const noexcept { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const noexcept { return parentShowHint_; }
    void SetParentShowHint(bool value);
    // ShowHint as it applies: the parent's when ParentShowHint is on.
    bool ShowsHint() const;

    // Kept for the layouts; nothing in this program aligns, anchors, drags or docks.
    TAlign Align() const noexcept { return align_; }
    void SetAlign(TAlign value) { align_ = value; }
    TAnchors Anchors() const noexcept { return anchors_; }
    void SetAnchors(TAnchors value) { anchors_ = value; }
    TSizeConstraints* Constraints() const noexcept { return constraints_.get(); }
    void SetConstraints(const TSizeConstraints* value) { constraints_->CopyFrom(value); }
    TDragMode DragMode() const noexcept { return dragMode_; }
    void SetDragMode(TDragMode value) { dragMode_ = value; }
    TDragKind DragKind() const noexcept { return dragKind_; }
    void SetDragKind(TDragKind value) { dragKind_ = value; }
    int HelpContext() const noexcept { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    // A reference: a right click or the menu key opens it; null once the menu is freed.
    TPopupMenu* PopupMenu() const noexcept { return popupMenu_.get(); }
    void SetPopupMenu(TPopupMenu* value);

    // The action the control follows (through a link of the class ActionLinkClass makes), or
    // null. Assigning one makes a new link and takes the action's values (ApplyAction; while
    // the action is loading from a layout only where the control still has its defaults);
    // null frees the link. Forgotten when the action is freed.
    TBasicAction* Action() const noexcept;
    void SetAction(TBasicAction* value);
    TControlActionLink* ActionLink() const noexcept { return actionLink_.get(); }

    TControlStyle ControlStyle() const noexcept { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState() const noexcept { return controlState_; }
    void SetControlState(TControlState value) { controlState_ = value; }

    // Sends a message straight to WindowProc (not through Windows) and returns its result.
    LRESULT Perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
    // Dispatches by message number; what a class does not handle goes to its base class and in
    // the end to DefaultHandler.
    virtual void WindowProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // The click: executes the linked action when there is one, else raises OnClick.
    virtual void PerformClick();

    // Queue a repaint of the control / paint it before returning.
    virtual void RequestRepaint();
    virtual void RepaintNow();

    // The pointer is over the control as the framework tracks it (TrackMouseEvent for a window,
    // its parent's moves for a non-windowed control): set just before CM_MOUSEENTER reaches
    // the control, cleared just before CM_MOUSELEAVE.
    bool MouseInControl() const noexcept { return mouseInControl_; }
    // Where the pointer really is now: the control under the cursor is this one or one of its
    // children (disabled ones count). For a view of the pointer that may be stale: a modal
    // loop took the mouse's messages, or a press just ended.
    bool CursorOver() const;

    // The control that has the mouse captured (windowed or not), or null.
    static TControl* CaptureControl() noexcept { return captureControl_; }
    bool MouseCapture() const noexcept { return captureControl_ == this; }
    void SetMouseCapture(bool value);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    // Kept for the layouts; never raised.
    TNotifyEvent OnDragDrop, OnDragOver, OnEndDock, OnStartDock, OnStartDrag;

protected:
    // Cuts bounds to what SetBounds keeps (see MaxExtent); every SetBounds starts with it.
    static void ClampBounds(int& left, int& top, int& width, int& height) noexcept;

    // A new link for SetAction, of the class this control follows actions with.
    virtual std::unique_ptr<TControlActionLink> ActionLinkClass() const;
    // Takes caption, enabled state, hint, visibility, help context and click handler from a
    // custom action; with checkDefaults only those the control still has at their defaults.
    // Runs when the action is assigned and whenever it changes.
    virtual void ApplyAction(TBasicAction* sender, bool checkDefaults);
    // Forgets the action when it is freed.
    void HandleRemoval(TComponent* component, TOperation operation) override;

    // The mouse hooks; the defaults raise OnMouseDown / OnMouseMove / OnMouseUp.
    virtual void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void HandleMouseMove(TShiftState shift, int x, int y);
    virtual void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void HandleDblClick();

    // The framework's handling of a left-button release (WM_LBUTTONUP, client coordinates):
    // releases the capture, clicks (PerformClick) when csClicked was set and the point is in
    // the client rectangle, then HandleMouseUp. A control overriding WM_LBUTTONUP may run it at
    // any point of its own handling instead of passing the message on.
    void ReleaseLeftButton(TMessage& message);

    // Each kind of change reaches a control one way: these hooks, or for the enabled state and
    // the text the messages CM_ENABLEDCHANGED and CM_TEXTCHANGED (SetVisible is itself virtual).
    // Called after the parent changed (the new one may be null).
    virtual void ParentChanged();
    virtual void BoundsChanged() {}
    // The font or colour of the control changed (also when taken from the parent); a windowed
    // control passes it on to the children that follow it.
    virtual void FontChanged();
    virtual void ColorChanged();
    // ShowHint or ParentShowHint changed here (a windowed control: also for its children).
    virtual void ShowHintChanged();
    // Tells the application's hint display that this control's tooltip may have changed.
    void HintStateChanged();

    // Invalidates rect (client coordinates of this control) in the parent's window.
    void InvalidateInParent(const RECT& rect);
    // A non-windowed control paints itself into its parent's DC, with the origin already at
    // its top-left corner and the clip set to its bounds. Nothing here.
    virtual void PaintOnParent(HDC dc) { (void)dc; }

private:
    friend class TWinControl;
    // One mouse capture per process, as Windows has it; a non-windowed control captures
    // through its parent's window.
    static inline TControl* captureControl_ = nullptr;

    void OnButtonDown(TMessage& message, TMouseButton button, bool dbl);
    void OnButtonUp(TMessage& message, TMouseButton button);
    void OnMouseMoveMessage(TMessage& message);
    void OnSetText(TMessage& message);
    void OnParentFontChanged();
    void OnParentColorChanged();
    void OwnFontChanged();
    std::uint32_t AnchorBits() const noexcept { return anchors_.Bits(); }
    void SetAnchorBits(std::uint32_t bits) { anchors_ = TAnchors::FromBits(bits); }

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool mouseInControl_ = false;
    std::wstring text_;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool takingParentFont_ = false;
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
    std::wstring hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    std::unique_ptr<TSizeConstraints> constraints_;
    TDragMode dragMode_ = dmManual;
    TDragKind dragKind_ = dkDrag;
    int helpContext_ = 0;
    TComponentRef<TPopupMenu> popupMenu_;
    std::unique_ptr<TControlActionLink> actionLink_;
    TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState controlState_;
};

} // namespace plaxor
