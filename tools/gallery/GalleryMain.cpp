// gallery.exe SHEET.bmp: puts real glow buttons on a form, brings each into a state the way a
// person would (mouse enter, press, focus, fade ticks, property changes), paints it and copies
// it onto one labelled sheet: every colour state and fade step, the style presets, positions,
// layouts in both text engines, drop-down buttons and the size states.
#include "Sheet.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "framework/ImageList.h"
#include "framework/Timer.h"
#include "gdiplus/GdiplusSession.h"
#include "glowbutton/AdvGlowButton.h"
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace plaxor::gallery {
namespace {

using Setup = std::function<void(TAdvGlowButton&)>;

// A 16 x 16 glyph: a green disc with a dark rim on a magenta ground that is keyed out.
std::unique_ptr<TBitmap> MakeGlyph(int size = 16) {
    auto glyph = std::make_unique<TBitmap>(size, size);
    const double c = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - c, y - c);
            glyph->SetPixel(x, y, d < c - 2 ? 0x30B040 : d < c - 0.3 ? 0x206020 : 0xFF00FF);
        }
    return glyph;
}

// Diagonal stripes behind transparent buttons, so that the parent's part of them shows.
class Stripes : public TGraphicControl {
public:
    explicit Stripes(TComponent* owner) : TGraphicControl(owner) {}

protected:
    void Paint() override {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                Canvas().SetPixel(x, y, ((x + y) / 6) % 2 ? 0xC8E0F8 : 0xF0F8FF);
    }
};

// The timer a button fades with: the one of its owned components that ticks every 30 ms.
TTimer* FadeTimer(TAdvGlowButton& b) {
    for (TComponent* c : b.Components())
        if (auto* timer = dynamic_cast<TTimer*>(c); timer && timer->Interval() == 30) return timer;
    return nullptr;
}

// Delivers up to n fade ticks (all of them when n is negative).
void Ticks(TAdvGlowButton& b, int n = -1) {
    for (int i = 0; n < 0 || i < n; ++i) {
        TTimer* timer = FadeTimer(b);
        if (!timer) return;
        timer->SetEnabled(false);
        timer->Tick();
    }
}

void Enter(TAdvGlowButton& b, int fadeTicks = -1) {
    b.Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&b));
    if (TTimer* timer = FadeTimer(b)) timer->SetEnabled(false);
    Ticks(b, fadeTicks);
}

void Press(TAdvGlowButton& b, int fadeTicks = -1) {
    Enter(b);
    b.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.Width() / 3, b.Height() / 2));
    if (TTimer* timer = FadeTimer(b)) timer->SetEnabled(false);
    Ticks(b, fadeTicks);
}

void MoveTo(TAdvGlowButton& b, int x, int y) {
    b.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

class Gallery {
public:
    Gallery() : sheet_(1180, 6000) {
        app_.Initialize();
        form_ = new TForm(&app_);
        form_->SetBorderStyle(bsSingle);
        form_->SetClientWidth(400);
        form_->SetClientHeight(200);
        form_->SetColor(Sheet::Background);
        form_->Show();
        glyph_ = MakeGlyph();
        bigGlyph_ = MakeGlyph(32);
        images_ = new TImageList(form_);
        images_->Add(*glyph_);
        preset4_.reset(new TGlowButtonAppearance);
        ApplyStylePresetTo(*preset4_, 4);
    }

    void Run(const std::wstring& out) {
        ColourStates();
        Fades();
        Presets();
        Positions();
        Transparency();
        Layouts();
        Content();
        DropDowns();
        SizeStates();
        sheet_.SaveBmp(out);
    }

private:
    // A fresh button with the main window's look, set up, painted, copied to the sheet and
    // thrown away.
    void Show(const std::wstring& label, const Setup& setup, int width = 100, int height = 41,
              bool behindStripes = false) {
        Stripes* stripes = nullptr;
        if (behindStripes) {
            stripes = new Stripes(form_);
            stripes->SetBounds(10, 10, width, height);
            stripes->SetParent(form_);
        }
        auto* b = new TAdvGlowButton(form_);
        b->SetBounds(10, 10, width, height);
        b->SetCaption(L"&Disable");
        b->SetParent(form_);
        if (setup) setup(*b);
        app_.ProcessMessages();
        TBitmap image(b->Width(), b->Height());
        b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(image.Canvas().Handle()), 0);
        sheet_.Put(sheet_.Cell(label, b->Width(), b->Height()), image);
        // A press still held ends outside the button, so that nothing is clicked.
        b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
        delete b;
        delete stripes;
    }

    void ColourStates() {
        sheet_.Section(L"Colour states (the main window's button: 100 x 41, \"&Disable\", "
                       L"Tahoma 8, default appearance)");
        Show(L"normal", {});
        Show(L"hot (mouse over)", [](TAdvGlowButton& b) { Enter(b); });
        Show(L"down (pressed)", [](TAdvGlowButton& b) { Press(b); });
        Show(L"checked (Down in a group)", [](TAdvGlowButton& b) {
            b.SetGroupIndex(1);
            b.SetDown(true);
        });
        Show(L"disabled", [](TAdvGlowButton& b) { b.SetEnabled(false); });
        Show(L"disabled, ShowDisabled off", [](TAdvGlowButton& b) {
            b.SetShowDisabled(false);
            b.SetEnabled(false);
        });
        Show(L"focused (ftBorder)", [](TAdvGlowButton& b) {
            b.SetTabStop(true);
            b.SetFocus();
        });
        Show(L"focused (ftHot)", [](TAdvGlowButton& b) {
            b.SetFocusType(ftHot);
            b.SetTabStop(true);
            b.SetFocus();
        });
    }

    void Fades() {
        sheet_.Section(L"Fades, one 30 ms tick apart: mouse entering, pressing, and entering a "
                       L"checked button of a group (preset 4, whose checked and down colours "
                       L"differ)");
        for (int ticks = 0; ticks <= 5; ++ticks)
            Show(L"hot fade " + std::to_wstring(ticks * 20),
                 [=](TAdvGlowButton& b) { Enter(b, ticks); });
        sheet_.NewLine();
        for (int ticks = 0; ticks <= 5; ++ticks)
            Show(L"down fade " + std::to_wstring(ticks * 20),
                 [=](TAdvGlowButton& b) { Press(b, ticks); });
        sheet_.NewLine();
        for (int ticks = 0; ticks <= 5; ++ticks)
            Show(L"checked, down fade " + std::to_wstring(ticks * 20),
                 [=, this](TAdvGlowButton& b) {
                     b.SetAppearance(preset4_.get());
                     b.SetGroupIndex(1);
                     b.SetDown(true);
                     Press(b, ticks);
                 });
    }

    void Presets() {
        sheet_.Section(L"Style presets 0 to 9: normal, hot, down, checked");
        for (int preset = 0; preset <= 9; ++preset) {
            const auto style = static_cast<std::uint8_t>(preset);
            const std::wstring p = L"preset " + std::to_wstring(preset);
            if (preset % 2 == 0) sheet_.NewLine();
            Show(p + L" normal", [=](TAdvGlowButton& b) { b.ApplyStylePreset(style); });
            Show(p + L" hot", [=](TAdvGlowButton& b) {
                b.ApplyStylePreset(style);
                Enter(b);
            });
            Show(p + L" down", [=](TAdvGlowButton& b) {
                b.ApplyStylePreset(style);
                Press(b);
            });
            Show(p + L" checked", [=](TAdvGlowButton& b) {
                b.ApplyStylePreset(style);
                b.SetGroupIndex(1);
                b.SetDown(true);
            });
        }
    }

    // Four buttons side by side as one bar.
    void Bar(const std::wstring& label, int hot, int down) {
        static const TButtonPosition order[] = {bpLeft, bpMiddle, bpMiddle, bpRight};
        static const wchar_t* names[] = {L"bpLeft", L"bpMiddle", L"bpMiddle", L"bpRight"};
        constexpr int W = 80, H = 30;
        TBitmap bar(4 * W, H);
        for (int i = 0; i < 4; ++i) {
            auto* b = new TAdvGlowButton(form_);
            b->SetBounds(10 + i * W, 10, W, H);
            b->SetCaption(names[i]);
            b->SetPosition(order[i]);
            b->SetParent(form_);
            if (i == hot) Enter(*b);
            if (i == down) b->SetDown(true), b->SetGroupIndex(1);
            app_.ProcessMessages();
            TBitmap image(W, H);
            b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(image.Canvas().Handle()), 0);
            bar.Canvas().Draw(i * W, 0, image);
            delete b;
        }
        sheet_.Put(sheet_.Cell(label, 4 * W, H), bar);
    }

    void Positions() {
        sheet_.Section(L"Position: four buttons as one bar (left, middle, middle, right)");
        Bar(L"at rest: light left edges on the middle and right pieces", -1, -1);
        Bar(L"second hot, third Down: their left edges full and darker", 1, 2);
        sheet_.NewLine();
        Show(
            L"Rounded off (square)", [](TAdvGlowButton& b) { b.SetRounded(false); }, 100, 41);
        Show(L"BorderStyle bsNone", [](TAdvGlowButton& b) { b.SetBorderStyle(bsNone); });
    }

    void Transparency() {
        sheet_.Section(L"Transparent buttons over a striped parent");
        Show(
            L"at rest: the parent shows", [](TAdvGlowButton& b) { b.SetTransparent(true); }, 100,
            41, true);
        Show(
            L"mouse over: the face shows",
            [](TAdvGlowButton& b) {
                b.SetTransparent(true);
                Enter(b);
            },
            100, 41, true);
        Show(
            L"focused (ftBorder): outline only",
            [](TAdvGlowButton& b) {
                b.SetTransparent(true);
                b.SetTabStop(true);
                b.SetFocus();
            },
            100, 41, true);
        Show(
            L"focused (ftHot): hot face",
            [](TAdvGlowButton& b) {
                b.SetTransparent(true);
                b.SetFocusType(ftHot);
                b.SetTabStop(true);
                b.SetFocus();
            },
            100, 41, true);
    }

    static const wchar_t* LayoutName(TButtonLayout l) {
        static const wchar_t* names[] = {L"blGlyphLeft",         L"blGlyphTop",
                                         L"blGlyphRight",        L"blGlyphBottom",
                                         L"blGlyphLeftAdjusted", L"blGlyphRightAdjusted",
                                         L"blGlyphTopAdjusted",  L"blGlyphBottomAdjusted"};
        return names[l];
    }

    void Layouts() {
        for (int engine = 0; engine < 2; ++engine) {
            sheet_.Section(engine == 0
                               ? L"Layouts with caption and picture, GDI+ text (aaClearType)"
                               : L"Layouts with caption and picture, GDI text (aaNone)");
            for (int l = 0; l < 8; ++l) {
                const auto layout = static_cast<TButtonLayout>(l);
                Show(
                    LayoutName(layout),
                    [=, this](TAdvGlowButton& b) {
                        b.SetCaption(L"Caption");
                        b.SetPicture(glyph_.get());
                        b.SetLayout(layout);
                        b.SetAntiAlias(engine == 0 ? aaClearType : aaNone);
                    },
                    110, 60);
            }
        }
    }

    void Content() {
        sheet_.Section(L"Notes (any layout becomes left-adjusted), image lists, captions with "
                       L"\"\\n\" and ampersands");
        for (int engine = 0; engine < 3; ++engine)
            Show(
                engine == 0   ? L"notes, GDI+"
                : engine == 1 ? L"notes, GDI"
                              : L"notes, disabled",
                [=, this](TAdvGlowButton& b) {
                    b.SetCaption(L"Caption");
                    b.SetPicture(glyph_.get());
                    b.Notes()->SetText(L"A note under the caption");
                    b.NotesFont()->SetColor(0x707070);
                    if (engine == 1) b.SetAntiAlias(aaNone);
                    if (engine == 2) b.SetEnabled(false);
                },
                150, 50);
        Show(L"image list", [this](TAdvGlowButton& b) {
            b.SetImages(images_);
            b.SetImageIndex(0);
        });
        Show(L"image list, disabled", [this](TAdvGlowButton& b) {
            b.SetImages(images_);
            b.SetImageIndex(0);
            b.SetEnabled(false);
        });
        Show(
            L"picture only",
            [this](TAdvGlowButton& b) {
                b.SetCaption(L"");
                b.SetPicture(glyph_.get());
            },
            41, 41);
        sheet_.NewLine();
        Show(L"\"Two\\nLines\", GDI+", [](TAdvGlowButton& b) { b.SetCaption(L"Two\\nLines"); });
        Show(L"\"Two\\nLines\", GDI", [](TAdvGlowButton& b) {
            b.SetCaption(L"Two\\nLines");
            b.SetAntiAlias(aaNone);
        });
        Show(L"\"Save && E&xit\", GDI+", [](TAdvGlowButton& b) { b.SetCaption(L"Save && E&xit"); });
        Show(L"\"Save && E&xit\", GDI", [](TAdvGlowButton& b) {
            b.SetCaption(L"Save && E&xit");
            b.SetAntiAlias(aaNone);
        });
        Show(L"own font (Segoe UI, SystemFont)", [](TAdvGlowButton& b) {
            TFont font;
            font.SetName(L"Courier New");
            font.SetSize(9);
            font.SetStyle({fsBold});
            b.SetFont(&font);
        });
    }

    void DropDowns() {
        sheet_.Section(L"Drop-down buttons: strip on the right or at the bottom, arrow down or "
                       L"right; the split face when hot, darker on the part under the mouse");
        for (int pos = 0; pos < 2; ++pos)
            for (int dir = 0; dir < 2; ++dir)
                for (int hot = 0; hot < 3; ++hot) {
                    const bool right = pos == 0;
                    const std::wstring label = std::wstring(right ? L"dpRight" : L"dpBottom") +
                                               (dir == 0 ? L" ddDown" : L" ddRight") +
                                               (hot == 0   ? L""
                                                : hot == 1 ? L", main part hot"
                                                           : L", drop part hot");
                    const int w = right ? 100 : 70, h = right ? 41 : 60;
                    Show(
                        label,
                        [=, this](TAdvGlowButton& b) {
                            b.SetCaption(L"&Menu");
                            b.SetPicture(glyph_.get());
                            b.SetDropDownButton(true);
                            b.SetDropDownPosition(right ? dpRight : dpBottom);
                            b.SetDropDownDirection(dir == 0 ? ddDown : ddRight);
                            b.SetLayout(right ? blGlyphLeft : blGlyphTop);
                            if (hot == 0) return;
                            Enter(b);
                            if (hot == 2)
                                MoveTo(b, right ? w - 5 : w / 2, right ? h / 2 : h - 5);
                            else
                                MoveTo(b, 10, 10);
                        },
                        w, h);
                }
        Show(L"disabled", [](TAdvGlowButton& b) {
            b.SetCaption(L"&Menu");
            b.SetDropDownButton(true);
            b.SetEnabled(false);
        });
        Show(
            L"no caption",
            [this](TAdvGlowButton& b) {
                b.SetCaption(L"");
                b.SetPicture(glyph_.get());
                b.SetDropDownButton(true);
            },
            45, 30);
    }

    void SizeStates() {
        sheet_.Section(L"AutoSize in the three size states (32 x 32 picture above the caption, "
                       L"drop-down strip at the bottom)");
        const TButtonSizeState states[] = {bsLarge, bsLabel, bsGlyph};
        const wchar_t* names[] = {L"bsLarge", L"bsLabel (16 x 16 picture, left)",
                                  L"bsGlyph (16 x 16 picture only)"};
        for (int i = 0; i < 3; ++i)
            Show(names[i], [=, this](TAdvGlowButton& b) {
                b.SetCaption(L"Auto size");
                b.SetPicture(bigGlyph_.get());
                b.SetLayout(blGlyphTop);
                b.SetDropDownButton(true);
                b.SetDropDownPosition(dpBottom);
                b.SetAutoSize(true);
                b.SetMaxButtonSizeState(states[i]);
            });
        Show(L"AutoSize, caption only", [](TAdvGlowButton& b) {
            b.SetCaption(L"&Disable");
            b.SetAutoSize(true);
        });
    }

    TApplication app_;
    TForm* form_ = nullptr;
    Sheet sheet_;
    std::unique_ptr<TBitmap> glyph_, bigGlyph_;
    TImageList* images_ = nullptr;
    std::unique_ptr<TGlowButtonAppearance> preset4_;
};

} // namespace
} // namespace plaxor::gallery

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: gallery SHEET.bmp\n", stderr);
        return 2;
    }
    try {
        plaxor::GdiplusSession gdiplus;
        plaxor::gallery::Gallery gallery;
        gallery.Run(argv[1]);
        return 0;
    } catch (const plaxor::Exception& e) {
        std::fprintf(stderr, "gallery: %ls\n", e.Message().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
    }
    return 1;
}
