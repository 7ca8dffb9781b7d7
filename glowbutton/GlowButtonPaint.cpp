// Painting of the glow button. For now a plain face in the colour of the state, with the state
// settled the way every paint settles it first.
#include "AdvGlowButton.h"

namespace plaxor {

namespace {
// Clears a flag when a scope ends, also by an exception.
class PaintingScope {
public:
    explicit PaintingScope(bool& flag) noexcept : flag_(flag) { flag_ = true; }
    ~PaintingScope() { flag_ = false; }
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;

private:
    bool& flag_;
};
} // namespace

void TAdvCustomGlowButton::HandlePaintMessage(TMessage& message) {
    TCustomControl::WindowProc(message);
}

void TAdvCustomGlowButton::HandleEraseBackground(TMessage& message) {
    message.Result = 1;
}

void TAdvCustomGlowButton::PaintControl() {
    if (painting) return;
    PaintingScope scope(painting);

    if (!Enabled()) {
        buttonState = stateDisabled;
        tracking = false;
    } else if (buttonState == stateDisabled) {
        buttonState = down_ && groupIndex_ != 0 ? stateChecked : stateUp;
    }
    if (style_ == bsCheck && down_) buttonState = stateDown;

    const TGlowButtonAppearance& a = *appearance_;
    TColor face = hotColors ? a.ColorHot() : a.Color();
    if (buttonState == stateDown) face = a.ColorDown();
    if (buttonState == stateChecked) face = a.ColorChecked();
    if ((buttonState == stateDisabled || !Enabled()) && showDisabled_) face = a.ColorDisabled();

    TCanvas& canvas = Canvas();
    const RECT client = ClientRect();
    canvas.Brush().SetColor(face);
    canvas.FillRect(client);

    AfterPaint();
    const TGlowButtonState look = buttonState == stateDown ? gsDown : mouseOver ? gsHot : gsNormal;
    Raise(OnDrawButton, this, canvas, client, look);
}

void TAdvCustomGlowButton::AfterPaint() {}

void TAdvCustomGlowButton::PrepareGlyph(TBitmap&) {}

bool TAdvCustomGlowButton::IsBorderVisible() const {
    return borderStyle_ == bsSingle;
}

bool TAdvCustomGlowButton::IsFocusBorderVisible() const {
    return hasFocus && (focusType_ == ftBorder || focusType_ == ftHotBorder);
}

} // namespace plaxor
