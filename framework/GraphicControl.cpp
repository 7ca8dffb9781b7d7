#include "GraphicControl.h"

namespace plaxor {

void TGraphicControl::PaintOnParent(HDC dc) {
    // The canvas lets go of the DC before the parent restores it, also after an error.
    struct Unbind {
        TCanvas& canvas;
        ~Unbind() { canvas.SetHandle(nullptr); }
    } unbind{canvas_};
    canvas_.SetHandle(dc);
    canvas_.Font().CopyFrom(Font());
    canvas_.Brush().SetColor(Color());
    Paint();
}

} // namespace plaxor
