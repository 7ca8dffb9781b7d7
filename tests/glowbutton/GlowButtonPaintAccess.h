#pragma once
// The painting tests' view of a glow button's private state: they set the state fields that
// input would move, paint, and read the pixels.
#include "framework/Timer.h"
#include "glowbutton/AdvGlowButton.h"

namespace plaxor {

class GlowButtonPaintAccess {
public:
    explicit GlowButtonPaintAccess(TAdvCustomGlowButton& b) : b_(b) {}

    std::uint8_t& buttonState() { return b_.buttonState; }
    bool& mouseOver() { return b_.mouseOver; }
    bool& mouseInside() { return b_.mouseInside; }
    bool& hotColors() { return b_.hotColors; }
    bool& pressed() { return b_.pressed; }
    bool& leftButtonHeld() { return b_.leftButtonHeld; }
    bool& hasFocus() { return b_.hasFocus; }
    bool& dropDownHot() { return b_.dropDownHot; }
    bool& tracking() { return b_.tracking; }
    int& hotFade() { return b_.hotFade; }
    int& downFade() { return b_.downFade; }
    bool& painting() { return b_.painting; }
    bool& sizeDirty() { return b_.sizeDirty; }
    bool& sizeRequest() { return b_.sizeRequest; }
    TButtonSizeState& buttonSizeState() { return b_.buttonSizeState; }
    TButtonLayout& savedLayout() { return b_.savedLayout; }
    TDropDownPosition& savedDropDownPosition() { return b_.savedDropDownPosition; }
    TTimer* fadeTimer() { return b_.fadeTimer; }

    // The button the mouse is over, with its hot colours in full.
    void MakeHot() { b_.mouseOver = b_.mouseInside = b_.hotColors = true; }
    // A fade timer that the test ticks itself (it never fires on its own: it is disabled).
    void StartFade() {
        b_.StartFadeTimer();
        b_.fadeTimer->SetEnabled(false);
    }
    void PaintNow() { b_.PaintControl(); }
    void ChangeSizeState(TButtonSizeState value) { b_.ChangeSizeState(value); }
    void UpdateSize() { b_.UpdateSize(); }

private:
    TAdvCustomGlowButton& b_;
};

} // namespace plaxor
