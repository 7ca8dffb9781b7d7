#pragma once
// Painting a glow button onto a canvas: the gradient face with its mirrored lower half, the
// split face of a drop-down button, the border for each position in a row of buttons, the focus
// outline, then the content (caption, notes, picture, drop-down arrow). The same call measures
// the content for automatic sizing.
#include "GlowButtonTypes.h"
#include "framework/Colors.h"
#include "gdiplus/GdiplusTypes.h"
#include <string>

namespace plaxor {

class TBitmap;
class TCanvas;
class TControl;
class TFont;
class TGDIPPicture;
class TGPGraphics;
class TImageList;
class TStrings;

// Everything one paint of a glow button depends on.
struct TGlowButtonDrawInputs {
    // Only its parent's class is looked at (image lists draw differently on a quick access
    // toolbar); may be null.
    const TControl* control = nullptr;
    TCanvas* canvas = nullptr;
    RECT rect{};
    TColor Color = clWhite;
    TColor ColorTo = clWhite;
    TColor ColorMirror = clSilver;
    TColor ColorMirrorTo = clWhite;
    TColor BorderColor = clSilver;
    TGDIPGradient Gradient = ggVertical;
    TGDIPGradient GradientMirror = ggVertical;
    std::wstring caption;
    // The caption font (the button's own copy); null draws no caption.
    const TFont* font = nullptr;
    TImageList* imageList = nullptr;
    int imageIndex = -1;
    bool imageEnabled = true;
    TButtonLayout layout = blGlyphLeft;
    bool dropDownButton = false;
    bool highlighted = false;
    bool enabled = true;
    bool focusBorder = false;
    TDropDownPosition dropDownPosition = dpRight;
    TGDIPPicture* picture = nullptr;
    // Forced picture size; 0 x 0 is the picture's own.
    SIZE pictureSize{0, 0};
    TAntiAlias antiAlias = aaClearType;
    TBitmap* glyphBitmap = nullptr;
    THotPart hotPart = hotPartNone;
    bool transparentIdle = false;
    bool mouseOver = false;
    TButtonPosition position = bpStandalone;
    bool dropDownSplit = true;
    bool borderVisible = true;
    bool wordWrap = true;
    // Measure only: the face is painted, the content is not.
    bool measureOnly = false;
    bool rounded = true;
    // The drop-down arrow points down (ddDown) rather than right.
    bool arrowDown = true;
    int spacing = 2;
    StringTrimming trimming = StringTrimmingNone;
    const TStrings* notes = nullptr;
    const TFont* notesFont = nullptr;
    bool down = false;
};

// Paints the button and returns the size of its content (picture, caption and notes with
// their spacing), which automatic sizing builds on.
SIZE DrawGlowButton(const TGlowButtonDrawInputs& in);

// One half of the face in rect: the upper half from colorB at the top to colorA (linear), or
// radial with colorA at the top centre; the lower half from colorB at its top to colorA, or
// radial with colorB at the bottom centre. Underneath lies a solid fill of colorB (upper) or
// colorA (lower), which shows outside a radial ellipse.
void DrawGradientPart(TCanvas& canvas, TGPGraphics& graphics, const RECT& rect, bool upper,
                      TGDIPGradient kind, TColor colorA, TColor colorB);

// Outlines through (x0, y0) and (x0 + w, y0 + h) with corners of radius r. The middle and
// right pieces of a row draw their left edge as a short light line unless hot is set (the
// mouse is over the button, or it is down).
void DrawStandaloneBorder(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h, int r);
void DrawLeftBorder(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h, int r);
void DrawMiddleBorder(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h, int r,
                      bool hot);
void DrawRightBorder(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h, int r,
                     bool hot);
void DrawDottedFrame(TGPGraphics& graphics, TColor color, int x0, int y0, int w, int h, int r);

// The small drop-down arrow at origin, in color with its light edge pixels in lightColor.
void DrawDropDownArrow(TCanvas& canvas, POINT origin, TColor color, bool pointsDown,
                       TColor lightColor);

// A picture at its own size (a BMP with its bottom-left pixel's colour transparent).
void DrawPictureAt(TGPGraphics& graphics, POINT point, const TGDIPPicture& picture);
// A picture stretched into rect (a BMP through the framework bitmap, transparent).
void DrawPictureStretched(TGPGraphics& graphics, TCanvas& canvas, const RECT& rect,
                          const TGDIPPicture& picture);
// One image of a list through GDI+, with the colour of its bottom-left pixel transparent.
void DrawImageListImage(TGPGraphics* graphics, POINT point, const TImageList* imageList,
                        bool enabled, int index);

} // namespace plaxor
