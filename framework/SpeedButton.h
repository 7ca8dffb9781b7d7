#pragma once
// A small push button without a window: a glyph (and an optional caption) on a face the
// system draws, clicked by a release inside it.
#include "Bitmap.h"
#include "GraphicControl.h"
#include <memory>

namespace plaxor {

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    std::wstring ClassName() const override { return L"TSpeedButton"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // Owned; drawn with its bottom-left pixel's colour left out. A strip of NumGlyphs images
    // of equal width: up, disabled, pressed, in that order.
    TBitmap* Glyph() const noexcept { return glyph_.get(); }
    void SetGlyph(const TBitmap* value) { glyph_->CopyFrom(value); }
    int NumGlyphs() const noexcept { return numGlyphs_; }
    // 1 to 4; other values are taken as the nearest of them.
    void SetNumGlyphs(int value);
    // Off: a push button face. On: no face until the mouse is over the button.
    bool Flat() const noexcept { return flat_; }
    void SetFlat(bool value);
    // Pixels between glyph and caption.
    int Spacing() const noexcept { return spacing_; }
    void SetSpacing(int value);

    // The face is pressed (the mouse is down on the button and over it).
    bool Pressed() const noexcept { return pressed_; }

    void WindowProc(TMessage& message) override;

protected:
    void Paint() override;
    void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void HandleMouseMove(TShiftState shift, int x, int y) override;
    void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
    void SetPressed(bool value);
    void DrawGlyph(int x, int y);

    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    bool flat_ = false;
    int spacing_ = 4;
    bool tracking_ = false;
    bool pressed_ = false;
};

} // namespace plaxor
