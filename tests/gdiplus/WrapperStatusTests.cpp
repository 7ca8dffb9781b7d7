// The wrappers never throw: failures show as nil handles and recorded statuses.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "SampleImages.h"
#include "TestSupport.h"
#include "gdiplus/GPBrushes.h"
#include "gdiplus/GPFont.h"
#include "gdiplus/GPGraphics.h"
#include "gdiplus/GPGraphicsPath.h"
#include "gdiplus/GPImage.h"
#include "gdiplus/GPPen.h"
#include "gdiplus/GdiplusApi.h"

namespace plaxor::test {
namespace {

// Puts one entry of the process's GDI+ table back when the test ends.
template <typename Pointer> class ScopedReplace {
public:
    ScopedReplace(Pointer& entry, Pointer replacement) : entry_(entry), saved_(entry) {
        entry_ = replacement;
    }
    ~ScopedReplace() { entry_ = saved_; }
    ScopedReplace(const ScopedReplace&) = delete;
    ScopedReplace& operator=(const ScopedReplace&) = delete;

private:
    Pointer& entry_;
    Pointer saved_;
};

int surroundCalls = 0;
GpStatus WINAPI CountingSurroundColors(GpBrush*, const ARGB*, INT*) {
    ++surroundCalls;
    return Ok;
}

std::unique_ptr<TGPGraphicsPath> EllipsePath() {
    auto path = std::make_unique<TGPGraphicsPath>();
    path->AddEllipse(0, 0, 40, 40);
    return path;
}

TEST(GdiplusBinding, BindsEveryFunctionFromTheSystemDirectory) {
    static_assert(GdiplusFunctionCount == 54);
    GdiplusApi& api = Gdip();
#define PLAXOR_EXPECT_BOUND(name, result, params) EXPECT_NE(api.name, nullptr) << #name;
    PLAXOR_GDIPLUS_FUNCTIONS(PLAXOR_EXPECT_BOUND)
#undef PLAXOR_EXPECT_BOUND
    HMODULE module = nullptr;
    ASSERT_TRUE(::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                     reinterpret_cast<LPCWSTR>(api.GdipAlloc), &module));
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(module, path, MAX_PATH);
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring expected = std::wstring(system) + L"\\gdiplus.dll";
    EXPECT_EQ(::CompareStringOrdinal(path, -1, expected.c_str(), -1, TRUE), CSTR_EQUAL)
        << "loaded from " << std::string(path, path + wcslen(path));
}

TEST(GdiplusBinding, AModuleWithoutTheFunctionsIsAClearErrorNamingTheFirstMissing) {
    GdiplusApi api;
    try {
        BindGdiplusFunctions(::GetModuleHandleW(L"kernel32"), api);
        FAIL() << "binding kernel32 as GDI+ succeeded";
    } catch (const EGdiplusUnavailable& e) {
        EXPECT_NE(e.Message().find(L"GdiplusStartup"), std::wstring::npos);
    }
    EXPECT_EQ(api.GdipAlloc, nullptr);
}

TEST(GdiplusStatus, UninstalledFontFamilyIsAUsableObjectWithNilHandle) {
    auto family = std::make_unique<TGPFontFamily>(L"Plaxor No Such Typeface");
    EXPECT_EQ(family->Handle(), nullptr);
    EXPECT_EQ(family->LastStatus(), FontFamilyNotFound);
    EXPECT_NO_THROW(family.reset());
}

TEST(GdiplusStatus, InstalledFontFamilyIsCreatedWithStatusOk) {
    TGPFontFamily family(L"Tahoma");
    EXPECT_NE(family.Handle(), nullptr);
    EXPECT_EQ(family.LastStatus(), Ok);
}

TEST(GdiplusStatus, UndecodableImageHasNilHandleZeroSizeAndUndefinedFormat) {
    auto stream = StreamOf(MakeGarbage());
    TGPImage image(stream.get());
    EXPECT_EQ(image.Handle(), nullptr);
    EXPECT_NE(image.LastStatus(), Ok);
    EXPECT_EQ(image.GetWidth(), 0u);
    EXPECT_EQ(image.GetHeight(), 0u);
    EXPECT_EQ(image.GetFormatKind(), fkUndefined);
}

TEST(GdiplusStatus, DrawingAnUndecodableImageRecordsTheFailureOnTheGraphics) {
    DibSection dib(20, 20, RGB(255, 255, 255));
    TGPGraphics graphics(dib.dc());
    ASSERT_EQ(graphics.LastStatus(), Ok);
    auto stream = StreamOf(MakeGarbage());
    TGPImage image(stream.get());
    const GpStatus status = graphics.DrawImageRect(&image, 0, 0, 20, 20);
    EXPECT_NE(status, Ok);
    EXPECT_EQ(graphics.LastStatus(), status);
    EXPECT_EQ(dib.Pixel(10, 10), 0xFFFFFFu);
}

TEST(GdiplusStatus, DecodedImagesReportSizeAndFormat) {
    PixelImage pixels(7, 5, 0xFF336699);
    struct Case {
        ByteVector bytes;
        TGPFormatKind kind;
    } cases[] = {{MakePng(pixels), fkPNG},
                 {MakeBmp(pixels), fkBMP},
                 {MakeGif(pixels), fkGIF},
                 {MakeJpeg(pixels), fkJPEG},
                 {MakeTiff(pixels), fkTIFF},
                 // Wine's GDI+ reports icons as BMP; Windows' as icons.
                 {MakeIcon(pixels), RunningOnWine() ? fkBMP : fkIcon}};
    for (const Case& c : cases) {
        auto stream = StreamOf(c.bytes);
        TGPImage image(stream.get());
        SCOPED_TRACE(int(c.kind));
        EXPECT_EQ(image.LastStatus(), Ok);
        EXPECT_EQ(image.GetWidth(), 7u);
        EXPECT_EQ(image.GetHeight(), 5u);
        EXPECT_EQ(int(image.GetFormatKind()), int(c.kind));
    }
}

// An enhanced metafile with one filled rectangle, 40 x 30 units of 0.01 mm.
ByteVector MakeEmf() {
    const RECT frame{0, 0, 4000, 3000};
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    ::Rectangle(dc, 10, 10, 50, 40);
    HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
    ByteVector bytes(::GetEnhMetaFileBits(emf, 0, nullptr));
    ::GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data());
    ::DeleteEnhMetaFile(emf);
    return bytes;
}

TEST(GdiplusStatus, EnhancedMetafilesAreTheirOwnKind) {
    auto stream = StreamOf(MakeEmf());
    TGPImage image(stream.get());
    EXPECT_EQ(image.LastStatus(), Ok);
    EXPECT_EQ(image.GetFormatKind(), fkEMF);
}

TEST(GdiplusStatus, BitmapReadsItsPixels) {
    PixelImage pixels(3, 2, 0xFF102030);
    pixels.at(0, 1) = 0xFFFF00FF;
    auto stream = StreamOf(MakePng(pixels));
    TGPBitmap bitmap(stream.get());
    ARGB color = 0;
    EXPECT_EQ(bitmap.GetPixel(0, 1, color), Ok);
    EXPECT_EQ(color, 0xFFFF00FFu);
    EXPECT_EQ(bitmap.GetPixel(2, 0, color), Ok);
    EXPECT_EQ(color, 0xFF102030u);
}

TEST(GdiplusStatus, ImagesGiveBackEveryStreamReferenceTheyTake) {
    auto stream = StreamOf(MakePng(PixelImage(2, 2, 0xFF000000)));
    auto references = [&] {
        stream.get()->AddRef();
        return stream.get()->Release();
    };
    const ULONG before = references();
    {
        TGPImage image(stream.get());
        TGPBitmap bitmap(stream.get());
        ASSERT_EQ(image.LastStatus(), Ok);
        ASSERT_EQ(bitmap.LastStatus(), Ok);
    }
    EXPECT_EQ(references(), before);
}

TEST(GdiplusStatus, SurroundColorsWithoutColoursIsRefusedBeforeGdiplus) {
    auto path = EllipsePath();
    TGPPathGradientBrush brush(*path);
    ASSERT_EQ(brush.LastStatus(), Ok);
    surroundCalls = 0;
    ScopedReplace replace(Gdip().GdipSetPathGradientSurroundColorsWithCount,
                          &CountingSurroundColors);
    int count = 1;
    EXPECT_EQ(brush.SetSurroundColorsWithCount(nullptr, count), InvalidParameter);
    EXPECT_EQ(brush.LastStatus(), InvalidParameter);
    EXPECT_EQ(surroundCalls, 0);
    EXPECT_EQ(count, 1);
}

TEST(GdiplusStatus, SurroundColorsBeyondThePointCountIsRefusedBeforeGdiplus) {
    auto path = EllipsePath();
    TGPPathGradientBrush brush(*path);
    const int points = brush.GetPointCount();
    ASSERT_GT(points, 0);
    std::vector<ARGB> colors(std::size_t(points) + 1, 0xFF000000);
    surroundCalls = 0;
    ScopedReplace replace(Gdip().GdipSetPathGradientSurroundColorsWithCount,
                          &CountingSurroundColors);
    int count = points + 1;
    EXPECT_EQ(brush.SetSurroundColorsWithCount(colors.data(), count), InvalidParameter);
    EXPECT_EQ(brush.LastStatus(), InvalidParameter);
    EXPECT_EQ(surroundCalls, 0);
    EXPECT_EQ(count, points + 1);
}

TEST(GdiplusStatus, SurroundColorsWithinThePointCountReachGdiplus) {
    auto path = EllipsePath();
    TGPPathGradientBrush brush(*path);
    const ARGB colors[] = {0xFF000000};
    int count = 1;
    EXPECT_EQ(brush.SetSurroundColorsWithCount(colors, count), Ok);
    EXPECT_EQ(count, 1);
}

TEST(GdiplusStatus, PointCountOfABrushWithoutPathIsZeroAndRecorded) {
    TGPGraphicsPath empty;
    TGPPathGradientBrush brush(empty); // GDI+ refuses a path without points
    EXPECT_EQ(brush.Handle(), nullptr);
    EXPECT_EQ(brush.GetPointCount(), 0);
    EXPECT_NE(brush.LastStatus(), Ok);
}

TEST(GdiplusStatus, LastStatusKeepsTheFirstFailure) {
    DibSection dib(10, 10, RGB(255, 255, 255));
    TGPGraphics graphics(dib.dc());
    const GpStatus failure = graphics.DrawPath(nullptr, nullptr);
    ASSERT_EQ(failure, InvalidParameter);
    EXPECT_EQ(graphics.SetSmoothingMode(SmoothingModeAntiAlias), Ok);
    EXPECT_EQ(graphics.LastStatus(), InvalidParameter);
}

TEST(GdiplusStatus, SetCenterColorReturnsAnEarlierFailure) {
    auto path = EllipsePath();
    TGPPathGradientBrush brush(*path);
    int count = 1;
    ASSERT_EQ(brush.SetSurroundColorsWithCount(nullptr, count), InvalidParameter);
    EXPECT_EQ(brush.SetCenterColor(0xFFFFFFFF), InvalidParameter);
}

TEST(GdiplusStatus, FailedGraphicsCreationLeavesAUsableObject) {
    auto graphics = std::make_unique<TGPGraphics>(nullptr);
    EXPECT_EQ(graphics->Handle(), nullptr);
    EXPECT_NE(graphics->LastStatus(), Ok);
    TGPSolidBrush brush(0xFF000000);
    EXPECT_NE(graphics->FillRectangle(brush, 0, 0, 1, 1), Ok);
    EXPECT_NO_THROW(graphics.reset());
}

// The allocation retry: GDI+ without a heap (not running) is started again once.
int allocCalls = 0;
int startupCalls = 0;
int allocFailures = 0;
decltype(GdiplusApi::GdipAlloc) realAlloc = nullptr;
decltype(GdiplusApi::GdiplusStartup) realStartup = nullptr;

void* WINAPI FailingAlloc(std::size_t size) {
    ++allocCalls;
    if (allocFailures > 0) {
        --allocFailures;
        return nullptr;
    }
    return realAlloc(size);
}

GpStatus WINAPI CountingStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                                GdiplusStartupOutput* output) {
    ++startupCalls;
    return realStartup(token, input, output);
}

class AllocationRetry : public testing::Test {
protected:
    void SetUp() override {
        realAlloc = Gdip().GdipAlloc;
        realStartup = Gdip().GdiplusStartup;
        allocCalls = startupCalls = 0;
        alloc.emplace(Gdip().GdipAlloc, &FailingAlloc);
        startup.emplace(Gdip().GdiplusStartup, &CountingStartup);
    }
    std::optional<ScopedReplace<decltype(GdiplusApi::GdipAlloc)>> alloc;
    std::optional<ScopedReplace<decltype(GdiplusApi::GdiplusStartup)>> startup;
};

TEST_F(AllocationRetry, AWrapperMadeWhileGdiplusHasNoHeapRestartsItAndIsMade) {
    allocFailures = 1;
    auto pen = std::make_unique<TGPPen>(0xFF000000);
    EXPECT_EQ(startupCalls, 1);
    EXPECT_EQ(allocCalls, 2);
    EXPECT_EQ(pen->LastStatus(), Ok);
}

TEST_F(AllocationRetry, AWrapperIsAllocatedOnceWhenGdiplusHasAHeap) {
    allocFailures = 0;
    auto pen = std::make_unique<TGPPen>(0xFF000000);
    EXPECT_EQ(startupCalls, 0);
    EXPECT_EQ(allocCalls, 1);
}

TEST_F(AllocationRetry, ASecondFailureIsOutOfMemoryAndNoObjectIsMade) {
    allocFailures = 2;
    std::unique_ptr<TGPPen> pen;
    EXPECT_THROW(pen.reset(new TGPPen(0xFF000000)), EOutOfMemory);
    EXPECT_EQ(pen, nullptr);
    EXPECT_EQ(startupCalls, 1);
}

TEST_F(AllocationRetry, LiveWrappersAreCountedOnlyWhenMade) {
    const long before = TGdiplusBase::Live();
    {
        auto pen = std::make_unique<TGPPen>(0xFF000000);
        auto path = EllipsePath();
        EXPECT_EQ(TGdiplusBase::Live(), before + 2);
    }
    EXPECT_EQ(TGdiplusBase::Live(), before);
    allocFailures = 2;
    EXPECT_THROW(std::make_unique<TGPPen>(0xFF000000), EOutOfMemory);
    EXPECT_EQ(TGdiplusBase::Live(), before);
}

} // namespace
} // namespace plaxor::test
