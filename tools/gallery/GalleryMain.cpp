// gallery.exe SHEET.bmp: renders the glow button in every state, preset, position, layout,
// drop-down form and size state onto one labelled sheet, so that a person can judge the
// control from one picture.
#include "Sheet.h"
#include "framework/Bitmap.h"
#include "framework/Exception.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/Strings.h"
#include "gdiplus/GDIPPicture.h"
#include "gdiplus/GdiplusSession.h"
#include "glowbutton/DrawGlowButton.h"
#include "glowbutton/FaceColors.h"
#include "glowbutton/GlowButtonAppearance.h"
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace plaxor::gallery {
namespace {

using Tweak = std::function<void(TGlowButtonDrawInputs&)>;

// A 16 x 16 glyph: a green disc with a dark rim on a magenta ground that is keyed out.
std::unique_ptr<TBitmap> MakeGlyph() {
    auto glyph = std::make_unique<TBitmap>(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double d = std::hypot(x - 7.5, y - 7.5);
            glyph->SetPixel(x, y, d < 5.5 ? 0x30B040 : d < 7.2 ? 0x206020 : 0xFF00FF);
        }
    return glyph;
}

struct Context {
    TFont font;
    TFont notesFont;
    TGDIPPicture picture;
    TImageList images{nullptr};
    TStringList notes;
    TGlowButtonAppearance appearance;
    TGlowButtonAppearance preset4;
};

// One button painted the way the control paints it: colours from its state, the face, the
// content, and the parent's background in the corner pixels.
std::unique_ptr<TBitmap> Render(Context& c, const TGlowButtonAppearance& appearance,
                                const TFaceState& state, int width, int height, const Tweak& tweak,
                                TColor parent = Sheet::Background) {
    auto result = std::make_unique<TBitmap>(width, height);
    TBitmap& bitmap = *result;
    bitmap.Canvas().Brush().SetColor(parent);
    bitmap.Canvas().FillRect({0, 0, width, height});
    const TFaceColors colors = ChooseFaceColors(appearance, state);
    TGlowButtonDrawInputs in;
    in.canvas = &bitmap.Canvas();
    in.rect = {0, 0, width, height};
    in.Color = colors.Color;
    in.ColorTo = colors.ColorTo;
    in.ColorMirror = colors.ColorMirror;
    in.ColorMirrorTo = colors.ColorMirrorTo;
    in.BorderColor = colors.BorderColor;
    in.Gradient = colors.Gradient;
    in.GradientMirror = colors.GradientMirror;
    in.highlighted = colors.highlighted;
    in.caption = L"&Disable";
    in.font = &c.font;
    in.notesFont = &c.notesFont;
    in.enabled = state.enabled;
    in.focusBorder = FocusBorderShown(state.hasFocus, state.focusType);
    in.transparentIdle =
        IsTransparentIdle(state.transparent, state.hotColors,
                          FocusHotShown(state.hasFocus, state.focusType), state.buttonState);
    in.mouseOver = state.hotColors;
    in.position = state.position;
    if (tweak) tweak(in);
    DrawGlowButton(in);
    bitmap.Canvas().Refresh();
    // The parent shows in the corner pixels of the rounded ends.
    auto corner = [&](int x, int y) { bitmap.SetPixel(x, y, parent); };
    if (state.position == bpStandalone || state.position == bpLeft) {
        corner(0, 0);
        corner(0, height - 1);
    }
    if (state.position == bpStandalone || state.position == bpRight) {
        corner(width - 1, 0);
        corner(width - 1, height - 1);
    }
    return result;
}

void Show(Sheet& sheet, Context& c, const std::wstring& label, const TFaceState& state,
          const Tweak& tweak = {}, int width = 100, int height = 41,
          const TGlowButtonAppearance* appearance = nullptr) {
    auto b = Render(c, appearance ? *appearance : c.appearance, state, width, height, tweak);
    sheet.Put(sheet.Cell(label, width, height), *b);
}

TFaceState Hot() {
    TFaceState s;
    s.hotColors = true;
    s.mouseInside = true;
    return s;
}

TFaceState Down() {
    TFaceState s = Hot();
    s.buttonState = stateDown;
    s.pressed = true;
    return s;
}

void ColourStates(Sheet& sheet, Context& c) {
    sheet.Section(L"Colour states (the main window's button: 100 x 41, \"&Disable\", Tahoma 8)");
    Show(sheet, c, L"normal", {});
    Show(sheet, c, L"hot", Hot());
    Show(sheet, c, L"down", Down());
    TFaceState checked;
    checked.buttonState = stateChecked;
    checked.groupIndex = 1;
    Show(sheet, c, L"checked (Down in a group)", checked);
    TFaceState disabled;
    disabled.enabled = false;
    disabled.buttonState = stateDisabled;
    Show(sheet, c, L"disabled", disabled);
    TFaceState plain = disabled;
    plain.showDisabled = false;
    Show(sheet, c, L"disabled, ShowDisabled off", plain);
    TFaceState focused;
    focused.hasFocus = true;
    Show(sheet, c, L"focused (ftBorder)", focused);
    focused.focusType = ftHot;
    Show(sheet, c, L"focused (ftHot)", focused);

    sheet.Section(L"Fades: hot fade (mouse entering) and down fade (press), 20 per 30 ms tick");
    for (int f = 0; f <= 100; f += 20) {
        TFaceState s;
        s.fadeTimerRunning = true;
        s.hotFade = f;
        s.hotColors = f > 0;
        Show(sheet, c, L"hotFade " + std::to_wstring(f), s);
    }
    sheet.NewLine();
    for (int f = 0; f <= 100; f += 20) {
        TFaceState s = Down();
        s.fadeTimerRunning = true;
        s.downFade = f;
        Show(sheet, c, L"downFade " + std::to_wstring(f), s);
    }
    sheet.NewLine();
    for (int f = 0; f <= 100; f += 20) {
        TFaceState s;
        s.buttonState = stateChecked;
        s.groupIndex = 1;
        s.mouseInside = true;
        s.fadeTimerRunning = true;
        s.downFade = f;
        Show(sheet, c, L"preset 4 checked+entered " + std::to_wstring(f), s, {}, 100, 41,
             &c.preset4);
    }
}

void Presets(Sheet& sheet, Context& c) {
    sheet.Section(L"Style presets 0 to 9: normal, hot, down, checked");
    for (int preset = 0; preset <= 9; ++preset) {
        TGlowButtonAppearance a;
        ApplyStylePresetTo(a, static_cast<std::uint8_t>(preset));
        TFaceState checked;
        checked.buttonState = stateChecked;
        const std::wstring p = L"preset " + std::to_wstring(preset);
        if (preset % 2 == 0) sheet.NewLine();
        Show(sheet, c, p + L" normal", {}, {}, 100, 41, &a);
        Show(sheet, c, p + L" hot", Hot(), {}, 100, 41, &a);
        Show(sheet, c, p + L" down", Down(), {}, 100, 41, &a);
        Show(sheet, c, p + L" checked", checked, {}, 100, 41, &a);
    }
}

// Four buttons side by side as one bar.
void SegmentedRow(Sheet& sheet, Context& c, const std::wstring& label, int hot, int down) {
    const TButtonPosition order[] = {bpLeft, bpMiddle, bpMiddle, bpRight};
    const wchar_t* names[] = {L"bpLeft", L"bpMiddle", L"bpMiddle", L"bpRight"};
    constexpr int W = 80, H = 30;
    const POINT at = sheet.Cell(label, 4 * W, H);
    for (int i = 0; i < 4; ++i) {
        TFaceState s = i == hot ? Hot() : i == down ? Down() : TFaceState{};
        s.position = order[i];
        auto b = Render(c, c.appearance, s, W, H, [&](TGlowButtonDrawInputs& in) {
            in.caption = names[i];
            in.down = i == down;
        });
        sheet.Put({at.x + i * W, at.y}, *b);
    }
}

void Positions(Sheet& sheet, Context& c) {
    sheet.Section(L"Position: four buttons as one bar (left, middle, middle, right)");
    SegmentedRow(sheet, c, L"all at rest: light left edges on the middle and right pieces", -1, -1);
    SegmentedRow(sheet, c, L"second hot, third down: full darker left edges", 1, 2);
    sheet.NewLine();
    Show(sheet, c, L"Rounded off (square corners)", {},
         [](TGlowButtonDrawInputs& in) { in.rounded = false; });
    Show(sheet, c, L"BorderStyle bsNone", {},
         [](TGlowButtonDrawInputs& in) { in.borderVisible = false; });
}

const wchar_t* LayoutName(TButtonLayout l) {
    static const wchar_t* names[] = {L"blGlyphLeft",         L"blGlyphTop",
                                     L"blGlyphRight",        L"blGlyphBottom",
                                     L"blGlyphLeftAdjusted", L"blGlyphRightAdjusted",
                                     L"blGlyphTopAdjusted",  L"blGlyphBottomAdjusted"};
    return names[l];
}

void Layouts(Sheet& sheet, Context& c) {
    for (int engine = 0; engine < 2; ++engine) {
        sheet.Section(engine == 0
                          ? L"Layouts with caption and picture, GDI+ text (AntiAlias "
                            L"aaClearType)"
                          : L"Layouts with caption and picture, GDI text (AntiAlias aaNone)");
        for (int l = 0; l < 8; ++l) {
            const auto layout = static_cast<TButtonLayout>(l);
            Show(
                sheet, c, LayoutName(layout), {},
                [&](TGlowButtonDrawInputs& in) {
                    in.caption = L"Caption";
                    in.picture = &c.picture;
                    in.layout = layout;
                    in.antiAlias = engine == 0 ? aaClearType : aaNone;
                },
                110, 60);
        }
    }
    sheet.Section(L"Notes (any layout is left-adjusted), image list images, \"\\n\" in captions");
    for (int engine = 0; engine < 2; ++engine)
        Show(
            sheet, c, engine == 0 ? L"notes, GDI+" : L"notes, GDI", {},
            [&](TGlowButtonDrawInputs& in) {
                in.caption = L"Caption";
                in.notes = &c.notes;
                in.picture = &c.picture;
                in.antiAlias = engine == 0 ? aaClearType : aaNone;
            },
            150, 50);
    TFaceState disabled;
    disabled.enabled = false;
    disabled.buttonState = stateDisabled;
    Show(
        sheet, c, L"notes, disabled", disabled,
        [&](TGlowButtonDrawInputs& in) {
            in.caption = L"Caption";
            in.notes = &c.notes;
            in.picture = &c.picture;
        },
        150, 50);
    Show(
        sheet, c, L"image list, left", {},
        [&](TGlowButtonDrawInputs& in) {
            in.caption = L"&Images";
            in.imageList = &c.images;
            in.imageIndex = 0;
        },
        100, 41);
    Show(
        sheet, c, L"image list, disabled", disabled,
        [&](TGlowButtonDrawInputs& in) {
            in.caption = L"&Images";
            in.imageList = &c.images;
            in.imageIndex = 0;
            in.imageEnabled = false;
        },
        100, 41);
    Show(
        sheet, c, L"picture only", {},
        [&](TGlowButtonDrawInputs& in) {
            in.caption.clear();
            in.picture = &c.picture;
        },
        41, 41);
    Show(sheet, c, L"\"Two\\nLines\", GDI+", {},
         [&](TGlowButtonDrawInputs& in) { in.caption = L"Two\\nLines"; });
    Show(sheet, c, L"\"Two\\nLines\", GDI", {}, [&](TGlowButtonDrawInputs& in) {
        in.caption = L"Two\\nLines";
        in.antiAlias = aaNone;
    });
    Show(sheet, c, L"\"\\n\", 16 x 16 size state", {}, [&](TGlowButtonDrawInputs& in) {
        in.caption = L"Two\\nLines";
        in.picture = &c.picture;
        in.pictureSize = {16, 16};
    });
    Show(sheet, c, L"\"Save && E&xit\"", {},
         [&](TGlowButtonDrawInputs& in) { in.caption = L"Save && E&xit"; });
}

void DropDowns(Sheet& sheet, Context& c) {
    sheet.Section(L"Drop-down buttons: strip on the right or at the bottom, arrow down or right, "
                  L"split face hot on the main part or on the drop-down part");
    for (int pos = 0; pos < 2; ++pos)
        for (int dir = 0; dir < 2; ++dir)
            for (int hot = 0; hot < 3; ++hot) {
                TFaceState s = hot == 0 ? TFaceState{} : Hot();
                const std::wstring label = std::wstring(pos == 0 ? L"dpRight" : L"dpBottom") +
                                           (dir == 0 ? L" ddDown" : L" ddRight") +
                                           (hot == 0   ? L""
                                            : hot == 1 ? L", main part hot"
                                                       : L", drop part hot");
                Show(
                    sheet, c, label, s,
                    [&](TGlowButtonDrawInputs& in) {
                        in.caption = L"&Menu";
                        in.dropDownButton = true;
                        in.dropDownPosition = pos == 0 ? dpRight : dpBottom;
                        in.arrowDown = dir == 0;
                        in.hotPart = hot;
                        in.picture = &c.picture;
                        in.layout = pos == 0 ? blGlyphLeft : blGlyphTop;
                    },
                    pos == 0 ? 100 : 70, pos == 0 ? 41 : 60);
            }
    TFaceState disabled;
    disabled.enabled = false;
    disabled.buttonState = stateDisabled;
    Show(sheet, c, L"disabled drop-down", disabled, [&](TGlowButtonDrawInputs& in) {
        in.caption = L"&Menu";
        in.dropDownButton = true;
    });
    Show(
        sheet, c, L"no caption", Hot(),
        [&](TGlowButtonDrawInputs& in) {
            in.caption.clear();
            in.picture = &c.picture;
            in.dropDownButton = true;
            in.hotPart = 2;
        },
        45, 30);
}

int Run(const std::wstring& out) {
    GdiplusSession gdiplus;
    Context c;
    c.font.SetName(L"Tahoma");
    c.font.SetSize(8);
    c.notesFont.SetName(L"Tahoma");
    c.notesFont.SetSize(8);
    c.notesFont.SetColor(0x606060);
    c.notes.SetText(L"A note under the caption");
    ApplyStylePresetTo(c.preset4, 4);
    auto glyph = MakeGlyph();
    c.picture.CopyFrom(glyph.get());
    c.images.Add(*glyph);

    Sheet sheet(1180, 5000);
    ColourStates(sheet, c);
    Presets(sheet, c);
    Positions(sheet, c);
    Layouts(sheet, c);
    DropDowns(sheet, c);
    sheet.SaveBmp(out);
    return 0;
}

} // namespace
} // namespace plaxor::gallery

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: gallery SHEET.bmp\n", stderr);
        return 2;
    }
    try {
        return plaxor::gallery::Run(argv[1]);
    } catch (const plaxor::Exception& e) {
        std::fprintf(stderr, "gallery: %ls\n", e.Message().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
    }
    return 1;
}
