// Automatic sizing of the glow button and its size states. The measuring itself happens in the
// paint, so that the size always fits what is drawn.
#include "GlowButtonSizing.h"
#include "AdvGlowButton.h"
#include "framework/FlagScope.h"

namespace plaxor {

SIZE AutoSizeExtent(SIZE content, int spacing, int marginHorz, int marginVert, bool dropDownButton,
                    TDropDownPosition dropDownPosition) {
    SIZE size{3 * spacing + content.cx + 2 * marginHorz + 2,
              2 * spacing + content.cy + 2 * marginVert};
    if (dropDownButton) {
        if (dropDownPosition == dpBottom)
            size.cy += kDropDownStrip;
        else
            size.cx += kDropDownStrip;
    }
    return size;
}

void TAdvCustomGlowButton::ApplyContentSize(SIZE content) {
    if (!autoSize_) return;
    const SIZE size = AutoSizeExtent(content, spacing_, marginHorz_, marginVert_, dropDownButton_,
                                     dropDownPosition_);
    if (Width() != size.cx) SetWidth(size.cx);
    if (Height() != size.cy) SetHeight(size.cy);
}

void TAdvCustomGlowButton::UpdateSize() {
    if (!autoSize_) {
        RequestRepaint();
        return;
    }
    // Without a window nothing can be measured now: the first paint catches up.
    if (!HandleAllocated()) {
        state_.sizeDirty = true;
        return;
    }
    // Cleared also when a paint fails, or every later paint would measure again.
    FlagScope measuring(state_.sizeRequest);
    RepaintNow();
    // The second pass measures again with the size the first one applied.
    if (Parent() && !IsLoading()) PaintControl();
}

void TAdvCustomGlowButton::ChangeSizeState(TButtonSizeState value) {
    if (value == state_.buttonSizeState) return;
    if (state_.buttonSizeState == bsLarge) {
        state_.savedLayout = layout_;
        state_.savedDropDownPosition = dropDownPosition_;
    }
    state_.buttonSizeState = value;
    if (autoSize_) {
        if (value == bsLarge) {
            SetLayout(state_.savedLayout);
            SetDropDownPosition(state_.savedDropDownPosition);
        } else {
            SetLayout(blGlyphLeft);
            SetDropDownPosition(dpRight);
        }
    }
    state_.sizeDirty = true;
    // Paints (and so measures) at once when there is a window; otherwise the first paint does,
    // since sizeDirty stays set. (Painting here must not create the window.)
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
    if (state_.buttonSizeState < value) ChangeSizeState(value);
}

} // namespace plaxor
