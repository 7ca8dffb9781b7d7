#include "Control.h"
#include "ActionLink.h"
#include "Actions.h"
#include "Application.h"
#include "Exception.h"
#include "Form.h"
#include "PopupMenu.h"
#include "Properties.h"
#include "WinControl.h"
#include "FlagScope.h"
#include <algorithm>
#include <windowsx.h>

namespace plaxor {

TShiftState KeyboardShiftState() {
    TShiftState s;
    if (::GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (::GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (::GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState MouseKeysToShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (::GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), font_(std::make_unique<TFont>()),
      constraints_(std::make_unique<TSizeConstraints>()) {
    font_->OnChange = [this](TObject*) { OwnFontChanged(); };
}

TControl::~TControl() {
    // Nothing of the action reaches a control that is going.
    actionLink_.reset();
    FreeOwnedComponents();
    if (captureControl_ == this) captureControl_ = nullptr;
    if (TApplication* app = TApplication::Current()) app->RemoveHint(*this);
    if (parent_) parent_->RemoveControl(this);
}

// ---- parent ----

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent) return;
    for (TControl* p = parent; p; p = p->parent_)
        if (p == this) throw EInvalidOperation(L"A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    ParentChanged();
}

void TControl::SetParentComponent(TComponent* parent) {
    auto* windowed = dynamic_cast<TWinControl*>(parent);
    if (parent && !windowed)
        throw EInvalidOperation(FormatMessageText(L"Control '%s' has no parent window", {Name()}));
    SetParent(windowed);
}

TForm* TControl::GetParentForm() const {
    const TControl* top = this;
    while (top->parent_)
        top = top->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

void TControl::ParentChanged() {
    OnParentFontChanged();
    OnParentColorChanged();
    if (!IsWindowed()) InvalidateInParent(ClientRect());
    HintStateChanged();
}

// ---- geometry ----

void TControl::ClampBounds(int& left, int& top, int& width, int& height) noexcept {
    left = std::clamp(left, -MaxExtent, MaxExtent);
    top = std::clamp(top, -MaxExtent, MaxExtent);
    width = std::clamp(width, 0, MaxExtent);
    height = std::clamp(height, 0, MaxExtent);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    ClampBounds(left, top, width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    InvalidateInParent(ClientRect());
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    InvalidateInParent(ClientRect());
    BoundsChanged();
    HintStateChanged();
}

void TControl::AdjustSize() {
    if (!IsLoading()) SetBounds(left_, top_, width_, height_);
}

RECT TControl::ClientRect() const {
    return {0, 0, width_, height_};
}

POINT TControl::ClientToScreen(POINT p) const {
    p.x += left_;
    p.y += top_;
    return parent_ ? parent_->ClientToScreen(p) : p;
}

POINT TControl::ScreenToClient(POINT p) const {
    if (parent_) p = parent_->ScreenToClient(p);
    p.x -= left_;
    p.y -= top_;
    return p;
}

// ---- state ----

void TControl::SetVisible(bool value) {
    if (visible_ == value) return;
    if (!value) InvalidateInParent(ClientRect());
    visible_ = value;
    if (value) InvalidateInParent(ClientRect());
    HintStateChanged();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::wstring& value) {
    if (value == text_) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    Perform(CM_TEXTCHANGED);
}

void TControl::OnSetText(TMessage& message) {
    const auto* text = reinterpret_cast<const wchar_t*>(message.LParam);
    text_ = text ? text : L"";
    DefaultHandler(message);
    message.Result = TRUE;
}

// ---- font and colour ----

void TControl::OwnFontChanged() {
    if (!takingParentFont_) parentFont_ = false;
    FontChanged();
}

void TControl::FontChanged() {
    RequestRepaint();
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) OnParentFontChanged();
}

void TControl::OnParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    FlagScope taking(takingParentFont_);
    font_->CopyFrom(parent_->Font());
}

void TControl::SetColor(TColor value) {
    parentColor_ = false;
    if (color_ == value) return;
    color_ = value;
    ColorChanged();
}

void TControl::ColorChanged() {
    RequestRepaint();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value) OnParentColorChanged();
}

void TControl::OnParentColorChanged() {
    if (!parentColor_ || !parent_ || color_ == parent_->Color()) return;
    color_ = parent_->Color();
    ColorChanged();
}

// ---- hints ----

void TControl::SetHint(const std::wstring& value) {
    if (hint_ == value) return;
    hint_ = value;
    HintStateChanged();
}

void TControl::SetShowHint(bool value) {
    parentShowHint_ = false;
    if (showHint_ == value) return;
    showHint_ = value;
    ShowHintChanged();
}

void TControl::SetParentShowHint(bool value) {
    if (parentShowHint_ == value) return;
    parentShowHint_ = value;
    ShowHintChanged();
}

void TControl::ShowHintChanged() {
    HintStateChanged();
}

bool TControl::ShowsHint() const {
    if (parentShowHint_ && parent_) return parent_->ShowsHint();
    return showHint_;
}

void TControl::HintStateChanged() {
    if (TApplication* app = TApplication::Current()) app->UpdateHint(*this);
}

// ---- messages ----

LRESULT TControl::Perform(UINT msg, WPARAM wparam, LPARAM lparam) {
    TMessage message{msg, wparam, lparam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::WindowProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN: OnButtonDown(message, mbLeft, false); break;
    case WM_LBUTTONDBLCLK: OnButtonDown(message, mbLeft, true); break;
    case WM_RBUTTONDOWN: OnButtonDown(message, mbRight, false); break;
    case WM_RBUTTONDBLCLK: OnButtonDown(message, mbRight, true); break;
    case WM_MBUTTONDOWN: OnButtonDown(message, mbMiddle, false); break;
    case WM_MBUTTONDBLCLK: OnButtonDown(message, mbMiddle, true); break;
    case WM_LBUTTONUP: ReleaseLeftButton(message); break;
    case WM_RBUTTONUP: OnButtonUp(message, mbRight); break;
    case WM_MBUTTONUP: OnButtonUp(message, mbMiddle); break;
    case WM_MOUSEMOVE: OnMouseMoveMessage(message); break;
    case WM_SETTEXT: OnSetText(message); break;
    case CM_ENABLEDCHANGED: RequestRepaint(); break;
    default: DefaultHandler(message); break;
    }
}

void TControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_GETTEXTLENGTH: message.Result = static_cast<LRESULT>(text_.size()); break;
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<wchar_t*>(message.LParam);
        const std::size_t room = message.WParam;
        if (!buffer || room == 0) break;
        const std::size_t n = std::min(room - 1, text_.size());
        text_.copy(buffer, n);
        buffer[n] = L'\0';
        message.Result = static_cast<LRESULT>(n);
        break;
    }
    default: break;
    }
}

// ---- mouse ----

void TControl::OnButtonDown(TMessage& message, TMouseButton button, bool dbl) {
    if (button == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
        controlState_.Include(csLButtonDown);
        // A double click is a press of its own; it does not click on release.
        if (controlStyle_.Contains(csClickEvents)) {
            if (dbl) {
                const TComponentRef self(this);
                HandleDblClick();
                if (!self) return; // the handler freed this control
            } else {
                controlState_.Include(csClicked);
            }
        }
    }
    TShiftState shift = MouseKeysToShiftState(message.WParam);
    if (dbl) shift.Include(ssDouble);
    HandleMouseDown(button, shift, GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

void TControl::ReleaseLeftButton(TMessage& message) {
    const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
    controlState_.Exclude(csLButtonDown);
    if (controlState_.Contains(csClicked)) {
        controlState_.Exclude(csClicked);
        const RECT client = ClientRect();
        if (x >= client.left && x < client.right && y >= client.top && y < client.bottom) {
            const TComponentRef self(this);
            PerformClick();
            if (!self) return; // the click freed this control: no OnMouseUp of it
        }
    }
    HandleMouseUp(mbLeft, MouseKeysToShiftState(message.WParam), x, y);
}

void TControl::OnButtonUp(TMessage& message, TMouseButton button) {
    const TComponentRef self(this);
    HandleMouseUp(button, MouseKeysToShiftState(message.WParam), GET_X_LPARAM(message.LParam),
                  GET_Y_LPARAM(message.LParam));
    if (self) DefaultHandler(message);
}

void TControl::OnMouseMoveMessage(TMessage& message) {
    HandleMouseMove(MouseKeysToShiftState(message.WParam), GET_X_LPARAM(message.LParam),
                    GET_Y_LPARAM(message.LParam));
}

void TControl::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Raise(OnMouseDown, this, button, shift, x, y);
}

void TControl::HandleMouseMove(TShiftState shift, int x, int y) {
    Raise(OnMouseMove, this, shift, x, y);
}

void TControl::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Raise(OnMouseUp, this, button, shift, x, y);
}

void TControl::HandleDblClick() {
    Raise(OnDblClick, this);
}

void TControl::PerformClick() {
    if (actionLink_ && actionLink_->Action()) {
        actionLink_->Execute(this);
        return;
    }
    Raise(OnClick, this);
}

// ---- actions and removal ----

void TControl::SetPopupMenu(TPopupMenu* value) {
    popupMenu_ = value;
}

TBasicAction* TControl::Action() const noexcept {
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* value) {
    if (value && value == Action()) return;
    actionLink_.reset(); // leaves the old action
    if (!value) return;
    std::unique_ptr<TControlActionLink> link = ActionLinkClass();
    link->BindClient(this);
    link->SetAction(value);
    link->OnChange = [this](TObject* sender) {
        if (TBasicAction* action = Action(); action && sender == action) ApplyAction(action, false);
    };
    actionLink_ = std::move(link);
    ApplyAction(value, value->IsLoading());
}

std::unique_ptr<TControlActionLink> TControl::ActionLinkClass() const {
    return std::make_unique<TControlActionLink>();
}

void TControl::ApplyAction(TBasicAction* sender, bool checkDefaults) {
    const auto* action = dynamic_cast<const TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || Caption().empty() || Caption() == Name()) SetCaption(action->Caption());
    if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!checkDefaults || Hint().empty()) SetHint(action->Hint());
    if (!checkDefaults || Visible()) SetVisible(action->Visible());
    if (!checkDefaults || HelpContext() == 0) SetHelpContext(action->HelpContext());
    if (!checkDefaults || !OnClick) OnClick = action->OnExecute;
}

void TControl::HandleRemoval(TComponent* component, TOperation operation) {
    TComponent::HandleRemoval(component, operation);
    if (operation != TOperation::opRemove || !component) return;
    // A freed action has let go of its links before its owner tells us.
    if (actionLink_ && (!actionLink_->Action() || component == actionLink_->Action()))
        actionLink_.reset();
}

bool TControl::CursorOver() const {
    POINT cursor{};
    if (!::GetCursorPos(&cursor)) return false;
    for (const TControl* c = TWinControl::FindControlAt(cursor, true); c; c = c->parent_)
        if (c == this) return true;
    return false;
}

void TControl::SetMouseCapture(bool value) {
    if (value) {
        TWinControl* window = IsWindowed() ? static_cast<TWinControl*>(this) : parent_;
        if (!window) return;
        // The window losing the capture forgets its capture control first.
        ::SetCapture(window->Handle());
        captureControl_ = this;
    } else if (captureControl_ == this) {
        captureControl_ = nullptr;
        TWinControl* window = IsWindowed() ? static_cast<TWinControl*>(this) : parent_;
        if (window && window->HandleAllocated() && ::GetCapture() == window->Handle())
            ::ReleaseCapture();
    }
}

// ---- painting ----

void TControl::InvalidateInParent(const RECT& rect) {
    if (!parent_ || !parent_->HandleAllocated()) return;
    RECT r = rect;
    ::OffsetRect(&r, left_, top_);
    ::InvalidateRect(parent_->Handle(), &r, controlStyle_.Contains(csOpaque) ? FALSE : TRUE);
}

void TControl::RequestRepaint() {
    if (visible_) InvalidateInParent(ClientRect());
}

void TControl::RepaintNow() {
    RequestRepaint();
    if (parent_ && parent_->HandleAllocated()) ::UpdateWindow(parent_->Handle());
}

// ---- layout ----

const PropertyTable& TControl::ClassProperties() {
    using C = TControl;
    static const PropertyTable table(
        &TComponent::ClassProperties(),
        {
            props::Integer(L"Left", &C::Left, &C::SetLeft, std::nullopt),
            props::Integer(L"Top", &C::Top, &C::SetTop, std::nullopt),
            props::Integer(L"Width", &C::Width, &C::SetWidth, std::nullopt),
            props::Integer(L"Height", &C::Height, &C::SetHeight, std::nullopt),
            props::Enum(L"Align", &C::Align, &C::SetAlign, std::optional<TAlign>(alNone)),
            props::Reference(L"Action", &C::Action, &C::SetAction),
            props::Set<TAnchorKind>(L"Anchors", &C::AnchorBits, &C::SetAnchorBits,
                                    TAnchors{akLeft, akTop}.Bits()),
            props::String(L"Caption", &C::Caption, &C::SetCaption, std::wstring()),
            props::Object(L"Constraints", &C::Constraints),
            props::Boolean(L"Enabled", &C::Enabled, &C::SetEnabled, true),
            props::Boolean(L"Visible", &C::Visible, &C::SetVisible, true),
            props::Object(L"Font", &C::Font,
                          [](const TPersistent& o) { return !props::Self<C>(o).ParentFont(); }),
            props::Boolean(L"ParentFont", &C::ParentFont, &C::SetParentFont, true),
            // Color is stored only when it is the control's own.
            [] {
                PropertyInfo p = props::Color(L"Color", &C::Color, &C::SetColor, std::nullopt);
                p.stored = [](const TPersistent& o) { return !props::Self<C>(o).ParentColor(); };
                return p;
            }(),
            props::Boolean(L"ParentColor", &C::ParentColor, &C::SetParentColor, true),
            props::String(L"Hint", &C::Hint, &C::SetHint, std::wstring()),
            [] {
                PropertyInfo p =
                    props::Boolean(L"ShowHint", &C::ShowHint, &C::SetShowHint, std::nullopt);
                p.stored = [](const TPersistent& o) { return !props::Self<C>(o).ParentShowHint(); };
                return p;
            }(),
            props::Boolean(L"ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint, true),
            props::Enum(L"DragMode", &C::DragMode, &C::SetDragMode,
                        std::optional<TDragMode>(dmManual)),
            props::Enum(L"DragKind", &C::DragKind, &C::SetDragKind,
                        std::optional<TDragKind>(dkDrag)),
            props::Integer(L"HelpContext", &C::HelpContext, &C::SetHelpContext, 0),
            props::Reference(L"PopupMenu", &C::PopupMenu, &C::SetPopupMenu),
            props::Event(L"OnClick", &C::OnClick),
            props::Event(L"OnDblClick", &C::OnDblClick),
            props::Event(L"OnDragDrop", &C::OnDragDrop),
            props::Event(L"OnDragOver", &C::OnDragOver),
            props::Event(L"OnEndDock", &C::OnEndDock),
            props::Event(L"OnStartDock", &C::OnStartDock),
            props::Event(L"OnStartDrag", &C::OnStartDrag),
        });
    return table;
}

} // namespace plaxor
