#include "Form.h"
#include "Application.h"
#include "Properties.h"
#include "FlagScope.h"
#include <algorithm>
#include <utility>

namespace plaxor {

namespace {
RECT Centered(const RECT& area, int width, int height) {
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    return {left, top, left + width, top + height};
}
} // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    TControl::SetVisible(false);
    SetParentFont(false);
    SetParentColor(false);
    SetControlStyle(ControlStyle().With(csAcceptsControls));
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
    if (TApplication* app = TApplication::Current()) app->FormDestroyed(this);
}

// ---- frame and size ----

void TForm::WindowStyles(DWORD& style, DWORD& exStyle) const {
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = 0;
    switch (borderStyle_) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_CAPTION; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION;
        exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        style |= WS_CAPTION;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
        }
    }
}

void TForm::SetWindowParams(TCreateParams& params) {
    WindowStyles(params.style, params.exStyle);
    if (!Enabled()) params.style |= WS_DISABLED;
    params.caption = Text();
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    // The main form has the task-bar button; other forms belong to it.
    TApplication* app = TApplication::Current();
    TForm* main = app ? app->MainForm() : nullptr;
    if (main && main != this)
        params.parent = main->Handle();
    else
        params.exStyle |= WS_EX_APPWINDOW;
    params.classStyle = ControlStyle().Contains(csDoubleClicks) ? CS_DBLCLKS : 0;
}

void TForm::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    // The frame Windows really draws may differ from what AdjustWindowRectEx predicted.
    ApplyClientSize();
    if (TApplication* app = TApplication::Current()) {
        if (HICON big = app->Icon())
            ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        if (HICON small = app->SmallIcon())
            ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    UpdateFrame();
}

void TForm::SetBorderIcons(TBorderIcons value) {
    if (borderIcons_ == value) return;
    borderIcons_ = value;
    UpdateFrame();
}

void TForm::UpdateFrame() {
    if (HandleAllocated()) {
        DWORD style = 0, exStyle = 0;
        WindowStyles(style, exStyle);
        HWND wnd = Handle();
        const auto keep = static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_STYLE)) &
                          (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
        const auto keepEx = static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_EXSTYLE)) &
                            (WS_EX_APPWINDOW | WS_EX_TOPMOST);
        ::SetWindowLongPtrW(wnd, GWL_STYLE, static_cast<LONG_PTR>(style | keep));
        ::SetWindowLongPtrW(wnd, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle | keepEx));
        ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyClientSize();
}

void TForm::SetClientWidth(int value) {
    clientWidth_ = std::clamp(value, 0, MaxExtent); // the frame is added to it
    ApplyClientSize();
}

void TForm::SetClientHeight(int value) {
    clientHeight_ = std::clamp(value, 0, MaxExtent);
    ApplyClientSize();
}

void TForm::ApplyClientSize() {
    if (!clientWidth_ && !clientHeight_) return;
    int frameWidth = 0, frameHeight = 0;
    if (HandleAllocated()) {
        HWND wnd = Handle();
        if (::IsIconic(wnd) || ::IsZoomed(wnd)) return;
        RECT window{}, client{};
        ::GetWindowRect(wnd, &window);
        ::GetClientRect(wnd, &client);
        frameWidth = (window.right - window.left) - client.right;
        frameHeight = (window.bottom - window.top) - client.bottom;
    } else {
        DWORD style = 0, exStyle = 0;
        WindowStyles(style, exStyle);
        RECT r{0, 0, 0, 0};
        ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
        frameWidth = r.right - r.left;
        frameHeight = r.bottom - r.top;
    }
    const int width = clientWidth_ ? *clientWidth_ + frameWidth : Width();
    const int height = clientHeight_ ? *clientHeight_ + frameHeight : Height();
    FlagScope applying(applyingClientSize_);
    TWinControl::SetBounds(Left(), Top(), width, height);
}

void TForm::SetBounds(int left, int top, int width, int height) {
    if (!applyingClientSize_) {
        // A size given for the window replaces a client size asked for before.
        if (width != Width()) clientWidth_.reset();
        if (height != Height()) clientHeight_.reset();
    }
    TWinControl::SetBounds(left, top, width, height);
}

RECT TForm::ClientRect() const {
    if (HandleAllocated() || (!clientWidth_ && !clientHeight_)) return TWinControl::ClientRect();
    DWORD style = 0, exStyle = 0;
    WindowStyles(style, exStyle);
    RECT r{0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int width = clientWidth_ ? *clientWidth_ : Width() - (r.right - r.left);
    const int height = clientHeight_ ? *clientHeight_ : Height() - (r.bottom - r.top);
    return {0, 0, std::max(width, 0), std::max(height, 0)};
}

// ---- showing ----

void TForm::ApplyPosition() {
    RECT area{};
    switch (position_) {
    case poScreenCenter: ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0); break;
    case poDesktopCenter:
        area.left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
        area.top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
        area.right = area.left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
        area.bottom = area.top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TApplication* app = TApplication::Current();
        TForm* main = app ? app->MainForm() : nullptr;
        if (main && main != this && main->HandleAllocated())
            ::GetWindowRect(main->Handle(), &area);
        else
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        break;
    }
    default: return;
    }
    const RECT r = Centered(area, Width(), Height());
    SetBounds(r.left, r.top, Width(), Height());
}

void TForm::Show(int showCommand) {
    HWND wnd = Handle();
    if (!positioned_) {
        positioned_ = true;
        ApplyPosition();
    }
    const bool wasVisible = ::IsWindowVisible(wnd) != FALSE;
    if (!wasVisible) {
        const TComponentRef self(this);
        try {
            Raise(OnShow, this);
        } catch (...) {
            TApplication::HandleCurrentException();
        }
        if (!self || !HandleAllocated()) return; // the handler freed the form or its window
    }
    TControl::SetVisible(true);
    int command = SW_SHOWNORMAL;
    if (showCommand == SW_SHOWMAXIMIZED || showCommand == SW_SHOWMINNOACTIVE)
        command = showCommand;
    else if (wasVisible)
        command = SW_SHOW; // keeps a maximised window maximised
    ::ShowWindow(wnd, command);
}

void TForm::Hide() {
    if (HandleAllocated()) ::ShowWindow(Handle(), SW_HIDE);
    if (!Visible()) return;
    TControl::SetVisible(false);
    Raise(OnHide, this);
}

void TForm::SetVisible(bool value) {
    if (IsLoading()) {
        // Shown half-read, its OnShow would run on components that do not exist yet.
        showAfterLoad_ = value;
        return;
    }
    if (value)
        Show();
    else
        Hide();
}

void TForm::Close() {
    TApplication* app = TApplication::Current();
    if (app && app->MainForm() == this)
        app->Terminate();
    else
        Hide();
}

bool TForm::Active() const {
    return HandleAllocated() && ::GetActiveWindow() == ExistingHandle();
}

// ---- focus ----

void TForm::SetActiveControl(TWinControl* control) {
    activeControl_ = control;
    if (control && HandleAllocated() && Active() && control->CanFocus()) control->SetFocus();
}

void TForm::ControlFocused(TWinControl* control) {
    activeControl_ = control == this ? nullptr : control;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TForm::ControlRemoved(TControl* control) {
    if (activeControl_ == control) activeControl_ = nullptr;
}

void TForm::OnSetFocusMessage(TMessage& message) {
    // Activation gives the focus to the form window; the control that had it gets it back.
    if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus()) {
        ::SetFocus(activeControl_->Handle());
        return;
    }
    TWinControl::WindowProc(message);
}

// ---- messages ----

void TForm::OnCloseMessage(TMessage& message) {
    message.Result = 0;
    Close();
}

void TForm::OnDialogKey(TMessage& message) {
    Broadcast(message);
    if (message.Result != 0 || message.WParam != VK_TAB) return;
    const TShiftState shift = KeyboardShiftState();
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return;
    SelectNext(activeControl_, !shift.Contains(ssShift), true);
    message.Result = 1;
}

void TForm::AfterLoad() {
    TWinControl::AfterLoad();
    if (showAfterLoad_) ::PostMessageW(Handle(), CM_SHOWAFTERLOAD, 0, 0);
}

void TForm::WindowProc(TMessage& message) {
    switch (message.Msg) {
    case CM_SHOWAFTERLOAD:
        if (std::exchange(showAfterLoad_, false)) Show();
        break;
    case WM_CLOSE: OnCloseMessage(message); break;
    case WM_SETFOCUS: OnSetFocusMessage(message); break;
    case CM_DIALOGKEY: OnDialogKey(message); break;
    default: TWinControl::WindowProc(message); break;
    }
}

// ---- layout ----

const PropertyTable& TForm::ClassProperties() {
    using C = TForm;
    static const PropertyTable table(
        &TWinControl::ClassProperties(),
        {
            // A form stores its client size instead of its window size.
            props::Custom(
                L"Width",
                [](const TPersistent& o) -> std::optional<LayoutValue> {
                    const C& f = props::Self<C>(o);
                    if (f.clientWidth_) return std::nullopt;
                    return LayoutValue(static_cast<std::int64_t>(f.Width()));
                },
                [](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                    props::Self<C>(o).SetWidth(static_cast<int>(props::AsInteger(v, L"Width")));
                }),
            props::Custom(
                L"Height",
                [](const TPersistent& o) -> std::optional<LayoutValue> {
                    const C& f = props::Self<C>(o);
                    if (f.clientHeight_) return std::nullopt;
                    return LayoutValue(static_cast<std::int64_t>(f.Height()));
                },
                [](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                    props::Self<C>(o).SetHeight(static_cast<int>(props::AsInteger(v, L"Height")));
                }),
            props::Enum(L"BorderStyle", &C::BorderStyle, &C::SetBorderStyle,
                        std::optional<TFormBorderStyle>(bsSizeable)),
            props::Set<TBorderIcon>(L"BorderIcons", &C::BorderIconBits, &C::SetBorderIconBits,
                                    TBorderIcons{biSystemMenu, biMinimize, biMaximize}.Bits()),
            props::Integer(L"ClientHeight", &C::RequestedClientHeight, &C::SetClientHeight,
                           std::nullopt),
            props::Integer(L"ClientWidth", &C::RequestedClientWidth, &C::SetClientWidth,
                           std::nullopt),
            props::Color(L"Color", &C::Color, &C::SetColor, clBtnFace),
            props::Boolean(L"ParentColor", &C::ParentColor, &C::SetParentColor, false),
            props::Boolean(L"ParentFont", &C::ParentFont, &C::SetParentFont, false),
            props::Boolean(L"Visible", &C::FormVisible, &C::SetVisible, false),
            props::Boolean(L"OldCreateOrder", &C::OldCreateOrder, &C::SetOldCreateOrder, false),
            props::Enum(L"Position", &C::Position, &C::SetPosition,
                        std::optional<TPosition>(poDesigned)),
            props::Integer(L"ModalResult", &C::ModalResult, &C::SetModalResult, 0),
            props::Event(L"OnShow", &C::OnShow),
            props::Event(L"OnHide", &C::OnHide),
            props::Integer(L"PixelsPerInch", &C::PixelsPerInch, &C::SetPixelsPerInch, 96),
            props::Integer(L"TextHeight", &C::TextHeight, &C::SetTextHeight, 13),
        });
    return table;
}

} // namespace plaxor
