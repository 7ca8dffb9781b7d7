#pragma once
// The colour set of one glow button: for each state (normal, hot, down, checked, disabled) the
// two colours of the upper half, the two of the lower (mirror) half, the gradient kinds and the
// border colour, plus the choice of the system typeface for the caption. Every real change
// raises onChange, which the owning button turns into a repaint.
#include "GlowButtonTypes.h"
#include "framework/Colors.h"
#include "framework/Persistent.h"

namespace plaxor {

class TGlowButtonAppearance : public TPersistent {
public:
    TGlowButtonAppearance();
    std::wstring ClassName() const override { return L"TGlowButtonAppearance"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // Copies all 36 values through the setters; any other class is a conversion error.
    void CopyFrom(const TPersistent* source) override;

    // Installed by the owner; not called during construction.
    TNotifyEvent onChange;

#define PLAXOR_APPEARANCE_VALUE(Type, Name)                                                        \
    Type Name() const noexcept {                                                                   \
        return Name##_;                                                                            \
    }                                                                                              \
    void Set##Name(Type value) {                                                                   \
        Store(Name##_, value);                                                                     \
    }

    PLAXOR_APPEARANCE_VALUE(TColor, BorderColor)
    PLAXOR_APPEARANCE_VALUE(TColor, BorderColorHot)
    PLAXOR_APPEARANCE_VALUE(TColor, BorderColorDown)
    PLAXOR_APPEARANCE_VALUE(TColor, BorderColorChecked)
    PLAXOR_APPEARANCE_VALUE(TColor, BorderColorDisabled)
    PLAXOR_APPEARANCE_VALUE(TColor, Color)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorTo)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorChecked)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorCheckedTo)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorDisabled)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorDisabledTo)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorDown)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorDownTo)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorHot)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorHotTo)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirror)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirrorTo)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirrorHot)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirrorHotTo)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirrorDown)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirrorDownTo)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirrorChecked)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirrorCheckedTo)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirrorDisabled)
    PLAXOR_APPEARANCE_VALUE(TColor, ColorMirrorDisabledTo)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, Gradient)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, GradientMirror)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, GradientHot)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, GradientMirrorHot)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, GradientDown)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, GradientMirrorDown)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, GradientChecked)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, GradientMirrorChecked)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, GradientDisabled)
    PLAXOR_APPEARANCE_VALUE(TGDIPGradient, GradientMirrorDisabled)
    PLAXOR_APPEARANCE_VALUE(bool, SystemFont)
#undef PLAXOR_APPEARANCE_VALUE

private:
    template <typename T> void Store(T& field, T value) {
        if (field == value) return;
        field = value;
        Raise(onChange, this);
    }

    TColor BorderColor_ = 0, BorderColorHot_ = 0, BorderColorDown_ = 0, BorderColorChecked_ = 0,
           BorderColorDisabled_ = 0;
    TColor Color_ = 0, ColorTo_ = 0, ColorChecked_ = 0, ColorCheckedTo_ = 0, ColorDisabled_ = 0,
           ColorDisabledTo_ = 0, ColorDown_ = 0, ColorDownTo_ = 0, ColorHot_ = 0, ColorHotTo_ = 0;
    TColor ColorMirror_ = 0, ColorMirrorTo_ = 0, ColorMirrorHot_ = 0, ColorMirrorHotTo_ = 0,
           ColorMirrorDown_ = 0, ColorMirrorDownTo_ = 0, ColorMirrorChecked_ = 0,
           ColorMirrorCheckedTo_ = 0, ColorMirrorDisabled_ = 0, ColorMirrorDisabledTo_ = 0;
    TGDIPGradient Gradient_ = ggRadial, GradientMirror_ = ggRadial, GradientHot_ = ggRadial,
                  GradientMirrorHot_ = ggRadial, GradientDown_ = ggRadial,
                  GradientMirrorDown_ = ggRadial, GradientChecked_ = ggRadial,
                  GradientMirrorChecked_ = ggRadial, GradientDisabled_ = ggRadial,
                  GradientMirrorDisabled_ = ggRadial;
    bool SystemFont_ = false;
};

// Overwrites a set of appearance values with one of the ten style presets (0 to 9). 8 and any
// number above 9 change nothing.
void ApplyStylePresetTo(TGlowButtonAppearance& appearance, std::uint8_t style);

} // namespace plaxor
