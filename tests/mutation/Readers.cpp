#include "tests/mutation/Readers.h"

#include <algorithm>
#include <exception>
#include <functional>

#include "app/Kelt.h"
#include "app/KeltLayout.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exception.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "framework/JpegImage.h"
#include "framework/LayoutLoader.h"
#include "framework/LayoutText.h"
#include "framework/Picture.h"
#include "framework/Streams.h"
#include "gdiplus/GDIPPicture.h"
#include "glowbutton/AdvGlowButton.h"
#include "glowbutton/DrawGlowButton.h"
#include "policy/Registry.h"
#include "tests/framework/DibSurface.h"
#include "tests/framework/LayoutTestContext.h"
#include "tests/mutation/MutationRunner.h"
#include "tests/mutation/MutationSamples.h"
#include "tests/support/LayoutBinary.h"
#include "tests/support/LayoutWriter.h"
#include "tests/support/MemoryRegistry.h"

namespace plaxor::test {

namespace {

[[noreturn]] void Wrong(const std::string& what) {
    throw MutationDefect(what);
}

// ---- layouts

// Writing what a reader accepted must work, and both forms must read back the same tree.
void CheckRoundTrips(const LayoutNode& tree) {
    std::wstring text;
    plaxor::Bytes binary;
    try {
        text = WriteLayoutText(tree);
        binary = WriteLayoutBinary(tree);
    } catch (const Exception&) {
        Wrong("a layout that was read cannot be written back");
    }
    try {
        if (ReadLayoutText(text, {}) != tree) Wrong("the text form reads back differently");
        if (ReadLayoutBinary(binary) != tree) Wrong("the binary form reads back differently");
    } catch (const Exception&) {
        Wrong("a written layout is refused by its reader");
    }
}

// Runs work, then checks that no component made on the way outlives the owner it was loaded
// into, whether the work ended well or not; an exception from work goes on after the check.
void CheckNothingOutlives(const char* owner, const std::function<void()>& work) {
    std::exception_ptr error;
    try {
        work();
    } catch (...) {
        error = std::current_exception();
    }
    if (LiveComponents() != 0) {
        LiveComponents() = 0;
        Wrong(std::string("components outlived the ") + owner + " they were loaded into");
    }
    if (error) std::rethrow_exception(error);
}

// Loads into a fresh root, which goes with everything loaded into it.
void LoadIntoWindow(const LayoutNode& tree) {
    CheckNothingOutlives("root", [&] {
        TTestWindow root;
        struct ClearLog {
            ~ClearLog() { LoadLog().clear(); } // before the root goes, however the load ends
        } clearLog;
        LoadLayout(root, tree, MutationFactory());
    });
}

// ---- pictures

// A 40 x 40 DIB with a canvas on it, for drawing what was read.
struct Surface {
    DibSurface dib{40, 40, 0x00FF00FF};
    TCanvas canvas{dib.dc()};
};

void CheckSize(int width, int height, int most) {
    if (width < 0 || height < 0 || width > most || height > most)
        Wrong("a picture was read with the size " + std::to_string(width) + " x " +
              std::to_string(height));
}

// The pixels, alpha and size a bitmap holds.
bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y) {
        const std::uint32_t* p = a.ScanLine(y);
        const std::uint32_t* q = b.ScanLine(y);
        for (int x = 0; x < a.Width(); ++x) {
            const std::uint32_t mask = a.AlphaChannel() ? 0xFFFFFFFF : 0x00FFFFFF;
            if ((p[x] & mask) != (q[x] & mask)) return false;
        }
    }
    return true;
}

bool IsLayoutData(const ByteInput& data, std::uint8_t first, std::uint8_t second) {
    return data.size() >= 6 && data[4] == first && data[5] == second;
}

} // namespace

void ReadLayoutTextInput(const TextInput& text) {
    const LayoutNode tree = ReadLayoutText(std::wstring(text.begin(), text.end()), ResolveFile);
    CheckRoundTrips(tree);
    LoadIntoWindow(tree);
}

namespace {

// Runs work with error boxes recorded instead of shown: a box counts as a defect of what was
// done, an exception goes on to the caller.
void WithoutErrorBoxes(const std::string& what, const std::function<void()>& work) {
    std::wstring shown;
    const TMessageBoxFunction previous = TApplication::SetMessageBoxFunction(
        [&](HWND, const std::wstring& message, const std::wstring&, UINT) {
            shown = message;
            return IDOK;
        });
    std::exception_ptr error;
    try {
        work();
    } catch (...) {
        error = std::current_exception();
    }
    TApplication::SetMessageBoxFunction(previous);
    if (!shown.empty()) Wrong(what + " showed an error: " + Printable(shown));
    if (error) std::rethrow_exception(error);
}

void LoadAndPaintForm(const LayoutNode& tree) {
    // A layout that loads must also paint: an error box from WM_PAINT would come back with
    // every repaint.
    CheckNothingOutlives("form", [&] {
        WithoutErrorBoxes("painting the loaded form", [&] {
            TForm form(nullptr);
            LoadLayout(form, tree, FormFactory());
            DibSurface dib(420, 240);
            ::SendMessageW(form.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.dc()), 0);
        });
    });
}

} // namespace

void ReadFormLayoutInput(const TextInput& text) {
    LoadAndPaintForm(ReadLayoutText(std::wstring(text.begin(), text.end()), {}));
}

namespace {

void MakeAndPaintKelt(const LayoutNode& tree) {
    WithoutErrorBoxes("showing or painting the main window", [&] {
        MemoryRegistry registry;
        TKeltServices services;
        services.registry = &registry;
        services.layout = [&] { return tree; };
        Tkelt window(nullptr, services);
        window.FormShow(&window);
        DibSurface dib(420, 240);
        ::SendMessageW(window.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.dc()), 0);
        for (TAdvGlowButton* button : {window.plaxorizebtn, window.undoplaxorizebtn}) {
            DibSurface face(std::clamp(button->Width(), 1, 2048),
                            std::clamp(button->Height(), 1, 2048));
            ::SendMessageW(button->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(face.dc()), 0);
        }
    });
}

} // namespace

void ReadKeltLayoutInput(const TextInput& text) {
    MakeAndPaintKelt(
        ReadLayoutText(std::wstring(text.begin(), text.end()), ResourceFileResolver(nullptr)));
}

void ReadKeltLayoutBinaryInput(const ByteInput& data) {
    MakeAndPaintKelt(ReadLayoutBinary(data));
}

void ReadFormLayoutBinaryInput(const ByteInput& data) {
    LoadAndPaintForm(ReadLayoutBinary(data));
}

void ReadLayoutBinaryInput(const ByteInput& data) {
    const LayoutNode tree = ReadLayoutBinary(data);
    CheckRoundTrips(tree);
    LoadIntoWindow(tree);
}

void ReadBmpInput(const ByteInput& data) {
    TBitmap bitmap;
    TMemoryStream stream(data);
    if (IsLayoutData(data, 'B', 'M'))
        bitmap.ReadLayoutData(&stream);
    else
        bitmap.LoadImage(stream);
    CheckSize(bitmap.Width(), bitmap.Height(), TBitmap::MaxSide);

    Surface surface;
    surface.canvas.Draw(3, 2, bitmap); // at its own size, clipped by the surface
    bitmap.SetTransparent(true);
    surface.canvas.StretchDraw(RECT{1, 1, 37, 23}, bitmap);
    const bool alpha = bitmap.AlphaChannel();
    bitmap.SetAlphaChannel(true);
    surface.canvas.StretchDraw(RECT{-5, 20, 30, 45}, bitmap);
    bitmap.SetAlphaChannel(alpha);

    TMemoryStream saved;
    bitmap.SaveImage(saved);
    saved.SetPosition(0);
    TBitmap again;
    again.LoadImage(saved);
    if (!SamePixels(bitmap, again)) Wrong("the bitmap saved as BMP reads back differently");
}

void ReadJpegInput(const ByteInput& data) {
    TJPEGImage jpeg;
    TMemoryStream stream(data);
    const bool layoutData = IsLayoutData(data, 0xFF, 0xD8);
    if (layoutData)
        jpeg.ReadLayoutData(&stream);
    else
        jpeg.LoadImage(stream);
    CheckSize(jpeg.ImageWidth(), jpeg.ImageHeight(), TJPEGImage::MaxSide);
    if (jpeg.Bitmap().Width() != jpeg.ImageWidth() || jpeg.Bitmap().Height() != jpeg.ImageHeight())
        Wrong("the decoded picture's size differs from the JPEG's");
    Surface surface;
    surface.canvas.StretchDraw(RECT{2, 2, 38, 30}, jpeg);
    if (!layoutData && jpeg.Data() != data) Wrong("the JPEG's bytes were not kept unchanged");
}

void ReadGdipPictureInput(const ByteInput& data) {
    TGDIPPicture picture;
    TMemoryStream stream(data);
    picture.LoadImage(stream);
    CheckSize(picture.ImageWidth(), picture.ImageHeight(), 1 << 30);
    picture.UpdateImageSize();
    Surface surface;
    picture.DrawInRect(surface.canvas, RECT{2, 3, 38, 33});
    TMemoryStream saved;
    picture.SaveImage(saved);
    if (saved.Bytes() != data) Wrong("the picture's bytes were not kept unchanged");
}

void ReadGlowPictureInput(const ByteInput& data) {
    TGDIPPicture picture;
    TMemoryStream stream(data);
    picture.LoadImage(stream);
    static TFont font;
    DibSurface dib(100, 41);
    TCanvas canvas(dib.dc());
    TGlowButtonDrawInputs in;
    in.canvas = &canvas;
    in.rect = RECT{0, 0, 100, 41};
    in.caption = L"&Disable";
    in.font = &font;
    in.picture = &picture;
    DrawGlowButton(in);
    in.pictureSize = SIZE{16, 16};
    in.layout = blGlyphTop;
    DrawGlowButton(in);
}

void ReadPictureDataInput(const ByteInput& data) {
    TPicture picture;
    LoadProperty(picture, L"Data", LayoutValue(plaxor::Bytes(data)));
    if (!picture.Graphic() || picture.Graphic()->IsEmpty()) return;
    CheckSize(picture.Width(), picture.Height(), TBitmap::MaxSide);
    Surface surface;
    surface.canvas.StretchDraw(RECT{0, 0, 40, 30}, *picture.Graphic());

    const std::optional<LayoutValue> saved = SaveProperty(picture, L"Data");
    if (!saved) Wrong("a picture with a graphic writes no Data");
    TPicture again;
    try {
        LoadProperty(again, L"Data", *saved);
    } catch (const Exception&) {
        Wrong("the Data a picture wrote is refused when read back");
    }
    if (again.Width() != picture.Width() || again.Height() != picture.Height())
        Wrong("the Data a picture wrote reads back with another size");
}

void ReadRegistryTextInput(const ByteInput& data) {
    DWORD type = REG_SZ;
    bool failRead = false;
    ByteInput value = data;
    if (data.size() >= 5) {
        type = data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24;
        failRead = data[4] & 1;
        value.assign(data.begin() + 5, data.end());
    }
    const std::wstring path = L"Software\\Plaxor\\Mutation";
    MemoryRegistry memory;
    memory.PutValue(HKEY_CURRENT_USER, path, L"Value", type, value);
    if (failRead) memory.FailRead(HKEY_CURRENT_USER, path, L"Value");

    // What the value should read as: nothing when empty, else its text up to the first NUL
    // (an odd last byte is not a character); refused for a failed read or a type not text.
    std::wstring expected;
    for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(value[i] | value[i + 1] << 8);
        if (unit == L'\0') break;
        expected += unit;
    }
    const bool refusal = !value.empty() && (failRead || (type != REG_SZ && type != REG_EXPAND_SZ));

    std::wstring text;
    bool refused = false;
    {
        TRegistry registry(memory);
        registry.SelectRoot(HKEY_CURRENT_USER);
        if (!registry.OpenPath(L"\\" + path, false)) Wrong("the value's key cannot be opened");
        try {
            text = registry.ReadText(L"Value");
        } catch (const ERegistryException&) {
            refused = true;
        }
    }
    if (memory.OpenHandleCount() != 0) Wrong("a registry key stayed open");
    if (refused != refusal) Wrong(refused ? "a text value was refused" : "a bad value was read");
    if (refused) throw ERegistryException(L"refused as expected");
    if (text != expected) Wrong("the text read is not the value's text");
}

bool ReadRegressionInput(const std::string& fileName, const ByteInput& bytes) {
    const auto starts = [&](const char* prefix) { return fileName.rfind(prefix, 0) == 0; };
    // Text readers' files hold the UTF-16 units as dumped.
    const auto text = [&] { return UnitsFromBytes<wchar_t>(bytes.data(), bytes.size()); };
    if (starts("layout-form-values-")) {
        ReadFormLayoutBinaryInput(bytes);
    } else if (starts("layout-kelt-values-")) {
        ReadKeltLayoutBinaryInput(bytes);
    } else if (starts("layout-kelt-")) {
        ReadKeltLayoutInput(text());
    } else if (starts("layout-form-")) {
        ReadFormLayoutInput(text());
    } else if (starts("layout-text-")) {
        ReadLayoutTextInput(text());
    } else if (starts("layout-binary-")) {
        ReadLayoutBinaryInput(bytes);
    } else if (starts("bmp-")) {
        ReadBmpInput(bytes);
    } else if (starts("jpeg-")) {
        ReadJpegInput(bytes);
    } else if (starts("gdip-picture-")) {
        ReadGdipPictureInput(bytes);
    } else if (starts("glow-picture-")) {
        ReadGlowPictureInput(bytes);
    } else if (starts("picture-data-")) {
        ReadPictureDataInput(bytes);
    } else if (starts("registry-text-")) {
        ReadRegistryTextInput(bytes);
    } else {
        return false;
    }
    return true;
}

} // namespace plaxor::test
