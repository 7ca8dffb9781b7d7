// Times one frame of a glow button as a fade paints it: face and caption, 100 x 41 pixels,
// drawn into an off-screen bitmap and copied to the target, as a share of the 30 ms fade
// interval. Prints one line per frame kind:
//   frame LABEL MEDIAN_MS
// the median over batches of 50 frames, after 50 frames of warm-up.
//
// The reference frame draws what a glow-button face is made of (a rounded, gradient-filled
// shape with a mirrored lower half, a border and an anti-aliased caption) straight through the
// GDI+ wrappers: it tells what GDI+ costs here, so that the glow button's own frame can be
// read against it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "gdiplus/GPBrushes.h"
#include "gdiplus/GPFont.h"
#include "gdiplus/GPGraphics.h"
#include "gdiplus/GPGraphicsPath.h"
#include "gdiplus/GPPen.h"
#include "gdiplus/GPStringFormat.h"
#include "gdiplus/GdiplusSession.h"
#include "gdiplus/GdiplusValues.h"
#include "framework/Canvas.h"
#include "framework/Font.h"
#include "glowbutton/DrawGlowButton.h"
#include "bench/WatchSupport.h"
#include "framework/Bitmap.h"
#include "framework/Streams.h"
#include "framework/Text.h"

namespace plaxor {
namespace {

constexpr int kWidth = 100, kHeight = 41;

using bench::Now;

void AddRoundRect(TGPGraphicsPath& path, REAL x, REAL y, REAL w, REAL h, REAL r) {
    path.AddArc(x, y, 2 * r, 2 * r, 180, 90);
    path.AddArc(x + w - 2 * r, y, 2 * r, 2 * r, 270, 90);
    path.AddArc(x + w - 2 * r, y + h - 2 * r, 2 * r, 2 * r, 0, 90);
    path.AddArc(x, y + h - 2 * r, 2 * r, 2 * r, 90, 90);
    path.CloseFigure();
}

// The face straight through the wrappers, every object made for the one paint.
void ReferenceFace(HDC buffer) {
    TGPGraphics graphics(buffer);
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    TGPSolidBrush background(ColorToARGB(0xF0F0F0));
    graphics.FillRectangle(background, 0, 0, kWidth, kHeight);
    const GpRectF upper{0, 0, kWidth, kHeight / 2.0f};
    const GpRectF lower{0, kHeight / 2.0f, kWidth, kHeight / 2.0f};
    TGPLinearGradientBrush top(upper, ColorToARGB(0xF5F0E1), ColorToARGB(0xF9D2B2),
                               LinearGradientModeVertical);
    TGPLinearGradientBrush mirror(lower, ColorToARGB(0xF5C8AD), ColorToARGB(0xFFF8F4),
                                  LinearGradientModeVertical);
    TGPGraphicsPath face;
    AddRoundRect(face, 0, 0, kWidth - 1, kHeight - 1, 3);
    graphics.FillRectangle(top, upper);
    graphics.FillRectangle(mirror, lower);
    TGPPen border(ColorToARGB(0xC0A080));
    graphics.DrawPath(&border, &face);
}

void ReferenceCaption(HDC buffer) {
    TGPGraphics graphics(buffer);
    graphics.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    TGPFontFamily family(L"Tahoma");
    TGPFont font(&family, 11, FontStyleRegular, UnitPixel);
    TGPStringFormat format;
    format.SetAlign(StringAlignmentCenter);
    format.SetLineAlign(StringAlignmentCenter);
    format.SetHotkeyPrefix(HotkeyPrefixShow);
    TGPSolidBrush text(ColorToARGB(0x000000));
    graphics.DrawString(L"&Disable", -1, &font, GpRectF{0, 0, kWidth, kHeight}, &format, &text);
}

// Face and caption of "&Disable" in the main window's hot colours, as one fade step paints it.
void GlowButtonFrame(HDC buffer) {
    static TFont font;
    font.SetName(L"Tahoma");
    font.SetHeight(-11);
    TCanvas canvas(buffer);
    TGlowButtonDrawInputs in;
    in.canvas = &canvas;
    in.rect = RECT{0, 0, kWidth, kHeight};
    in.Color = 0xF5F0E1;
    in.ColorTo = 0xF9D2B2;
    in.ColorMirror = 0xF5C8AD;
    in.ColorMirrorTo = 0xFFF8F4;
    in.BorderColor = 0xC0A080;
    in.caption = L"&Disable";
    in.font = &font;
    in.mouseOver = true;
    DrawGlowButton(in);
}

struct Frame {
    const char* label;
    std::function<void(HDC)> paint;
};

// With a folder, the last frame of each kind is saved there as LABEL.bmp.
double MedianFrameMs(const Frame& frame, const char* saveTo) {
    // 32-bit DIB sections with their memory DCs: the off-screen buffer and the stand-in for
    // the window.
    TBitmap buffer(kWidth, kHeight), window(kWidth, kHeight);
    HDC bufferDC = buffer.Canvas().Handle(), windowDC = window.Canvas().Handle();
    const auto one = [&] {
        frame.paint(bufferDC);
        ::BitBlt(windowDC, 0, 0, kWidth, kHeight, bufferDC, 0, 0, SRCCOPY);
        ::GdiFlush();
    };
    for (int i = 0; i < 50; ++i)
        one();
    std::vector<double> batches;
    for (int b = 0; b < 21; ++b) {
        const double start = Now();
        for (int i = 0; i < 50; ++i)
            one();
        batches.push_back((Now() - start) / 50);
    }
    if (saveTo) {
        const std::string path = std::string(saveTo) + "/" + frame.label + ".bmp";
        TFileStream out(FromAnsi(path.c_str()), fmCreate);
        window.SaveImage(out);
    }
    std::nth_element(batches.begin(), batches.begin() + batches.size() / 2, batches.end());
    return batches[batches.size() / 2];
}

} // namespace
} // namespace plaxor

// frame_bench [FOLDER]: with a folder, each kind's last frame is saved there as a BMP file.
int main(int argc, char** argv) {
    using namespace plaxor;
    GdiplusSession gdiplus;
    const std::vector<Frame> frames = {
        {"gdiplus-reference",
         [](HDC dc) {
             ReferenceFace(dc);
             ReferenceCaption(dc);
         }},
        {"gdiplus-face", ReferenceFace},
        {"gdiplus-caption", ReferenceCaption},
        {"glow-button", GlowButtonFrame},
    };
    for (const Frame& frame : frames)
        std::printf("frame %s %.3f\n", frame.label,
                    MedianFrameMs(frame, argc > 1 ? argv[1] : nullptr));
    return 0;
}
