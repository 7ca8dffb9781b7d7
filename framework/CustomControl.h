#pragma once
// A windowed control that paints itself on its own canvas (PaintControl).
#include "Canvas.h"
#include "WinControl.h"
#include <memory>

namespace plaxor {

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    std::wstring ClassName() const override { return L"TCustomControl"; }

    // During WM_PAINT the canvas draws on the paint DC (or the DC the message brought).
    // Outside it the canvas gets a DC of the window (GetDC), released when the message being
    // handled is done (or at the next paint). A control without a parent has no window and so
    // a canvas without a DC.
    TCanvas& Canvas();

    void WindowProc(TMessage& message) override;

protected:
    // Draws the control on Canvas(). Nothing here.
    virtual void PaintControl() {}
    void PaintWindow(HDC dc) override;

private:
    void ReleaseWindowDC() noexcept;

    // Declared before the canvas: the canvas lets go of the DC before it is released.
    std::unique_ptr<WindowDC> windowDC_;
    TCanvas canvas_;
    int messageDepth_ = 0;
};

} // namespace plaxor
