#include "tests/mutation/MutationSamples.h"

#include "app/KeltLayout.h"
#include "framework/Bitmap.h"
#include "framework/Exception.h"
#include "framework/Image.h"
#include "framework/JpegImage.h"
#include "framework/Label.h"
#include "framework/LayoutText.h"
#include "framework/SpeedButton.h"
#include "framework/Streams.h"
#include "tests/framework/BmpBuilder.h"
#include "tests/framework/JpegMaker.h"
#include "tests/framework/LayoutTestContext.h"
#include "tests/gdiplus/SampleImages.h"
#include "tests/support/LayoutBinary.h"
#include "tests/support/LayoutWriter.h"

namespace plaxor::test {

TMutationImage::TMutationImage(TComponent* owner) : TComponent(owner) {
    ++LiveComponents();
}

TMutationImage::~TMutationImage() {
    --LiveComponents();
}

const PropertyTable& TMutationImage::ClassProperties() {
    static const PropertyTable table(&TComponent::ClassProperties(),
                                     {props::Object(L"Picture", &TMutationImage::Picture),
                                      props::Object(L"Glyph", &TMutationImage::Glyph)});
    return table;
}

const ComponentFactory& MutationFactory() {
    static const ComponentFactory factory = [] {
        ComponentFactory f = TestFactory();
        f.Register<TMutationImage>(L"TMutationImage");
        return f;
    }();
    return factory;
}

namespace {

// A framework control that counts itself in LiveComponents, so that a leak shows.
template <typename Base> class Counted : public Base {
public:
    explicit Counted(TComponent* owner) : Base(owner) { ++LiveComponents(); }
    ~Counted() override { --LiveComponents(); }
};

} // namespace

const ComponentFactory& FormFactory() {
    static const ComponentFactory factory = [] {
        ComponentFactory f;
        f.Register<Counted<TLabel>>(L"TLabel");
        f.Register<Counted<TImage>>(L"TImage");
        f.Register<Counted<TSpeedButton>>(L"TSpeedButton");
        return f;
    }();
    return factory;
}

namespace {

const plaxor::Bytes& ProgramPicture(const std::string& name) {
    static const std::vector<EmbeddedFile> pictures = ProgramPictures();
    for (const EmbeddedFile& f : pictures)
        if (f.name == name) return f.bytes;
    throw EReadError(L"no program picture by that name");
}

std::vector<wchar_t> Units(std::wstring_view text) {
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> Narrow(std::string_view text) {
    return {text.begin(), text.end()};
}

std::wstring Hex(const plaxor::Bytes& bytes) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0) out += L"\r\n        ";
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

plaxor::Bytes Concat(plaxor::Bytes a, const plaxor::Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A graphic's file with the 4-byte length in front, as bitmaps and JPEGs store it in layouts.
plaxor::Bytes LengthPrefixed(const plaxor::Bytes& file) {
    const auto n = static_cast<std::uint32_t>(file.size());
    return Concat({static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                   static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)},
                  file);
}

std::unique_ptr<TBitmap> Checker(int width, int height, bool alpha) {
    auto bitmap = std::make_unique<TBitmap>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->SetPixel(x, y, (x + y) % 2 ? 0x0000FF : 0xFFCC00);
    if (alpha) {
        bitmap->ScanLine(0)[0] = 0x80112233;
        bitmap->SetAlphaChannel(true);
    }
    return bitmap;
}

plaxor::Bytes BmpOf(const TBitmap& bitmap) {
    TMemoryStream file;
    bitmap.SaveImage(file);
    return file.Bytes();
}

// The "Data" a picture container writes for a graphic.
plaxor::Bytes PictureData(const TGraphic& graphic) {
    TPicture picture;
    picture.SetGraphic(&graphic);
    return props::AsBytes(*SaveProperty(picture, L"Data"), L"Data");
}

std::unique_ptr<TJPEGImage> JpegOf(const plaxor::Bytes& file) {
    auto jpeg = std::make_unique<TJPEGImage>();
    TMemoryStream stream(file);
    jpeg->LoadImage(stream);
    return jpeg;
}

plaxor::Bytes SmallJpeg() {
    return MakeJpeg(16, 8, [](int x, int y) {
        return x < 8 ? 0xFF0000u : y < 4 ? 0x00FF00u : 0x0000FFu;
    });
}

// Every syntax the text form has, and every kind of component and property the loader knows.
std::wstring FullLayoutText() {
    return L"object main: TTestWindow\r\n"
           L"  Caption = 'Plaxor ' + '1.2'\r\n"
           L"  ClientHeight = 232\r\n"
           L"  Font.Name = 'Segoe UI'\r\n"
           L"  Font.Height = -12\r\n"
           L"  Font.Style = [tsBold]\r\n"
           L"  OnShow = FormShow\r\n"
           L"  object box: TTestPanel\r\n"
           L"    object ok: TTestButton\r\n"
           L"      Caption = '&Disable'\r\n"
           L"      Left = 16\r\n"
           L"      Width = $78\r\n"
           L"      Tag = -3\r\n"
           L"      Enabled = False\r\n"
           L"      Layout = tlTop\r\n"
           L"      Ratio = 0.25\r\n"
           L"      ParentFont = False\r\n"
           L"      Font.Name = 'Tahoma'\r\n"
           L"      Font.Style = [tsBold, tsItalic]\r\n"
           L"      Notes.Strings = (\r\n"
           L"        'first'\r\n"
           L"        'it''s second'\r\n"
           L"        #233't'#$E9)\r\n"
           L"      Picture.Data = {\r\n"
           L"        0A1B2C3D}\r\n"
           L"      Buddy = cancel\r\n"
           L"      OnClick = ButtonClick\r\n"
           L"    end\r\n"
           L"  end\r\n"
           L"  object cancel: TTestButton\r\n"
           L"    Caption = '&Enable'\r\n"
           L"    Width = 70000\r\n"
           L"    Buddy = ok\r\n"
           L"    OnClick = ButtonClick\r\n"
           L"  end\r\n"
           L"  object image: TMutationImage\r\n"
           L"    Picture.Data = {" +
           Hex(PictureData(*Checker(3, 2, false))) +
           L"}\r\n"
           L"    Glyph.Data = file 'glyph.bmp'\r\n"
           L"  end\r\n"
           L"  object photo: TMutationImage\r\n"
           L"    Picture.Data = {" +
           Hex(PictureData(*JpegOf(SmallJpeg()))) +
           L"}\r\n"
           L"    Glyph.Data = {" +
           Hex(MakePng(PixelImage(3, 2, 0xFF3366CC))) +
           L"}\r\n"
           L"  end\r\n"
           L"end\r\n";
}

std::vector<std::wstring> LayoutTexts() {
    const std::wstring full = FullLayoutText();
    // The same layout as the writer puts it, after a load and a save.
    TTestWindow root;
    LoadLayout(root, ReadLayoutText(full, ResolveFile), MutationFactory());
    const std::wstring saved = WriteLayoutText(SaveLayout(root));
    LoadLog().clear();
    return {full, saved, L"object main: TTestWindow\r\nend\r\n"};
}

std::wstring FormLayoutText() {
    return L"object kelt: TForm\r\n"
           L"  Left = 192\r\n"
           L"  Top = 114\r\n"
           L"  BorderIcons = [biSystemMenu, biMinimize]\r\n"
           L"  BorderStyle = bsSingle\r\n"
           L"  Caption = 'Plaxor 1.2'\r\n"
           L"  ClientHeight = 232\r\n"
           L"  ClientWidth = 409\r\n"
           L"  Color = clBtnFace\r\n"
           L"  Font.Charset = 1\r\n"
           L"  Font.Color = clWindowText\r\n"
           L"  Font.Height = -11\r\n"
           L"  Font.Name = 'Tahoma'\r\n"
           L"  Font.Style = []\r\n"
           L"  Position = poScreenCenter\r\n"
           L"  PixelsPerInch = 96\r\n"
           L"  TextHeight = 13\r\n"
           L"  object SpeedButton1: TSpeedButton\r\n"
           L"    Left = 378\r\n"
           L"    Top = 184\r\n"
           L"    Width = 23\r\n"
           L"    Height = 22\r\n"
           L"    Hint = 'www.example.com'\r\n"
           L"    Glyph.Data = {" +
           Hex(LengthPrefixed(ProgramPicture("glyph.bmp"))) +
           L"}\r\n"
           L"    ParentShowHint = False\r\n"
           L"    ShowHint = True\r\n"
           L"  end\r\n"
           L"  object status: TLabel\r\n"
           L"    Left = 168\r\n"
           L"    Top = 79\r\n"
           L"    Width = 72\r\n"
           L"    Height = 13\r\n"
           L"    Alignment = taCenter\r\n"
           L"    AutoSize = False\r\n"
           L"    Caption = 'status'\r\n"
           L"  end\r\n"
           L"  object enabledimg: TImage\r\n"
           L"    Left = 136\r\n"
           L"    Top = 96\r\n"
           L"    Width = 137\r\n"
           L"    Height = 80\r\n"
           L"    Picture.Data = {" +
           Hex(PictureData(*JpegOf(ProgramPicture("enabled.jpg")))) +
           L"}\r\n"
           L"  end\r\n"
           L"end\r\n";
}

} // namespace

plaxor::Bytes ResolveFile(const std::wstring& name) {
    if (name == L"glyph.bmp") return ProgramPicture("glyph.bmp");
    throw EReadError(L"no such file");
}

MutationCorpus<wchar_t> LayoutTextCorpus() {
    MutationCorpus<wchar_t> corpus;
    for (const std::wstring& text : LayoutTexts())
        corpus.samples.push_back(Units(text));
    for (std::wstring_view word : {L"object ",
                                   L"end",
                                   L"object x: TTestButton\r\nend\r\n",
                                   L"object y: TTestPanel\r\n",
                                   L"object z: TMutationImage\r\n",
                                   L"'",
                                   L"''",
                                   L"#",
                                   L"#$",
                                   L"{",
                                   L"}",
                                   L"(",
                                   L")",
                                   L"[",
                                   L"]",
                                   L" = ",
                                   L": ",
                                   L" + ",
                                   L"nil",
                                   L"True",
                                   L"file 'glyph.bmp'",
                                   L"file 'missing'",
                                   L"Buddy = ok\r\n",
                                   L"Buddy = nobody\r\n",
                                   L"OnClick = Missing\r\n",
                                   L"Font.Style = [tsBold, tsNothing]\r\n",
                                   L"Tag = 200\r\n",
                                   L"Picture.Data = {",
                                   L"Glyph.Data = {424D",
                                   L"Picture.Data = {07544269746D6170",
                                   L"Notes.Strings = (",
                                   L"\r\n",
                                   L"\xFEFF",
                                   L"\xD800"})
        corpus.dictionary.push_back(Units(word));
    return corpus;
}

namespace {

// The words of a form's layout, for the dictionary of every form-layout corpus.
void AddFormLayoutWords(MutationCorpus<wchar_t>& corpus) {
    for (std::wstring_view word : {L"object x: TLabel\r\nend\r\n",
                                   L"object y: TImage\r\n",
                                   L"object ",
                                   L"end",
                                   L"Width = ",
                                   L"Height = ",
                                   L"Left = -",
                                   L"Font.Height = ",
                                   L"Font.Name = '",
                                   L"Color = cl",
                                   L"Color = $",
                                   L"Align = alClient\r\n",
                                   L"AutoSize = True\r\n",
                                   L"Constraints.MaxWidth = ",
                                   L"Anchors = [akRight, akBottom]\r\n",
                                   L"NumGlyphs = ",
                                   L"Picture.Data = {0A544A504547496D616765",
                                   L"Glyph.Data = {",
                                   L"WordWrap = True\r\n",
                                   L"'",
                                   L"{",
                                   L"}",
                                   L"[",
                                   L"]",
                                   L"\r\n"})
        corpus.dictionary.push_back(Units(word));
}

} // namespace

MutationCorpus<wchar_t> FormLayoutCorpus() {
    MutationCorpus<wchar_t> corpus;
    corpus.samples.push_back(Units(FormLayoutText()));
    AddFormLayoutWords(corpus);
    return corpus;
}

MutationCorpus<wchar_t> KeltLayoutCorpus() {
    MutationCorpus<wchar_t> corpus;
    corpus.samples.push_back(Units(DecodeLayoutText(ReadResourceData(nullptr, L"KELT_LAYOUT"))));
    AddFormLayoutWords(corpus);
    for (std::wstring_view word :
         {L"object b: TAdvGlowButton\r\nend\r\n", L"Appearance.Color = ", L"Appearance.ColorTo = ",
          L"Appearance.BorderColor = ", L"Appearance.Gradient = ggRadial\r\n",
          L"NotesFont.Height = ", L"OnClick = plaxorizebtnClick\r\n", L"OnClick = FormShow\r\n",
          L"Caption = '&", L"TabOrder = ", L"Picture.Data = {89504E47", L"Layout = blGlyphTop\r\n",
          L"file 'logo.jpg'", L"file 'none.jpg'"})
        corpus.dictionary.push_back(Units(word));
    return corpus;
}

LayoutNode KeltLayoutTree() {
    return ReadKeltLayout(nullptr);
}

LayoutNode FormLayoutTree() {
    return ReadLayoutText(FormLayoutText(), {});
}

MutationCorpus<std::uint8_t> LayoutBinaryCorpus() {
    MutationCorpus<std::uint8_t> corpus;
    for (const std::wstring& text : LayoutTexts())
        corpus.samples.push_back(WriteLayoutBinary(ReadLayoutText(text, ResolveFile)));
    for (std::string_view word :
         {std::string_view("TPF0"), std::string_view("\x0BTTestButton\x02ok", 15),
          std::string_view("\x0ETMutationImage\x00", 16),
          std::string_view("\x05"
                           "Buddy\x07\x02ok",
                           10),
          std::string_view("\x0A\xFF\xFF\xFF\x7F", 5), std::string_view("\x14\xFF\xFF\xFF\xFF", 5),
          std::string_view("\x01\x06\x01"
                           "a\x00",
                           5),
          std::string_view("\x0B\x06tsBold\x00", 9),
          std::string_view("\x13\x00\x00\x00\x00\x00\x00\x00\x80", 9),
          std::string_view("\x05\x00\x00\x00\x00\x00\x00\xF0\x7F", 9),
          std::string_view("\x00\x00", 2), std::string_view("\x0D", 1),
          std::string_view("\x0CPicture.Data", 13)})
        corpus.dictionary.push_back(Narrow(word));
    return corpus;
}

MutationCorpus<std::uint8_t> BmpCorpus() {
    MutationCorpus<std::uint8_t> corpus;
    const auto gradient = [](int x, int y) { return static_cast<std::uint32_t>(x * 40 + y * 9); };
    const std::vector<std::uint32_t> palette16 = {
        0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x008080, 0x800080, 0x808080, 0xC0C0C0};
    BmpLayout rgb24;
    rgb24.value = [](int x, int y) { return 0x102030u * static_cast<std::uint32_t>(x + y); };
    BmpLayout topDown = rgb24;
    topDown.topDown = true;
    BmpLayout mono;
    mono.bpp = 1;
    mono.width = 9;
    mono.height = 4;
    mono.palette = {0x000000, 0xFFFFFF};
    mono.value = [](int x, int y) { return static_cast<std::uint32_t>((x + y) & 1); };
    BmpLayout nibble;
    nibble.bpp = 4;
    nibble.width = 7;
    nibble.palette = palette16;
    nibble.value = [](int x, int y) { return static_cast<std::uint32_t>((x * 3 + y) & 15); };
    BmpLayout indexed;
    indexed.bpp = 8;
    indexed.width = 6;
    indexed.height = 5;
    indexed.palette = {0x112233, 0x445566, 0x778899};
    indexed.colorsUsed = 3;
    indexed.value = [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 3); };
    BmpLayout core = indexed;
    core.headerSize = 12;
    core.colorsUsed = 0;
    core.palette = palette16;
    core.palette.resize(256, 0x808080);
    BmpLayout core24 = rgb24;
    core24.headerSize = 12;
    BmpLayout rgb555;
    rgb555.bpp = 16;
    rgb555.value = gradient;
    BmpLayout rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    BmpLayout rgb32;
    rgb32.bpp = 32;
    rgb32.value = [](int x, int y) { return 0x00102030u * static_cast<std::uint32_t>(x + 2 * y); };
    BmpLayout v5alpha = rgb32;
    v5alpha.headerSize = 124;
    v5alpha.compression = 3;
    v5alpha.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    v5alpha.value = [](int x, int y) {
        return 0x40000000u * static_cast<std::uint32_t>(x % 4) +
               0x00102030u * static_cast<std::uint32_t>(y);
    };
    BmpLayout v4 = rgb24;
    v4.headerSize = 108;
    BmpLayout unpadded = rgb24;
    unpadded.width = 3;
    unpadded.padLastRow = false;
    for (const BmpLayout* layout : {&rgb24, &topDown, &mono, &nibble, &indexed, &core, &core24,
                                    &rgb555, &rgb565, &rgb32, &v5alpha, &v4, &unpadded})
        corpus.samples.push_back(BuildBmp(*layout));
    corpus.samples.push_back(ProgramPicture("glyph.bmp"));
    corpus.samples.push_back(BmpOf(*Checker(5, 4, true)));
    corpus.samples.push_back(LengthPrefixed(BuildBmp(rgb24)));
    corpus.samples.push_back(LengthPrefixed(BuildBmp(mono)));
    for (std::string_view word :
         {std::string_view("BM"), std::string_view("\x0C\x00\x00\x00", 4),
          std::string_view("\x28\x00\x00\x00", 4), std::string_view("\x7C\x00\x00\x00", 4),
          std::string_view("\x03\x00\x00\x00", 4), std::string_view("\x01\x00\x00\x00", 4),
          std::string_view("\x20\x00", 2), std::string_view("\x10\x00", 2),
          std::string_view("\x00\xF8\x00\x00\xE0\x07\x00\x00", 8)})
        corpus.dictionary.push_back(Narrow(word));
    return corpus;
}

MutationCorpus<std::uint8_t> JpegCorpus() {
    MutationCorpus<std::uint8_t> corpus;
    const auto pattern = [](int x, int y) {
        return static_cast<std::uint32_t>((x * 37) ^ (y * 91) ^ (x * y)) & 0xFFFFFF;
    };
    corpus.samples.push_back(SmallJpeg());
    corpus.samples.push_back(MakeJpeg(8, 8, pattern, JpegKind::Gray, 80));
    corpus.samples.push_back(MakeJpeg(9, 7, pattern, JpegKind::AdobeCmyk, 90));
    corpus.samples.push_back(MakeJpeg(17, 12, pattern, JpegKind::Rgb, 75, true));
    corpus.samples.push_back(MakeJpeg(24, 16, pattern, JpegKind::Rgb, 10));
    corpus.samples.push_back(ProgramPicture("enabled.jpg"));
    corpus.samples.push_back(LengthPrefixed(SmallJpeg()));
    for (std::string_view word :
         {std::string_view("\xFF\xD8\xFF", 3), std::string_view("\xFF\xD9", 2),
          std::string_view("\xFF\xC0\x00\x11\x08", 5), std::string_view("\xFF\xC2", 2),
          std::string_view("\xFF\xC4", 2), std::string_view("\xFF\xDA\x00\x0C", 4),
          std::string_view("\xFF\xDD\x00\x04\x00\x01", 6),
          std::string_view("\xFF\xDB\x00\x43\x00", 5),
          std::string_view("\xFF\xEE\x00\x0E"
                           "Adobe",
                           9),
          std::string_view("\xFF\xD0", 2), std::string_view("\xFF\xC9", 2)})
        corpus.dictionary.push_back(Narrow(word));
    return corpus;
}

MutationCorpus<std::uint8_t> GdipPictureCorpus() {
    MutationCorpus<std::uint8_t> corpus;
    PixelImage image(6, 4, 0xFFFFFFFF);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            image.at(x, y) = x < 3 ? (y < 2 ? 0xFFFF0000 : 0x8000FF00) : 0xFF0000FF;
    corpus.samples.push_back(MakeBmp(image));
    corpus.samples.push_back(MakePng(image));
    corpus.samples.push_back(MakeGif(image));
    corpus.samples.push_back(MakeJpeg(image));
    corpus.samples.push_back(MakeTiff(image));
    corpus.samples.push_back(MakeIcon(image));
    corpus.samples.push_back(ProgramPicture("glyph.bmp"));
    for (std::string_view word :
         {std::string_view("BM"), std::string_view("\x89PNG\r\n\x1A\n", 8),
          std::string_view("IHDR"), std::string_view("IDAT"), std::string_view("IEND"),
          std::string_view("GIF89a"), std::string_view("II*\x00", 4),
          std::string_view("\x00\x00\x01\x00", 4), std::string_view("\xFF\xD8\xFF", 3),
          std::string_view(",\x00\x00\x00\x00", 5)})
        corpus.dictionary.push_back(Narrow(word));
    return corpus;
}

MutationCorpus<std::uint8_t> PictureDataCorpus() {
    MutationCorpus<std::uint8_t> corpus;
    corpus.samples.push_back(PictureData(*Checker(4, 3, false)));
    corpus.samples.push_back(PictureData(*Checker(3, 3, true)));
    corpus.samples.push_back(PictureData(*JpegOf(SmallJpeg())));
    corpus.samples.push_back(BmpOf(*Checker(2, 5, false)));
    corpus.samples.push_back(SmallJpeg());
    corpus.samples.push_back({0}); // a picture without a graphic
    for (std::string_view word :
         {std::string_view("\x07TBitmap"), std::string_view("\x0ATJPEGImage"),
          std::string_view("\x08TUnknown"), std::string_view("BM"),
          std::string_view("\xFF\xD8\xFF", 3), std::string_view("\xFF\xFF\xFF\x7F", 4)})
        corpus.dictionary.push_back(Narrow(word));
    return corpus;
}

const std::vector<plaxor::Bytes>& PictureDataSamples() {
    static const std::vector<plaxor::Bytes> samples = PictureDataCorpus().samples;
    return samples;
}

MutationCorpus<std::uint8_t> RegistryTextCorpus() {
    MutationCorpus<std::uint8_t> corpus;
    const auto value = [](DWORD type, bool failRead, const std::wstring& text, bool terminated) {
        plaxor::Bytes out = {static_cast<std::uint8_t>(type), 0, 0, 0,
                             static_cast<std::uint8_t>(failRead ? 1 : 0)};
        for (wchar_t c : text) {
            out.push_back(static_cast<std::uint8_t>(c));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        if (terminated) out.insert(out.end(), {0, 0});
        return out;
    };
    corpus.samples.push_back(value(REG_SZ, false, L"@SYS:DoesNotExist", true));
    corpus.samples.push_back(value(REG_EXPAND_SZ, false, L"%SystemRoot%\\system32", true));
    corpus.samples.push_back(value(REG_SZ, false, L"no terminator", false));
    corpus.samples.push_back(value(REG_SZ, false, L"", true));
    corpus.samples.push_back(value(REG_MULTI_SZ, false, std::wstring(L"a\0b\0", 4), true));
    corpus.samples.push_back(value(REG_SZ, true, L"unreadable", true));
    corpus.samples.push_back({REG_DWORD, 0, 0, 0, 0, 1, 0, 0, 0});
    corpus.samples.push_back({REG_BINARY, 0, 0, 0, 0, 0xFF, 0xFE, 0x41});
    for (std::string_view word :
         {std::string_view("\x01\x00\x00\x00", 4), std::string_view("\x02\x00\x00\x00", 4),
          std::string_view("\x07\x00\x00\x00", 4), std::string_view("\x00\x00", 2),
          std::string_view("\x00\xD8", 2), std::string_view("A\x00", 2)})
        corpus.dictionary.push_back(Narrow(word));
    return corpus;
}

} // namespace plaxor::test
