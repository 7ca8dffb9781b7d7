#include "WinControl.h"
#include "Application.h"
#include "Bitmap.h"
#include "Exception.h"
#include "Form.h"
#include "PopupMenu.h"
#include "Properties.h"
#include "FlagScope.h"
#include "WindowClass.h"
#include <algorithm>
#include <optional>
#include <windowsx.h>

namespace plaxor {

namespace {
UINT PressForDoubleClick(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDBLCLK: return WM_LBUTTONDOWN;
    case WM_RBUTTONDBLCLK: return WM_RBUTTONDOWN;
    case WM_MBUTTONDBLCLK: return WM_MBUTTONDOWN;
    default: return msg;
    }
}

bool IsFrameworkMessage(UINT msg) {
    return msg >= CM_BASE && msg < CN_BASE + 0x400;
}

[[noreturn]] void RaiseLastError(const std::wstring& what) {
    throw EOSError(
        FormatMessageText(L"%s (system error %s)", {what, std::to_wstring(::GetLastError())}));
}
} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Owned components may be children; they must go while this object is still whole.
    FreeOwnedComponents();
    while (!controls_.empty())
        RemoveControl(controls_.back());
    if (TApplication* app = TApplication::Current()) app->RemoveHint(*this);
    if (captureControl_ == this) captureControl_ = nullptr;
    if (hwnd_) {
        // The derived parts are gone: the window's last messages go to DefWindowProc.
        HWND wnd = std::exchange(hwnd_, nullptr);
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        ::DestroyWindow(wnd);
    }
}

// ---- the window ----

HWND TWinControl::Handle() {
    if (!hwnd_) {
        if (TWinControl* parent = Parent()) parent->Handle(); // creates this one too
        if (!hwnd_) CreateWindowHandle();
    }
    return hwnd_;
}

TWinControl* TWinControl::FromHandle(HWND wnd) noexcept {
    // The class's procedure, not the window's: tooltips subclass the windows they watch.
    if (!wnd || ::GetClassLongPtrW(wnd, GCLP_WNDPROC) !=
                    reinterpret_cast<ULONG_PTR>(&TWinControl::StaticWindowProc))
        return nullptr;
    return reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
}

void TWinControl::SetWindowParams(TCreateParams& params) {
    if (!Parent())
        throw EInvalidOperation(FormatMessageText(L"Control '%s' has no parent window", {Name()}));
    params.caption = Text();
    params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible()) params.style |= WS_VISIBLE;
    if (!Enabled()) params.style |= WS_DISABLED;
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    params.parent = Parent()->Handle();
    params.classStyle = ControlStyle().Contains(csDoubleClicks) ? CS_DBLCLKS : 0;
}

void TWinControl::RegisterWindowClass(const TCreateParams& params) {
    const std::wstring name = ClassName();
    if (!EnsureWindowClass(name.c_str(), &TWinControl::StaticWindowProc, params.classStyle,
                           ::LoadCursorW(nullptr, IDC_ARROW)))
        RaiseLastError(L"Cannot register the window class " + name);
}

void TWinControl::CreateWindowHandle() {
    if (hwnd_) return;
    TCreateParams params;
    SetWindowParams(params);
    RegisterWindowClass(params);
    const std::wstring name = ClassName();
    // WM_NCCREATE stores hwnd_.
    HWND wnd = ::CreateWindowExW(params.exStyle, name.c_str(), params.caption.c_str(), params.style,
                                 params.x, params.y, params.width, params.height, params.parent,
                                 nullptr, ::GetModuleHandleW(nullptr), this);
    if (!wnd) {
        hwnd_ = nullptr;
        RaiseLastError(L"Cannot create the window of " + name);
    }
    CreateChildHandles();
    HintStateChanged();
    for (TControl* c : controls_)
        if (!c->IsWindowed()) c->HintStateChanged();
}

template <typename Visit> void TWinControl::ForEachControl(Visit visit) {
    // Handlers run on the way: a receiver may free or move the controls after it.
    const std::vector<TComponentRef<TControl>> children(controls_.begin(), controls_.end());
    for (const TComponentRef<TControl>& child : children)
        if (TControl* c = child.get(); c && ContainsControl(c) && !visit(*c)) return;
}

void TWinControl::CreateChildHandles() {
    ForEachControl([](TControl& c) {
        if (c.IsWindowed()) static_cast<TWinControl&>(c).Handle();
        return true;
    });
}

void TWinControl::DestroyHandle() noexcept {
    if (!hwnd_) return;
    ::DestroyWindow(hwnd_); // WM_NCDESTROY forgets it
    hwnd_ = nullptr;
}

LRESULT CALLBACK TWinControl::StaticWindowProc(HWND wnd, UINT msg, WPARAM wparam,
                                               LPARAM lparam) noexcept {
    auto* self = reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = wnd;
    }
    if (!self) return ::DefWindowProcW(wnd, msg, wparam, lparam);
    TMessage message{msg, wparam, lparam, 0};
    try {
        self->WindowProc(message);
    } catch (...) {
        // Nothing may cross into Windows: the error display shows it and the loop goes on.
        TApplication::HandleCurrentException();
    }
    if (msg == WM_NCDESTROY) {
        // The window is gone; a window destroyed by its parent is not destroyed again.
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return message.Result;
}

// ---- children ----

void TWinControl::InsertControl(TControl* control) {
    if (control->IsWindowed()) {
        auto* windowed = static_cast<TWinControl*>(control);
        if (windowed->tabOrder_ < 0)
            windowed->tabOrder_ = static_cast<int>(std::count_if(
                controls_.begin(), controls_.end(), [](TControl* c) { return c->IsWindowed(); }));
    }
    controls_.push_back(control);
    control->parent_ = this;
}

void TWinControl::RemoveControl(TControl* control) {
    // Runs from the child's destructor too: only its TControl part may be used.
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) return;
    if (control->IsWindowed())
        static_cast<TWinControl*>(control)->DestroyHandle();
    else
        control->InvalidateInParent(control->ClientRect());
    std::erase(controls_, control);
    if (hoverChild_ == control) {
        hoverChild_ = nullptr;
        control->mouseInControl_ = false;
    }
    if (captureControl_ == control) {
        captureControl_ = nullptr;
        if (hwnd_ && ::GetCapture() == hwnd_) ::ReleaseCapture();
    }
    if (TForm* form = GetParentForm()) form->ControlRemoved(control);
    control->parent_ = nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(POINT client, bool allowDisabled) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
        const RECT r = c->BoundsRect();
        if (::PtInRect(&r, client)) return c;
    }
    return nullptr;
}

TControl* TWinControl::FindControlAt(POINT screen, bool allowDisabled) {
    HWND wnd = ::WindowFromPoint(screen);
    // WindowFromPoint passes over disabled child windows; look below it ourselves.
    while (wnd) {
        POINT p = screen;
        ::ScreenToClient(wnd, &p);
        const UINT skip = CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT |
                          (allowDisabled ? 0u : static_cast<UINT>(CWP_SKIPDISABLED));
        HWND child = ::ChildWindowFromPointEx(wnd, p, skip);
        if (!child || child == wnd) break;
        wnd = child;
    }
    TWinControl* window = FromHandle(wnd);
    if (!window) return nullptr;
    if (TControl* c = window->ControlAtPos(window->ScreenToClient(screen), allowDisabled)) return c;
    return window;
}

void TWinControl::Broadcast(TMessage& message) {
    ForEachControl([&](TControl& c) {
        c.WindowProc(message);
        return message.Result == 0;
    });
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    ForEachControl([](TControl& c) {
        c.OnParentFontChanged();
        return true;
    });
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    ForEachControl([](TControl& c) {
        c.OnParentColorChanged();
        return true;
    });
}

void TWinControl::ShowHintChanged() {
    TControl::ShowHintChanged();
    ForEachControl([](TControl& c) {
        c.ShowHintChanged();
        return true;
    });
}

// ---- focus ----

void TWinControl::SetTabOrder(int value) {
    tabOrder_ = std::max(value, 0);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

bool TWinControl::Focused() const {
    return hwnd_ && ::GetFocus() == hwnd_;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    std::vector<TWinControl*> children;
    for (TControl* c : controls_)
        if (c->IsWindowed()) children.push_back(static_cast<TWinControl*>(c));
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
    for (TWinControl* c : children) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const auto count = static_cast<std::ptrdiff_t>(list.size());
    if (count == 0) return;
    std::ptrdiff_t at = std::find(list.begin(), list.end(), current) - list.begin();
    if (at == count) at = forward ? -1 : count;
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t i = ((forward ? at + step : at - step) % count + count) % count;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c == current) break;
        if ((!checkTabStop || c->TabStop()) && c->CanFocus()) {
            c->SetFocus();
            return;
        }
    }
}

// ---- geometry ----

void TWinControl::SetBounds(int left, int top, int width, int height) {
    ClampBounds(left, top, width, height);
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (hwnd_)
        ::SetWindowPos(hwnd_, nullptr, left, top, width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    BoundsChanged();
    HintStateChanged();
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!hwnd_ || ::IsIconic(hwnd_)) return;
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    if (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD)
        ::MapWindowPoints(HWND_DESKTOP, ::GetAncestor(hwnd_, GA_PARENT),
                          reinterpret_cast<POINT*>(&r), 2);
    if (r.left == left_ && r.top == top_ && r.right - r.left == width_ &&
        r.bottom - r.top == height_)
        return;
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    BoundsChanged();
}

RECT TWinControl::ClientRect() const {
    if (!hwnd_) return TControl::ClientRect();
    RECT r{};
    ::GetClientRect(hwnd_, &r);
    return r;
}

POINT TWinControl::ClientToScreen(POINT p) const {
    if (!hwnd_) return TControl::ClientToScreen(p);
    ::ClientToScreen(hwnd_, &p);
    return p;
}

POINT TWinControl::ScreenToClient(POINT p) const {
    if (!hwnd_) return TControl::ScreenToClient(p);
    ::ScreenToClient(hwnd_, &p);
    return p;
}

void TWinControl::ParentChanged() {
    TControl::ParentChanged();
    if (Parent() && Parent()->HandleAllocated()) Handle();
}

void TWinControl::SetVisible(bool value) {
    if (Visible() == value) return;
    TControl::SetVisible(value);
    if (hwnd_)
        ::ShowWindow(hwnd_, Visible() ? SW_SHOWNA : SW_HIDE);
    else if (Visible() && Parent() && Parent()->HandleAllocated())
        Handle();
}

// ---- painting ----

void TWinControl::RequestRepaint() {
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, ControlStyle().Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::RepaintNow() {
    RequestRepaint();
    if (hwnd_) ::UpdateWindow(hwnd_);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc) {
    ForEachControl([dc](TControl& c) {
        const RECT bounds = c.BoundsRect();
        if (c.IsWindowed() || !c.Visible() || !::RectVisible(dc, &bounds)) return true;
        SavedDC saved(dc);
        // Viewport and window origins add up, so this works on a DC whose window origin a
        // child control has moved to show us through it.
        ::OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        ::IntersectClipRect(dc, 0, 0, c.Width(), c.Height());
        c.PaintOnParent(dc);
        return true;
    });
}

void TWinControl::PaintHandler(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    std::optional<PaintGuard> paint;
    if (!dc) {
        paint.emplace(Handle());
        dc = paint->dc();
    }
    {
        SavedDC saved(dc);
        PaintWindow(dc);
    }
    PaintControls(dc);
}

void TWinControl::OnPaintMessage(TMessage& message) {
    if (message.WParam || !doubleBuffered_) return PaintHandler(message);
    std::optional<PaintGuard> paint;
    {
        // BeginPaint's own erase would show before the buffer does.
        FlagScope skip(skipErase_);
        paint.emplace(hwnd_);
    }
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    // Everything is painted into a memory bitmap of the client size first and then copied to
    // the window in one piece, so nothing half-painted ever shows. The bitmap is a 32-bit DIB
    // section rather than a device-dependent one: GDI+ then draws the same pixels whatever the
    // screen (Wine's GDI+ loses text anti-aliasing on device-dependent bitmaps).
    UniqueHBITMAP bitmap;
    UniqueHDC memory;
    {
        WindowDC screen(nullptr);
        std::uint32_t* bits = nullptr;
        bitmap = CreateTopDownDib(screen.get(), client.right, client.bottom, &bits);
        memory.reset(::CreateCompatibleDC(screen.get()));
    }
    if (!bitmap || !memory) {
        // No memory for a buffer: paint straight into the window.
        TMessage direct{WM_PAINT, reinterpret_cast<WPARAM>(paint->dc()), 0, 0};
        Perform(WM_ERASEBKGND, direct.WParam);
        return PaintHandler(direct);
    }
    SelectGuard select(memory.get(), bitmap.get());
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()));
    TMessage buffered{WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0, 0};
    PaintHandler(buffered);
    ::BitBlt(paint->dc(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void TWinControl::OnEraseBackground(TMessage& message) {
    message.Result = 1;
    if (skipErase_) return;
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    const RECT client = ClientRect();
    UniqueHBRUSH brush(::CreateSolidBrush(ColorToRGB(Color())));
    ::FillRect(dc, &client, brush.get());
}

// ---- mouse ----

bool TWinControl::RouteMouseToChild(TMessage& message) {
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* under = ControlAtPos(p, false);
    if (message.Msg == WM_MOUSEMOVE) SetHoverChild(under);
    TControl* target = under;
    if (captureControl_ && ContainsControl(captureControl_))
        target = captureControl_->IsWindowed() ? nullptr : captureControl_;
    if (!target || target == this) return false;
    TMessage routed = message;
    routed.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    if (!target->ControlStyle().Contains(csDoubleClicks))
        routed.Msg = PressForDoubleClick(routed.Msg);
    target->WindowProc(routed);
    message.Result = routed.Result;
    return true;
}

void TWinControl::SetHoverChild(TControl* child) {
    if (child == hoverChild_) return;
    if (TControl* old = std::exchange(hoverChild_, child)) {
        old->mouseInControl_ = false;
        old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    }
    if (child && hoverChild_ == child) {
        child->mouseInControl_ = true;
        child->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(child));
    }
}

void TWinControl::TrackMouse(TMessage& message) {
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (::GetCapture() == hwnd_) {
        // While captured the moves keep coming from outside; they tell leaving and re-entering.
        RECT client{};
        ::GetClientRect(hwnd_, &client);
        const bool inside = ::PtInRect(&client, p) != FALSE;
        if (inside != mouseInControl_) {
            mouseInControl_ = inside;
            if (!inside) SetHoverChild(nullptr);
            Perform(inside ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
        }
        return;
    }
    if (!leaveTracked_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        leaveTracked_ = ::TrackMouseEvent(&track) != FALSE;
    }
    if (!mouseInControl_) {
        mouseInControl_ = true;
        Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
    }
}

void TWinControl::OnMouseLeaveMessage() {
    leaveTracked_ = false;
    // Moves report leaving while the mouse is captured; a leave message now may be stale.
    if (::GetCapture() == hwnd_ && CursorOver()) return;
    SetHoverChild(nullptr);
    if (!mouseInControl_) return;
    mouseInControl_ = false;
    Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
}

void TWinControl::OnCaptureChanged(TMessage& message) {
    if (reinterpret_cast<HWND>(message.LParam) != hwnd_ && captureControl_ &&
        (captureControl_ == this ||
         (!captureControl_->IsWindowed() && captureControl_->Parent() == this)))
        captureControl_ = nullptr;
    if (mouseInControl_ && reinterpret_cast<HWND>(message.LParam) != hwnd_) {
        // Leave tracking starts again without the capture; a pointer that is already outside
        // gets its WM_MOUSELEAVE at once.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        leaveTracked_ = ::TrackMouseEvent(&track) != FALSE;
    }
    DefaultHandler(message);
}

void TWinControl::OnCancelMode(TMessage& message) {
    // The press ends where it is, outside the control: it releases without a click.
    TControl* captured = captureControl_;
    if (captured && (captured == this || (!captured->IsWindowed() && captured->Parent() == this))) {
        captured->SetMouseCapture(false);
        if (captured->ControlState().Contains(csLButtonDown))
            captured->Perform(WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
    }
    DefaultHandler(message);
}

// ---- keyboard ----

bool TWinControl::OfferDialogKey(WPARAM key, LPARAM keyData) {
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) return false;
    MSG msg{hwnd_, WM_KEYDOWN, key, keyData, 0, {0, 0}};
    const LRESULT code = Perform(WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTALLKEYS) return false;
    if (key == VK_TAB && (code & DLGC_WANTTAB)) return false;
    TForm* form = GetParentForm();
    return form && form->Perform(CM_DIALOGKEY, key, keyData) != 0;
}

void TWinControl::OnKeyDownMessage(TMessage& message) {
    const TComponentRef self(this);
    auto key = static_cast<WORD>(message.WParam);
    HandleKeyDown(key, KeyboardShiftState());
    if (key == 0 || !self) return;
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::OnKeyUpMessage(TMessage& message) {
    const TComponentRef self(this);
    auto key = static_cast<WORD>(message.WParam);
    HandleKeyUp(key, KeyboardShiftState());
    if (key == 0 || !self) return;
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::OnCharMessage(TMessage& message) {
    auto ch = static_cast<wchar_t>(message.WParam);
    // A control that does not take characters lets the form's mnemonics see them first.
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        TForm* form = GetParentForm();
        if (form && form->Perform(CM_DIALOGCHAR, ch, message.LParam) != 0) return;
    }
    const TComponentRef self(this);
    HandleKeyPress(ch);
    if (ch == 0 || !self) return;
    message.WParam = ch;
    DefaultHandler(message);
}

void TWinControl::OnSysCharMessage(TMessage& message) {
    TForm* form = GetParentForm();
    if (form && form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0) return;
    DefaultHandler(message);
}

void TWinControl::HandleKeyDown(WORD& key, TShiftState shift) {
    Raise(OnKeyDown, this, key, shift);
}

void TWinControl::HandleKeyUp(WORD& key, TShiftState shift) {
    Raise(OnKeyUp, this, key, shift);
}

void TWinControl::HandleKeyPress(wchar_t& key) {
    Raise(OnKeyPress, this, key);
}

void TWinControl::OnSetFocusMessage(TMessage& message) {
    DefaultHandler(message);
    if (TForm* form = GetParentForm()) form->ControlFocused(this);
    HandleFocusEnter();
}

void TWinControl::OnKillFocusMessage(TMessage& message) {
    DefaultHandler(message);
    HandleFocusExit();
}

void TWinControl::HandleFocusEnter() {
    Raise(OnEnter, this);
}

void TWinControl::HandleFocusExit() {
    Raise(OnExit, this);
}

// ---- other messages ----

void TWinControl::OnCommand(TMessage& message) {
    // Notifications go back to the child window they came from.
    if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(message.LParam));
        child && child != this) {
        message.Result = child->Perform(CN_COMMAND, message.WParam, message.LParam);
        return;
    }
    DefaultHandler(message);
}

void TWinControl::OnContextMenu(TMessage& message) {
    POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    const bool fromKeyboard = screen.x == -1 && screen.y == -1;
    // A non-windowed child under the pointer with a menu of its own comes first.
    TControl* target = this;
    if (!fromKeyboard)
        if (TControl* child = ControlAtPos(ScreenToClient(screen), false);
            child && child->PopupMenu())
            target = child;
    TPopupMenu* menu = target->PopupMenu();
    if (!menu || !menu->AutoPopup()) {
        // Windows hands it on to the parent window.
        DefaultHandler(message);
        return;
    }
    if (fromKeyboard) screen = target->ClientToScreen({0, 0});
    message.Result = 1;
    menu->ShowMenuAt(screen.x, screen.y);
}

void TWinControl::OnEnabledChanged() {
    if (!Enabled() && Focused()) {
        // A disabled window keeps the focus but takes no keys; give it to the form.
        TForm* form = GetParentForm();
        if (form && form != this && form->HandleAllocated()) ::SetFocus(form->Handle());
    }
    if (hwnd_) ::EnableWindow(hwnd_, Enabled() ? TRUE : FALSE);
    RequestRepaint();
}

void TWinControl::OnDestroyMessage(TMessage& message) {
    if (TApplication* app = TApplication::Current()) {
        app->RemoveHint(*this);
        for (TControl* c : controls_)
            if (!c->IsWindowed()) app->RemoveHint(*c);
    }
    if (captureControl_ && (captureControl_ == this || captureControl_->Parent() == this))
        captureControl_ = nullptr;
    mouseInControl_ = false;
    leaveTracked_ = false;
    if (TControl* child = std::exchange(hoverChild_, nullptr)) child->mouseInControl_ = false;
    DefaultHandler(message);
}

void TWinControl::WindowProc(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        const TComponentRef self(this); // an enter handler may free this control
        TrackMouse(message);
        if (self && !RouteMouseToChild(message)) TControl::WindowProc(message);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (!RouteMouseToChild(message)) TControl::WindowProc(message);
        break;
    case WM_MOUSELEAVE: OnMouseLeaveMessage(); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(message); break;
    case WM_CANCELMODE: OnCancelMode(message); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: OnKeyDownMessage(message); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: OnKeyUpMessage(message); break;
    case WM_CHAR: OnCharMessage(message); break;
    case WM_SYSCHAR: OnSysCharMessage(message); break;
    case WM_SETFOCUS: OnSetFocusMessage(message); break;
    case WM_KILLFOCUS: OnKillFocusMessage(message); break;
    case WM_PAINT: OnPaintMessage(message); break;
    case WM_ERASEBKGND: OnEraseBackground(message); break;
    case WM_COMMAND: OnCommand(message); break;
    case WM_CONTEXTMENU: OnContextMenu(message); break;
    case WM_SIZE:
    case WM_MOVE:
        DefaultHandler(message);
        UpdateBoundsFromWindow();
        break;
    case WM_DESTROY: OnDestroyMessage(message); break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED: Broadcast(message); break;
    case CM_ENABLEDCHANGED: OnEnabledChanged(); break;
    default: TControl::WindowProc(message); break;
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (hwnd_ && !IsFrameworkMessage(message.Msg)) {
        message.Result = ::DefWindowProcW(hwnd_, message.Msg, message.WParam, message.LParam);
        return;
    }
    TControl::DefaultHandler(message);
}

// ---- layout ----

const PropertyTable& TWinControl::ClassProperties() {
    using C = TWinControl;
    static const PropertyTable table(
        &TControl::ClassProperties(),
        {
            props::Integer(L"TabOrder", &C::TabOrder, &C::SetTabOrder, std::nullopt),
            props::Boolean(L"TabStop", &C::TabStop, &C::SetTabStop, false),
            props::Event(L"OnEnter", &C::OnEnter),
            props::Event(L"OnExit", &C::OnExit),
        });
    return table;
}

} // namespace plaxor
