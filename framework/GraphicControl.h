#pragma once
// A control without a window: its parent paints it, in control order, on the parent's DC.
#include "Canvas.h"
#include "Control.h"

namespace plaxor {

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    std::wstring ClassName() const override { return L"TGraphicControl"; }

    // Bound to the parent's DC while Paint runs, with the origin at the control's corner.
    TCanvas& Canvas() noexcept { return canvas_; }

protected:
    // Draws the control on Canvas(). Nothing here.
    virtual void Paint() {}
    void PaintOnParent(HDC dc) override;

private:
    TCanvas canvas_;
};

} // namespace plaxor
