#include "SpeedButton.h"
#include "Properties.h"
#include <algorithm>

namespace plaxor {

TSpeedButton::TSpeedButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
    // The button clicks itself on release; the framework's click would come twice.
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
    glyph_->OnChange = [this](TObject*) { RequestRepaint(); };
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() {
    glyph_->OnChange = nullptr;
}

void TSpeedButton::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (numGlyphs_ == value) return;
    numGlyphs_ = value;
    RequestRepaint();
}

void TSpeedButton::SetFlat(bool value) {
    if (flat_ == value) return;
    flat_ = value;
    RequestRepaint();
}

void TSpeedButton::SetSpacing(int value) {
    if (spacing_ == value) return;
    spacing_ = value;
    RequestRepaint();
}

void TSpeedButton::SetPressed(bool value) {
    if (pressed_ == value) return;
    pressed_ = value;
    RepaintNow();
}

// ---- input ----

void TSpeedButton::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::HandleMouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    tracking_ = true;
    SetPressed(true);
}

void TSpeedButton::HandleMouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::HandleMouseMove(shift, x, y);
    if (tracking_) SetPressed(Inside(x, y));
}

void TSpeedButton::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool click = button == mbLeft && tracking_ && Inside(x, y);
    if (button == mbLeft) {
        tracking_ = false;
        SetPressed(false);
    }
    TGraphicControl::HandleMouseUp(button, shift, x, y);
    if (click) PerformClick();
}

void TSpeedButton::WindowProc(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (flat_) RequestRepaint();
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) {
            tracking_ = false;
            pressed_ = false;
        }
        RequestRepaint();
        break;
    case CM_TEXTCHANGED: RequestRepaint(); break;
    default: TGraphicControl::WindowProc(message); break;
    }
}

// ---- painting ----

void TSpeedButton::DrawGlyph(int x, int y) {
    const int width = glyph_->Width() / numGlyphs_;
    const int height = glyph_->Height();
    // up, disabled, pressed; a strip without the image wanted uses the first one.
    int index = 0;
    if (!Enabled() && numGlyphs_ > 1) index = 1;
    if (pressed_ && numGlyphs_ > 2) index = 2;
    TBitmap image(width, height);
    const RECT whole{0, 0, width, height};
    const RECT part{index * width, 0, index * width + width, height};
    image.Canvas().CopyRect(whole, glyph_->Canvas(), part);
    image.SetTransparentMode(tmAuto); // the bottom-left pixel's colour is left out
    image.SetTransparent(true);
    Canvas().Draw(x, y, image);
}

void TSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    RECT face{0, 0, Width(), Height()};
    HDC dc = canvas.Handle();
    if (!flat_) {
        UINT state = DFCS_BUTTONPUSH;
        if (pressed_) state |= DFCS_PUSHED;
        if (!Enabled()) state |= DFCS_INACTIVE;
        canvas.Refresh(); // the DC's own objects while the system draws
        ::DrawFrameControl(dc, &face, DFC_BUTTON, state);
    } else if (MouseInControl() && Enabled()) {
        canvas.Refresh();
        ::DrawEdge(dc, &face, pressed_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    const int shift = pressed_ ? 1 : 0;
    const bool hasGlyph = !glyph_->IsEmpty();
    const int glyphWidth = hasGlyph ? glyph_->Width() / numGlyphs_ : 0;
    const int glyphHeight = hasGlyph ? glyph_->Height() : 0;
    int textWidth = 0, textHeight = 0;
    canvas.Font().CopyFrom(Font());
    if (!Caption().empty()) {
        RECT measure{0, 0, 0, 0};
        canvas.DrawText(Caption(), measure, DT_CALCRECT | DT_SINGLELINE);
        textWidth = measure.right;
        textHeight = measure.bottom;
    }
    const int gap = hasGlyph && textWidth > 0 ? spacing_ : 0;
    int x = (Width() - (glyphWidth + gap + textWidth)) / 2 + shift;
    if (hasGlyph) {
        DrawGlyph(x, (Height() - glyphHeight) / 2 + shift);
        x += glyphWidth + gap;
    }
    if (textWidth > 0) {
        RECT text{x, (Height() - textHeight) / 2 + shift, x + textWidth, 0};
        text.bottom = text.top + textHeight;
        canvas.Brush().SetStyle(bsClear);
        if (!Enabled()) canvas.Font().SetColor(clGrayText);
        canvas.DrawText(Caption(), text, DT_SINGLELINE);
    }
}

const PropertyTable& TSpeedButton::ClassProperties() {
    using C = TSpeedButton;
    static const PropertyTable table(
        &TGraphicControl::ClassProperties(),
        {
            props::Boolean(L"Flat", &C::Flat, &C::SetFlat, false),
            props::Object(L"Glyph", &C::Glyph),
            props::Integer(L"NumGlyphs", &C::NumGlyphs, &C::SetNumGlyphs, 1),
            props::Integer(L"Spacing", &C::Spacing, &C::SetSpacing, 4),
        });
    return table;
}

} // namespace plaxor
