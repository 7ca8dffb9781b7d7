#include "AdvGlowButton.h"
#include "framework/Colors.h"
#include "framework/ImageList.h"
#include "framework/PopupMenu.h"
#include "framework/Properties.h"
#include "framework/Timer.h"
#include <windowsx.h>

namespace plaxor {

TAdvCustomGlowButton::TAdvCustomGlowButton(TComponent* owner)
    : TCustomControl(owner), picture_(std::make_unique<TGDIPPicture>()),
      disabledPicture_(std::make_unique<TGDIPPicture>()),
      hotPicture_(std::make_unique<TGDIPPicture>()),
      appearance_(std::make_unique<TGlowButtonAppearance>()),
      officeHint_(std::make_unique<TAdvHintInfo>()), notes_(std::make_unique<TStringList>()),
      notesFont_(std::make_unique<TFont>()) {
    SetDoubleBuffered(true);
    SetParentFont(true);
    SetBounds(Left(), Top(), 100, 41);
    notesFont_->SetName(L"Tahoma");
    notesFont_->SetSize(8);
    state_.savedLayout = layout_;
    state_.savedDropDownPosition = dropDownPosition_;
    state_.buttonSizeState = bsLarge;
    state_.sizeDirty = true;

    appearance_->onChange = [this](TObject*) { RequestRepaint(); };
    picture_->OnChange = [this](TObject*) { UpdateSize(); };
    disabledPicture_->OnChange = [this](TObject*) { UpdateSize(); };
    // Lines and font loaded from a layout reach the objects directly, not through the setters.
    notes_->OnChange = [this](TObject*) { RequestRepaint(); };
    notesFont_->OnChange = [this](TObject*) { RequestRepaint(); };
}

TAdvCustomGlowButton::~TAdvCustomGlowButton() {
    // The timers call back into this object; they go before anything they could reach.
    FreeOwnedComponents();
    state_.fadeTimer = nullptr;
    state_.repeatTimer = nullptr;
    appearance_->onChange = nullptr;
    picture_->OnChange = nullptr;
    disabledPicture_->OnChange = nullptr;
    notes_->OnChange = nullptr;
    notesFont_->OnChange = nullptr;
}

// ---- properties ----

void TAdvCustomGlowButton::SetAntiAlias(TAntiAlias value) {
    if (antiAlias_ == value) return;
    antiAlias_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    UpdateSize();
}

void TAdvCustomGlowButton::SetBorderStyle(TBorderStyle value) {
    borderStyle_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetDefault(bool value) {
    default_ = value;
    // Without a window CreateWindowHandle takes it up; with one, Enter must follow at once.
    if (!HandleAllocated()) return;
    TForm* form = GetParentForm();
    UpdateDefaultActive(form ? form->ActiveControl() : nullptr);
}

void TAdvCustomGlowButton::SetImageIndex(int value) {
    imageIndex_ = value;
    UpdateSize();
}

// The lists and the menu may belong to another owner: held as references that read null once
// they are freed, so that no paint or press ever reaches a freed one.
void TAdvCustomGlowButton::SetImages(TImageList* value) {
    images_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetDisabledImages(TImageList* value) {
    disabledImages_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetHotImages(TImageList* value) {
    hotImages_ = value;
}

void TAdvCustomGlowButton::SetDropDownMenu(TPopupMenu* value) {
    dropDownMenu_ = value;
}

void TAdvCustomGlowButton::SetDisabledPicture(const TPersistent* value) {
    disabledPicture_->CopyFrom(value);
    RequestRepaint();
}

void TAdvCustomGlowButton::SetMarginVert(int value) {
    if (marginVert_ == value) return;
    marginVert_ = value;
    UpdateSize();
}

void TAdvCustomGlowButton::SetMarginHorz(int value) {
    if (marginHorz_ == value) return;
    marginHorz_ = value;
    UpdateSize();
}

void TAdvCustomGlowButton::SetNotes(const TStrings* value) {
    notes_->CopyFrom(value);
    RequestRepaint();
}

void TAdvCustomGlowButton::SetNotesFont(const TFont* value) {
    notesFont_->CopyFrom(value);
    RequestRepaint();
}

void TAdvCustomGlowButton::SetPosition(TButtonPosition value) {
    position_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetRounded(bool value) {
    if (rounded_ == value) return;
    rounded_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetShowCaption(bool value) {
    showCaption_ = value;
    UpdateSize();
    RequestRepaint();
}

void TAdvCustomGlowButton::SetShowDisabled(bool value) {
    showDisabled_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetSpacing(int value) {
    if (spacing_ == value) return;
    spacing_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetTrimming(StringTrimming value) {
    if (trimming_ == value) return;
    trimming_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetAllowAllUp(bool value) {
    if (allowAllUp_ == value) return;
    allowAllUp_ = value;
    AnnounceGroup();
}

void TAdvCustomGlowButton::SetGroupIndex(int value) {
    if (groupIndex_ == value) return;
    groupIndex_ = value;
    AnnounceGroup();
}

void TAdvCustomGlowButton::SetLayout(TButtonLayout value) {
    layout_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::SetDropDownButton(bool value) {
    if (dropDownButton_ == value) return;
    dropDownButton_ = value;
    // Only the bounds are applied again: an auto-sized button catches up at its next size
    // update.
    AdjustSize();
    RequestRepaint();
}

void TAdvCustomGlowButton::SetDropDownPosition(TDropDownPosition value) {
    if (dropDownPosition_ == value) return;
    dropDownPosition_ = value;
    if (dropDownButton_) AdjustSize();
    RequestRepaint();
}

void TAdvCustomGlowButton::SetDropDownDirection(TDropDownDirection value) {
    if (dropDownDirection_ == value) return;
    dropDownDirection_ = value;
    RequestRepaint();
}

void TAdvCustomGlowButton::ApplyStylePreset(std::uint8_t style) {
    ApplyStylePresetTo(*appearance_, style);
    RequestRepaint();
}

std::uint32_t TAdvCustomGlowButton::VersionNumber() const {
    return 0x01080403;
}

std::wstring TAdvCustomGlowButton::VersionText() const {
    const std::uint32_t v = VersionNumber();
    return std::to_wstring(v >> 24 & 0xFF) + L"." + std::to_wstring(v >> 16 & 0xFF) + L"." +
           std::to_wstring(v >> 8 & 0xFF) + L"." + std::to_wstring(v & 0xFF);
}

bool TAdvCustomGlowButton::IsMenuButton() const {
    return false;
}

// ---- lifetime and framework overrides ----

void TAdvCustomGlowButton::CreateWindowHandle() {
    TCustomControl::CreateWindowHandle();
    state_.defaultActive = default_;
}

void TAdvCustomGlowButton::AfterLoad() {
    TCustomControl::AfterLoad();
    // Down may have been read before GroupIndex and Style made it possible.
    if (state_.loadedDown != down_) ChangeDown(state_.loadedDown);
}

void TAdvCustomGlowButton::CopyFrom(const TPersistent* source) {
    const auto* src = dynamic_cast<const TAdvCustomGlowButton*>(source);
    if (!src || src == this) return;
    SetAlign(src->Align());
    SetAction(src->Action());
    SetAnchors(src->Anchors());
    SetAntiAlias(src->antiAlias_);
    SetAutoSize(src->autoSize_);
    SetBorderStyle(src->borderStyle_);
    SetCancel(src->cancel_);
    SetCaption(src->Caption());
    SetConstraints(src->Constraints());
    SetDefault(src->default_);
    SetFont(src->Font());
    SetImageIndex(src->imageIndex_);
    // The lists are shared components: the references are copied, never their content.
    SetImages(src->Images());
    SetDisabledImages(src->DisabledImages());
    SetDisabledPicture(src->disabledPicture_.get());
    SetDragMode(src->DragMode());
    SetDragKind(src->DragKind());
    SetFocusType(src->focusType_);
    SetHotImages(src->HotImages());
    SetHotPicture(src->hotPicture_.get());
    SetMarginVert(src->marginVert_);
    SetMarginHorz(src->marginHorz_);
    SetModalResult(src->modalResult_);
    SetNotes(src->notes_.get());
    SetNotesFont(src->notesFont_.get());
    SetOfficeHint(src->officeHint_.get());
    SetParentFont(src->ParentFont());
    SetPicture(src->picture_.get());
    SetPopupMenu(src->PopupMenu());
    SetPosition(src->position_);
    SetInitRepeatPause(src->initRepeatPause_);
    SetRepeatPause(src->repeatPause_);
    SetRepeatClick(src->repeatClick_);
    SetRounded(src->rounded_);
    SetShortCutHint(src->shortCutHint_);
    SetShortCutHintPos(src->shortCutHintPos_);
    SetShowCaption(src->showCaption_);
    SetShowDisabled(src->showDisabled_);
    SetSpacing(src->spacing_);
    SetTransparent(src->transparent_);
    SetTrimming(src->trimming_);
    SetWordWrap(src->wordWrap_);
    SetShowHint(src->ShowHint());
    SetParentShowHint(src->ParentShowHint());
    SetTabOrder(src->TabOrder());
    SetTabStop(src->TabStop());
    SetVisible(src->Visible());
}

void TAdvCustomGlowButton::PerformClick() {
    if (TForm* form = GetParentForm()) form->SetModalResult(modalResult_);
    TCustomControl::PerformClick();
}

// ---- messages ----

void TAdvCustomGlowButton::WindowProc(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER: OnMouseEnterMessage(message); break;
    case CM_MOUSELEAVE: OnMouseLeaveMessage(message); break;
    case WM_LBUTTONDOWN:
        state_.mouseDownSeen = true;
        TCustomControl::WindowProc(message);
        break;
    case WM_LBUTTONUP: OnLeftButtonUp(message); break;
    case CM_DIALOGKEY: OnDialogKey(message); break;
    case CM_DIALOGCHAR: OnDialogChar(message); break;
    case CM_FOCUSCHANGED: OnFocusChanged(message); break;
    case CM_BUTTONPRESSED: OnButtonPressed(message); break;
    case CN_COMMAND: OnCommandNotify(message); break;
    case WM_SETTEXT:
        TCustomControl::WindowProc(message);
        if (autoSize_) UpdateSize();
        break;
    case CM_TEXTCHANGED: RequestRepaint(); break;
    case CM_ENABLEDCHANGED:
        TCustomControl::WindowProc(message);
        RequestRepaint();
        break;
    case WM_ERASEBKGND: HandleEraseBackground(message); break;
    default: TCustomControl::WindowProc(message); break;
    }
}

void TAdvCustomGlowButton::OnCommandNotify(TMessage& message) {
    if (HIWORD(message.WParam) == BN_CLICKED) PerformClick();
}

// ---- layout ----

const PropertyTable& TAdvCustomGlowButton::ClassProperties() {
    using C = TAdvCustomGlowButton;
    static const PropertyTable table(
        &TCustomControl::ClassProperties(),
        {
            props::Enum(L"AntiAlias", &C::AntiAlias, &C::SetAntiAlias,
                        std::optional<TAntiAlias>(aaClearType)),
            props::Boolean(L"AutoSize", &C::AutoSize, &C::SetAutoSize, false),
            props::Enum(L"BorderStyle", &C::BorderStyle, &C::SetBorderStyle,
                        std::optional<TBorderStyle>(bsSingle)),
            props::Boolean(L"Cancel", &C::Cancel, &C::SetCancel, false),
            props::Boolean(L"Default", &C::Default, &C::SetDefault, false),
            props::Integer(L"ImageIndex", &C::ImageIndex, &C::SetImageIndex, -1),
            props::Reference(L"Images", &C::Images, &C::SetImages),
            props::Reference(L"DisabledImages", &C::DisabledImages, &C::SetDisabledImages),
            props::Object(L"DisabledPicture", &C::DisabledPicture),
            props::Enum(L"FocusType", &C::FocusType, &C::SetFocusType,
                        std::optional<TFocusType>(ftBorder)),
            props::Reference(L"HotImages", &C::HotImages, &C::SetHotImages),
            props::Object(L"HotPicture", &C::HotPicture),
            props::Integer(L"MarginVert", &C::MarginVert, &C::SetMarginVert, 1),
            props::Integer(L"MarginHorz", &C::MarginHorz, &C::SetMarginHorz, 1),
            props::Integer(L"ModalResult", &C::ModalResult, &C::SetModalResult, 0),
            props::Strings(L"Notes", &C::Notes),
            props::Object(L"NotesFont", &C::NotesFont),
            props::Object(L"OfficeHint", &C::OfficeHint),
            props::Object(L"Picture", &C::Picture),
            props::Enum(L"Position", &C::Position, &C::SetPosition,
                        std::optional<TButtonPosition>(bpStandalone)),
            props::Integer(L"InitRepeatPause", &C::InitRepeatPause, &C::SetInitRepeatPause, 400),
            props::Integer(L"RepeatPause", &C::RepeatPause, &C::SetRepeatPause, 100),
            props::Boolean(L"RepeatClick", &C::RepeatClick, &C::SetRepeatClick, false),
            props::Boolean(L"Rounded", &C::Rounded, &C::SetRounded, true),
            props::String(L"ShortCutHint", &C::ShortCutHint, &C::SetShortCutHint, std::wstring()),
            props::Enum(L"ShortCutHintPos", &C::ShortCutHintPos, &C::SetShortCutHintPos,
                        std::optional<TShortCutHintPos>(shpTop)),
            props::Boolean(L"ShowCaption", &C::ShowCaption, &C::SetShowCaption, true),
            props::Boolean(L"ShowDisabled", &C::ShowDisabled, &C::SetShowDisabled, true),
            props::Integer(L"Spacing", &C::Spacing, &C::SetSpacing, 2),
            props::Boolean(L"Transparent", &C::Transparent, &C::SetTransparent, false),
            props::Enum(L"Trimming", &C::Trimming, &C::SetTrimming,
                        std::optional<StringTrimming>(StringTrimmingNone)),
            // Read (and ignored) so that layouts carrying it load; never written.
            props::Custom(
                L"Version",
                [](const TPersistent&) -> std::optional<LayoutValue> { return std::nullopt; },
                [](TPersistent&, const LayoutValue&, LayoutContext&) {}),
            props::Boolean(L"WordWrap", &C::WordWrap, &C::SetWordWrap, true),
            props::Event(L"OnMouseEnter", &C::OnMouseEnter),
            props::Event(L"OnMouseLeave", &C::OnMouseLeave),
        });
    return table;
}

const PropertyTable& TAdvGlowButton::ClassProperties() {
    using C = TAdvCustomGlowButton;
    static const PropertyTable table(
        &TAdvCustomGlowButton::ClassProperties(),
        {
            props::Boolean(L"AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp, false),
            props::Object(L"Appearance", &C::Appearance),
            props::Boolean(L"Down", &C::Down, &C::SetDown, false),
            props::Integer(L"GroupIndex", &C::GroupIndex, &C::SetGroupIndex, 0),
            props::Enum(L"Layout", &C::Layout, &C::SetLayout,
                        std::optional<TButtonLayout>(blGlyphLeft)),
            props::Enum(L"Style", &C::Style, &C::SetStyle,
                        std::optional<TAdvButtonStyle>(bsButton)),
            props::Enum(L"MaxButtonSizeState", &C::MaxButtonSizeState, &C::SetMaxButtonSizeState,
                        std::optional<TButtonSizeState>(bsLarge)),
            props::Enum(L"MinButtonSizeState", &C::MinButtonSizeState, &C::SetMinButtonSizeState,
                        std::optional<TButtonSizeState>(bsGlyph)),
            props::Boolean(L"DropDownButton", &C::DropDownButton, &C::SetDropDownButton, false),
            props::Enum(L"DropDownPosition", &C::DropDownPosition, &C::SetDropDownPosition,
                        std::optional<TDropDownPosition>(dpRight)),
            props::Enum(L"DropDownDirection", &C::DropDownDirection, &C::SetDropDownDirection,
                        std::optional<TDropDownDirection>(ddDown)),
            props::Boolean(L"DropDownSplit", &C::DropDownSplit, &C::SetDropDownSplit, true),
            props::Reference(L"DropDownMenu", &C::DropDownMenu, &C::SetDropDownMenu),
            props::Event(L"OnDropDown", &C::OnDropDown),
        });
    return table;
}

} // namespace plaxor
