// Painting of the glow button: the paint sequence that settles the state, chooses the colours,
// pictures and caption and draws through DrawGlowButton, the parent's background through a
// transparent button and in the corner pixels, and OnDrawButton. The framework buffers the
// paint (the button is double-buffered).
#include "AdvGlowButton.h"
#include "DrawGlowButton.h"
#include "FaceColors.h"
#include "GlowButtonSizing.h"
#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "gdiplus/GdiplusValues.h"
#include "framework/FlagScope.h"
#include <optional>
#include <utility>

namespace plaxor {

// ---- WM_ERASEBKGND ----

void TAdvCustomGlowButton::HandleEraseBackground(TMessage& message) {
    message.Result = 1;
}

// ---- the parent's background ----

void TAdvCustomGlowButton::PaintParentBackground(HRGN region) {
    TWinControl* parent = Parent();
    TCanvas& canvas = Canvas();
    HDC dc = canvas.Handle();
    if (!parent || !dc || !region) return;
    // What the canvas has selected goes back before the parent paints, and is selected again
    // by the canvas's next operation.
    canvas.Refresh();
    // Clip and origin go back with the saved state, also when the parent's paint throws.
    SavedDC saved(dc);
    ::SelectClipRgn(dc, region);
    // The parent paints in its own coordinates: the window origin moves to where this
    // control's client area lies in the parent.
    const POINT origin = parent->ScreenToClient(ClientToScreen(POINT{0, 0}));
    ::OffsetWindowOrgEx(dc, origin.x, origin.y, nullptr);
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void TAdvCustomGlowButton::PaintCornerPixels() {
    const int w = ClientWidth(), h = ClientHeight();
    std::vector<POINT> corners;
    switch (position_) {
    case bpStandalone: corners = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}; break;
    case bpLeft: corners = {{0, 0}, {0, h - 1}}; break;
    case bpMiddle: return; // square ends: nothing of the parent shows
    case bpRight: corners = {{w - 1, 0}, {w - 1, h - 1}}; break;
    }
    UniqueHRGN region(::CreateRectRgn(0, 0, 0, 0));
    if (!region) return;
    for (const POINT p : corners) {
        UniqueHRGN pixel(::CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
        if (pixel) ::CombineRgn(region.get(), region.get(), pixel.get(), RGN_OR);
    }
    PaintParentBackground(region.get());
}

// ---- the paint ----

void TAdvCustomGlowButton::PaintControl() {
    if (state_.painting) return;
    FlagScope scope(state_.painting);
    // Without a window there is nothing to paint on yet; an auto-sized button measures at its
    // first real paint, since sizeDirty stays set.
    TCanvas& canvas = Canvas();
    if (!canvas.HandleAllocated()) return;
    const RECT client = ClientRect();

    if (transparent_ && !state_.mouseOver) {
        UniqueHRGN whole(::CreateRectRgnIndirect(&client));
        PaintParentBackground(whole.get());
    }

    const TSettledState settled =
        SettleButtonState(state_.buttonState, Enabled(), down_, groupIndex_, style_);
    state_.buttonState = settled.buttonState;
    if (settled.clearTracking) state_.tracking = false;

    const TFaceColors colors = ChooseFaceColors(*appearance_, state_,
                                                {.enabled = Enabled(),
                                                 .down = down_,
                                                 .showDisabled = showDisabled_,
                                                 .style = style_,
                                                 .groupIndex = groupIndex_,
                                                 .transparent = transparent_,
                                                 .position = position_,
                                                 .focusType = focusType_,
                                                 .fading = state_.Fading()});

    // Image list, picture and caption for the look of the moment.
    TImageList* imageList = nullptr;
    bool imageEnabled = true;
    if (Enabled() || !disabledImages_) {
        imageList = state_.hotColors && hotImages_ ? HotImages() : Images();
        imageEnabled = Enabled();
    } else {
        imageList = DisabledImages();
    }
    TGDIPPicture* picture = picture_.get();
    if (!Enabled() && !disabledPicture_->IsEmpty())
        picture = disabledPicture_.get();
    else if (state_.hotColors && !hotPicture_->IsEmpty())
        picture = hotPicture_.get();
    std::wstring caption = showCaption_ ? Caption() : std::wstring();

    const THotPart hotPart =
        HotPart(dropDownButton_, state_.mouseInside, state_.leftButtonHeld, state_.dropDownHot);
    const bool focusBorder = IsFocusBorderVisible();
    const bool focusHot = FocusHotShown(state_.hasFocus, focusType_);

    // The caption font: the button's own, in the system typeface unless it follows its parent.
    TFont font;
    font.CopyFrom(Font());
    if (!ParentFont() && appearance_->SystemFont())
        font.SetName(IsWindowsVistaOrLater() ? L"Segoe UI" : L"Tahoma");

    TBitmap glyph(1, 1);
    PrepareGlyph(glyph);

    int actionIndex = -1;
    if (TImageList* actionList = ActionImages(actionIndex)) {
        imageList = actionList;
        imageEnabled = Enabled();
        imageIndex_ = actionIndex;
    }

    // The smaller size states show a 16 x 16 picture, and the glyph state no caption.
    SIZE pictureSize{0, 0};
    if (autoSize_ && (state_.buttonSizeState == bsGlyph || state_.buttonSizeState == bsLabel)) {
        pictureSize = {16, 16};
        if (imageList && imageIndex_ >= 0) picture = nullptr;
        if (state_.buttonSizeState == bsGlyph) caption.clear();
    }

    TGlowButtonDrawInputs in;
    in.control = this;
    in.canvas = &canvas;
    in.rect = client;
    in.Color = colors.Color;
    in.ColorTo = colors.ColorTo;
    in.ColorMirror = colors.ColorMirror;
    in.ColorMirrorTo = colors.ColorMirrorTo;
    in.BorderColor = colors.BorderColor;
    in.Gradient = colors.Gradient;
    in.GradientMirror = colors.GradientMirror;
    in.caption = std::move(caption);
    in.font = &font;
    in.imageList = imageList;
    in.imageIndex = imageIndex_;
    in.imageEnabled = imageEnabled;
    in.layout = layout_;
    in.dropDownButton = dropDownButton_;
    in.highlighted = colors.highlighted;
    in.enabled = Enabled();
    in.focusBorder = focusBorder;
    in.dropDownPosition = dropDownPosition_;
    in.picture = picture;
    in.pictureSize = pictureSize;
    in.antiAlias = antiAlias_;
    in.glyphBitmap = &glyph;
    in.hotPart = hotPart;
    in.transparentIdle =
        IsTransparentIdle(transparent_, state_.mouseOver, focusHot, state_.buttonState);
    in.mouseOver = state_.mouseOver;
    in.position = position_;
    in.dropDownSplit = dropDownSplit_;
    in.borderVisible = IsBorderVisible();
    in.wordWrap = wordWrap_;
    in.rounded = rounded_;
    in.arrowDown = dropDownDirection_ == ddDown;
    in.spacing = spacing_;
    in.trimming = trimming_;
    in.notes = notes_.get();
    in.notesFont = notesFont_.get();
    in.down = down_;

    if (state_.sizeRequest || (state_.sizeDirty && autoSize_)) {
        in.measureOnly = true;
        ApplyContentSize(DrawGlowButton(in));
        state_.sizeDirty = false;
        in.measureOnly = false;
        in.rect = ClientRect();
        // Resizing went through the window's messages, which may have let a window DC go:
        // the canvas takes a new one.
        if (!Canvas().HandleAllocated()) return;
    }
    DrawGlowButton(in);

    AfterPaint();
    const TGlowButtonState look = state_.buttonState == stateDown ? gsDown
                                  : state_.mouseOver              ? gsHot
                                                                  : gsNormal;
    Raise(OnDrawButton, this, canvas, in.rect, look);

    if (Parent() && !(transparent_ && !state_.mouseOver && state_.buttonState != stateDown &&
                      !state_.hotColors))
        PaintCornerPixels();
}

void TAdvCustomGlowButton::AfterPaint() {}

void TAdvCustomGlowButton::PrepareGlyph(TBitmap&) {}

bool TAdvCustomGlowButton::IsBorderVisible() const {
    return borderStyle_ == bsSingle;
}

bool TAdvCustomGlowButton::IsFocusBorderVisible() const {
    return FocusBorderShown(state_.hasFocus, focusType_);
}

} // namespace plaxor
