// Automatic sizing of the glow button and its size states. The measuring itself happens in the
// paint, so that the size always fits what is drawn.
#include "AdvGlowButton.h"

namespace plaxor {

void TAdvCustomGlowButton::UpdateSize() {
    if (!autoSize_) {
        RequestRepaint();
        return;
    }
    sizeRequest = true;
    RepaintNow();
    // The second pass measures again with the size the first one applied.
    if (Parent() && HandleAllocated() && !IsDesigning() && !IsLoading()) PaintControl();
    sizeRequest = false;
}

void TAdvCustomGlowButton::ChangeSizeState(TButtonSizeState value) {
    if (value == buttonSizeState) return;
    if (buttonSizeState == bsLarge) {
        savedLayout = layout_;
        savedDropDownPosition = dropDownPosition_;
    }
    buttonSizeState = value;
    if (autoSize_) {
        if (value == bsLarge) {
            SetLayout(savedLayout);
            SetDropDownPosition(savedDropDownPosition);
        } else {
            SetLayout(blGlyphLeft);
            SetDropDownPosition(dpRight);
        }
    }
    sizeDirty = true;
    // Without a window there is nothing to paint on yet; the next paint measures.
    if (HandleAllocated()) PaintControl();
}

void TAdvCustomGlowButton::SetMaxButtonSizeState(TButtonSizeState value) {
    if (maxButtonSizeState_ == value) return;
    maxButtonSizeState_ = value;
    ChangeSizeState(value);
}

void TAdvCustomGlowButton::SetMinButtonSizeState(TButtonSizeState value) {
    if (minButtonSizeState_ == value) return;
    minButtonSizeState_ = value;
    if (buttonSizeState < value) ChangeSizeState(value);
}

} // namespace plaxor
