#pragma once
// The glow button: an owner-drawn push button with a gradient face, colour sets for the normal,
// hot, pressed, checked and disabled looks that fade into one another, check and group
// behaviour, auto-repeat, pictures, notes text and a drop-down part.
// TAdvCustomGlowButton holds all state and behaviour; TAdvGlowButton publishes the rest.
//
// Where the code lives: properties, copying and messages in AdvGlowButton.cpp; mouse, keyboard,
// focus, fades, auto-repeat and groups in GlowButtonInput.cpp; painting in GlowButtonPaint.cpp;
// automatic sizing in GlowButtonSizing.cpp; the drop-down part and the action link's side in
// GlowButtonDropDown.cpp.
#include "GlowButtonAppearance.h"
#include "GlowButtonTypes.h"
#include "GlowState.h"
#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/Strings.h"
#include "gdiplus/AdvHintInfo.h"
#include "gdiplus/GDIPPicture.h"
#include "gdiplus/GdiplusTypes.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace plaxor {

class TBitmap;
class TImageList;
class TPopupMenu;
class TTimer;

using TGlowButtonDrawEvent =
    std::function<void(TObject* sender, TCanvas& canvas, const RECT& rect, TGlowButtonState state)>;

class TAdvCustomGlowButton : public TCustomControl, public IStylePreset {
public:
    explicit TAdvCustomGlowButton(TComponent* owner);
    ~TAdvCustomGlowButton() override;
    std::wstring ClassName() const override { return L"TAdvCustomGlowButton"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // From another glow button: its settings in a fixed order, through the setters; not its
    // appearance, down state, enabled state, group, layout, style, drop-down settings, size
    // states or events. Anything else is ignored.
    void CopyFrom(const TPersistent* source) override;
    // Sets the parent form's ModalResult to this button's (0 too), then clicks.
    void PerformClick() override;
    void WindowProc(TMessage& message) override;

    // Overwrites appearance colours with one of the style presets, then repaints.
    void ApplyStylePreset(std::uint8_t style) override;

    // The Down setter: group and style rules, then the group announcement.
    void ChangeDown(bool value);
    // "1.8.4.3": the bytes of VersionNumber, most significant first.
    std::wstring VersionText() const;

    // ---- properties ----
    TAntiAlias AntiAlias() const noexcept { return antiAlias_; }
    void SetAntiAlias(TAntiAlias value);
    bool AutoSize() const noexcept { return autoSize_; }
    void SetAutoSize(bool value);
    TBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool Cancel() const noexcept { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool Default() const noexcept { return default_; }
    void SetDefault(bool value);
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int value);
    TImageList* Images() const noexcept { return images_.get(); }
    void SetImages(TImageList* value);
    TImageList* DisabledImages() const noexcept { return disabledImages_.get(); }
    void SetDisabledImages(TImageList* value);
    TGDIPPicture* DisabledPicture() const noexcept { return disabledPicture_.get(); }
    void SetDisabledPicture(const TPersistent* value);
    TFocusType FocusType() const noexcept { return focusType_; }
    void SetFocusType(TFocusType value) { focusType_ = value; }
    TImageList* HotImages() const noexcept { return hotImages_.get(); }
    void SetHotImages(TImageList* value);
    TGDIPPicture* HotPicture() const noexcept { return hotPicture_.get(); }
    void SetHotPicture(const TPersistent* value) { hotPicture_->CopyFrom(value); }
    int MarginVert() const noexcept { return marginVert_; }
    void SetMarginVert(int value);
    int MarginHorz() const noexcept { return marginHorz_; }
    void SetMarginHorz(int value);
    TModalResult ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    TStrings* Notes() const noexcept { return notes_.get(); }
    void SetNotes(const TStrings* value);
    TFont* NotesFont() const noexcept { return notesFont_.get(); }
    void SetNotesFont(const TFont* value);
    TAdvHintInfo* OfficeHint() const noexcept { return officeHint_.get(); }
    void SetOfficeHint(const TAdvHintInfo* value) { officeHint_->CopyFrom(value); }
    TGDIPPicture* Picture() const noexcept { return picture_.get(); }
    void SetPicture(const TPersistent* value) { picture_->CopyFrom(value); }
    TButtonPosition Position() const noexcept { return position_; }
    void SetPosition(TButtonPosition value);
    int InitRepeatPause() const noexcept { return initRepeatPause_; }
    void SetInitRepeatPause(int value) { initRepeatPause_ = value; }
    int RepeatPause() const noexcept { return repeatPause_; }
    void SetRepeatPause(int value) { repeatPause_ = value; }
    bool RepeatClick() const noexcept { return repeatClick_; }
    void SetRepeatClick(bool value) { repeatClick_ = value; }
    bool Rounded() const noexcept { return rounded_; }
    void SetRounded(bool value);
    const std::wstring& ShortCutHint() const noexcept { return shortCutHint_; }
    void SetShortCutHint(const std::wstring& value) { shortCutHint_ = value; }
    TShortCutHintPos ShortCutHintPos() const noexcept { return shortCutHintPos_; }
    void SetShortCutHintPos(TShortCutHintPos value) { shortCutHintPos_ = value; }
    bool ShowCaption() const noexcept { return showCaption_; }
    void SetShowCaption(bool value);
    bool ShowDisabled() const noexcept { return showDisabled_; }
    void SetShowDisabled(bool value);
    int Spacing() const noexcept { return spacing_; }
    void SetSpacing(int value);
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    StringTrimming Trimming() const noexcept { return trimming_; }
    void SetTrimming(StringTrimming value);
    // Read only: a layout's Version is read and ignored.
    std::wstring Version() const { return VersionText(); }
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool value);

    // Published by TAdvGlowButton.
    bool AllowAllUp() const noexcept { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    TGlowButtonAppearance* Appearance() const noexcept { return appearance_.get(); }
    void SetAppearance(const TPersistent* value) { appearance_->CopyFrom(value); }
    bool Down() const noexcept { return down_; }
    void SetDown(bool value) { ChangeDown(value); }
    int GroupIndex() const noexcept { return groupIndex_; }
    void SetGroupIndex(int value);
    TButtonLayout Layout() const noexcept { return layout_; }
    void SetLayout(TButtonLayout value);
    TAdvButtonStyle Style() const noexcept { return style_; }
    void SetStyle(TAdvButtonStyle value) { style_ = value; }
    TButtonSizeState MaxButtonSizeState() const noexcept { return maxButtonSizeState_; }
    void SetMaxButtonSizeState(TButtonSizeState value);
    TButtonSizeState MinButtonSizeState() const noexcept { return minButtonSizeState_; }
    void SetMinButtonSizeState(TButtonSizeState value);
    bool DropDownButton() const noexcept { return dropDownButton_; }
    void SetDropDownButton(bool value);
    TDropDownPosition DropDownPosition() const noexcept { return dropDownPosition_; }
    void SetDropDownPosition(TDropDownPosition value);
    TDropDownDirection DropDownDirection() const noexcept { return dropDownDirection_; }
    void SetDropDownDirection(TDropDownDirection value);
    bool DropDownSplit() const noexcept { return dropDownSplit_; }
    void SetDropDownSplit(bool value) { dropDownSplit_ = value; }
    TPopupMenu* DropDownMenu() const noexcept { return dropDownMenu_.get(); }
    void SetDropDownMenu(TPopupMenu* value);
    // Where the menu opens, in screen coordinates: the button's bottom-left corner for ddDown,
    // its top-right corner for ddRight.
    POINT DropDownAnchor() const;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    // Raised at the end of each paint with the canvas, the client rectangle and the look.
    TGlowButtonDrawEvent OnDrawButton;
    TNotifyEvent OnDropDown;

    // A copy of the state that input moves and painting reads; it changes nothing. Tests read
    // the button through it.
    TGlowState Snapshot() const { return state_; }

protected:
    // ---- the virtual operations this class adds, in slot order ----
    // The auto-repeat timer's tick.
    virtual void RepeatTick();
    // After the face and content are drawn; nothing here.
    virtual void AfterPaint();
    // Receives the glyph work bitmap before drawing; nothing here.
    virtual void PrepareGlyph(TBitmap& bitmap);
    // 0x01080403: major, minor, release, build.
    virtual std::uint32_t VersionNumber() const;
    // True makes the whole button act as the drop-down part.
    virtual bool IsMenuButton() const;
    virtual bool IsBorderVisible() const;
    virtual bool IsFocusBorderVisible() const;

    // ---- framework overrides ----
    void AfterLoad() override;
    void CreateWindowHandle() override;
    void PaintControl() override;
    void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void HandleMouseMove(TShiftState shift, int x, int y) override;
    void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void HandleKeyDown(WORD& key, TShiftState shift) override;
    void HandleKeyUp(WORD& key, TShiftState shift) override;
    void HandleKeyPress(wchar_t& key) override;
    void HandleFocusEnter() override;
    void HandleFocusExit() override;

    // ---- painting and sizing ----
    // WM_ERASEBKGND: answers 1 and erases nothing (the buffered paint covers every pixel).
    void HandleEraseBackground(TMessage& message);
    // Invalidates, or with AutoSize measures the content and resizes.
    void UpdateSize();
    void ChangeSizeState(TButtonSizeState value);

    // ---- the drop-down part ----
    // A press that took the menu path.
    void DropDownFromMouse();
    // F4, an accelerator or a keyboard click that chose the menu.
    void DropDownFromKeyboard();

    // ---- the action link ----
    // A TAdvGlowButtonActionLink.
    std::unique_ptr<TControlActionLink> ActionLinkClass() const override;
    // The framework's (caption, enabled state, hint, visibility, help context, click), then
    // from a custom action the group (when checkDefaults or the button has none) and the
    // picture index. Down is not taken here: it follows Checked through the link.
    void ApplyAction(TBasicAction* sender, bool checkDefaults) override;

private:
    // What the release and the paint ask of a linked action: it checks itself on each click
    // (a TAction with AutoCheck); the image list of an action whose ImageIndex is 0 or more
    // and whose action list has one, with that index in imageIndex (null when there is none).
    bool ActionAutoChecks() const;
    TImageList* ActionImages(int& imageIndex) const;

    // The link keeps the answers of its follow tests in checkedLinked and groupIndexLinked.
    friend class TAdvGlowButtonActionLink;

    // Painting (GlowButtonPaint.cpp) and sizing (GlowButtonSizing.cpp).
    // The parent paints itself into the canvas through region (client coordinates).
    void PaintParentBackground(HRGN region);
    // The parent's background in the corner pixels of the rounded ends.
    void PaintCornerPixels();
    // Resizes an auto-sized button to fit the measured content.
    void ApplyContentSize(SIZE content);

    void OnMouseEnterMessage(TMessage& message);
    void OnMouseLeaveMessage(TMessage& message);
    void OnLeftButtonUp(TMessage& message);
    void OnDialogKey(TMessage& message);
    void OnDialogChar(TMessage& message);
    void OnFocusChanged(TMessage& message);
    void OnButtonPressed(TMessage& message);
    void OnCommandNotify(TMessage& message);

    void StartFadeTimer();
    void FadeTick();
    void FinishFade();
    // After a press ended (or a move came while mouseInside was clear) the framework's enter
    // and leave may have missed a change: where the pointer really is decides whether a leave
    // or an enter is replayed.
    void CursorRecheck();
    void KeyboardClick();
    // The whole button opens the menu (a menu button, or a drop-down button without the split
    // that is a plain ungrouped button): presses and keyboard clicks take the menu path.
    bool WholeButtonIsMenu() const;
    // The face goes down for a press or a keyboard click (a check button toggles first).
    void PressFace();
    void AnnounceGroup();
    // Which glow button Enter clicks, from the control that has the focus now.
    void UpdateDefaultActive(TWinControl* focused);
    bool InClient(int x, int y) const;
    // Opens the drop-down menu at the anchor and waits for it to close.
    void ShowDropDownMenu();

    // Published values.
    TAntiAlias antiAlias_ = aaClearType;
    bool autoSize_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    bool cancel_ = false;
    bool default_ = false;
    int imageIndex_ = -1;
    // References to components of any owner: null once the component is freed.
    TComponentRef<TImageList> images_;
    TComponentRef<TImageList> disabledImages_;
    TFocusType focusType_ = ftBorder;
    TComponentRef<TImageList> hotImages_;
    int marginVert_ = 1;
    int marginHorz_ = 1;
    TModalResult modalResult_ = 0;
    TButtonPosition position_ = bpStandalone;
    int initRepeatPause_ = 400;
    int repeatPause_ = 100;
    bool repeatClick_ = false;
    bool rounded_ = true;
    std::wstring shortCutHint_;
    TShortCutHintPos shortCutHintPos_ = shpTop;
    bool showCaption_ = true;
    bool showDisabled_ = true;
    int spacing_ = 2;
    bool transparent_ = false;
    StringTrimming trimming_ = StringTrimmingNone;
    bool wordWrap_ = true;
    bool allowAllUp_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    TButtonLayout layout_ = blGlyphLeft;
    TAdvButtonStyle style_ = bsButton;
    TButtonSizeState maxButtonSizeState_ = bsLarge;
    TButtonSizeState minButtonSizeState_ = bsGlyph;
    bool dropDownButton_ = false;
    TDropDownPosition dropDownPosition_ = dpRight;
    TDropDownDirection dropDownDirection_ = ddDown;
    bool dropDownSplit_ = true;
    TComponentRef<TPopupMenu> dropDownMenu_;

    // Owned objects, created in this order.
    std::unique_ptr<TGDIPPicture> picture_;
    std::unique_ptr<TGDIPPicture> disabledPicture_;
    std::unique_ptr<TGDIPPicture> hotPicture_;
    std::unique_ptr<TGlowButtonAppearance> appearance_;
    std::unique_ptr<TAdvHintInfo> officeHint_;
    std::unique_ptr<TStringList> notes_;
    std::unique_ptr<TFont> notesFont_;

    // The state that input moves and painting reads (GlowState.h).
    TGlowState state_;
};

class TAdvGlowButton : public TAdvCustomGlowButton {
public:
    explicit TAdvGlowButton(TComponent* owner) : TAdvCustomGlowButton(owner) {}
    std::wstring ClassName() const override { return L"TAdvGlowButton"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }
};

} // namespace plaxor
