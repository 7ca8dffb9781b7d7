#pragma once
// Windowed controls: a control with a window of its own, created on demand, that can hold
// child controls, take the keyboard focus and receive keys.
#include "Control.h"
#include "UniqueHandle.h"
#include <string>
#include <vector>

namespace plaxor {

// What CreateWindowEx gets; SetWindowParams adjusts it per class.
struct TCreateParams {
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr; // the parent window, or the owner of a top-level window
    UINT classStyle = 0;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    std::wstring ClassName() const override { return L"TWinControl"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }
    bool IsWindowed() const noexcept override { return true; }

    bool HandleAllocated() const noexcept { return hwnd_ != nullptr; }
    // The window, created now if needed (the parent's first).
    HWND Handle();
    // The window if it exists, else null; never creates one.
    HWND ExistingHandle() const noexcept { return hwnd_; }
    // The framework control that owns a window, or null for any other window.
    static TWinControl* FromHandle(HWND wnd) noexcept;

    // Child controls in insertion order (which is also their painting order).
    const std::vector<TControl*>& Controls() const noexcept { return controls_; }
    int ControlCount() const noexcept { return static_cast<int>(controls_.size()); }
    bool ContainsControl(const TControl* control) const;
    // The topmost visible non-windowed child at a client point (enabled ones only unless
    // allowDisabled), or null.
    TControl* ControlAtPos(POINT client, bool allowDisabled) const;
    // The framework control under a screen point, descending into windows and non-windowed
    // children; disabled ones too when allowDisabled.
    static TControl* FindControlAt(POINT screen, bool allowDisabled);

    // Sends the message to each direct child in order; stops at the first non-zero result.
    void Broadcast(TMessage& message);

    bool TabStop() const noexcept { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    int TabOrder() const noexcept { return tabOrder_; }
    void SetTabOrder(int value);
    // Enabled and visible, up the parent chain.
    virtual bool CanFocus() const;
    // Raises EInvalidOperation when the control cannot take the focus.
    void SetFocus();
    bool Focused() const;
    // Moves the focus to the next (or previous) tab stop of this control's descendants after
    // current; wraps around.
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    // Paints through a memory bitmap (a WM_PAINT without a DC).
    bool DoubleBuffered() const noexcept { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

    // Shows or hides the window too (creating it when the parent has one).
    void SetVisible(bool value) override;
    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    POINT ClientToScreen(POINT p) const override;
    POINT ScreenToClient(POINT p) const override;
    void RequestRepaint() override;
    void RepaintNow() override;

    // Offers Tab, Enter and Escape to the form (CM_DIALOGKEY) before the key is translated;
    // true when a control took it. The message loop calls it for every WM_KEYDOWN.
    bool OfferDialogKey(WPARAM key, LPARAM keyData);

    void WindowProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateWindowHandle();
    virtual void SetWindowParams(TCreateParams& params);
    void DestroyHandle() noexcept;

    // Keyboard hooks; the defaults raise OnKeyDown / OnKeyUp / OnKeyPress. A key set to 0 is
    // consumed.
    virtual void HandleKeyDown(WORD& key, TShiftState shift);
    virtual void HandleKeyUp(WORD& key, TShiftState shift);
    virtual void HandleKeyPress(wchar_t& key);
    // Focus hooks; the defaults raise OnEnter / OnExit.
    virtual void HandleFocusEnter();
    virtual void HandleFocusExit();

    // Paints the control's own content into dc (nothing here).
    virtual void PaintWindow(HDC dc);
    // Paints the visible non-windowed children into dc, in order.
    void PaintControls(HDC dc);
    // WM_PAINT: the DC in WParam, or BeginPaint; then PaintWindow and PaintControls.
    void PaintHandler(TMessage& message);

    void ParentChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void ShowHintChanged() override;

private:
    friend class TControl;
    static LRESULT CALLBACK StaticWindowProc(HWND wnd, UINT msg, WPARAM wparam,
                                             LPARAM lparam) noexcept;
    void RegisterWindowClass(const TCreateParams& params);
    // Calls visit for each child in order, passing over one that an earlier visit freed or
    // moved away; stops early when visit returns false.
    template <typename Visit> void ForEachControl(Visit visit);
    void CreateChildHandles();
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void UpdateBoundsFromWindow();
    void GetTabOrderList(std::vector<TWinControl*>& list) const;

    bool RouteMouseToChild(TMessage& message);
    void TrackMouse(TMessage& message);
    void OnMouseLeaveMessage();
    void SetHoverChild(TControl* child);
    void OnCaptureChanged(TMessage& message);
    void OnCancelMode(TMessage& message);
    void OnKeyDownMessage(TMessage& message);
    void OnKeyUpMessage(TMessage& message);
    void OnCharMessage(TMessage& message);
    void OnSysCharMessage(TMessage& message);
    void OnSetFocusMessage(TMessage& message);
    void OnKillFocusMessage(TMessage& message);
    void OnPaintMessage(TMessage& message);
    void OnEraseBackground(TMessage& message);
    void OnCommand(TMessage& message);
    void OnContextMenu(TMessage& message);
    void OnEnabledChanged();
    void OnDestroyMessage(TMessage& message);

    HWND hwnd_ = nullptr;
    std::vector<TControl*> controls_;
    bool tabStop_ = false;
    int tabOrder_ = -1;
    bool doubleBuffered_ = false;
    bool skipErase_ = false;
    // Mouse tracking (with MouseInControl of this control and of its children): a TME_LEAVE
    // request is pending; the non-windowed child under the pointer.
    bool leaveTracked_ = false;
    TControl* hoverChild_ = nullptr;
};

} // namespace plaxor
