// Colour conversions and the other value functions of the GDI+ layer.
#include <gtest/gtest.h>

#include "gdiplus/GdiplusApi.h"
#include "gdiplus/GdiplusSession.h"
#include "gdiplus/GdiplusValues.h"

namespace plaxor::test {
namespace {

TEST(GdiplusValues, MakeARGBPlacesAlphaRedGreenBlue) {
    EXPECT_EQ(MakeARGB(0x80, 0x12, 0x34, 0x56), 0x80123456u);
    EXPECT_EQ(MakeARGB(0, 255, 255, 255), 0x00FFFFFFu);
    EXPECT_EQ(MakeOpaqueARGB(0x12, 0x34, 0x56), 0xFF123456u);
}

TEST(GdiplusValues, ChannelFunctionsReadTheirBytes) {
    EXPECT_EQ(RedOf(0x80123456), 0x12);
    EXPECT_EQ(GreenOf(0x80123456), 0x34);
    EXPECT_EQ(BlueOf(0x80123456), 0x56);
}

TEST(GdiplusValues, ColorToARGBSwapsRedAndBlueAndMakesItOpaque) {
    EXPECT_EQ(ColorToARGB(0x00F5D8CA), 0xFFCAD8F5u);
    EXPECT_EQ(ColorToARGB(clBlue), 0xFF0000FFu);
    EXPECT_EQ(ColorToARGB(clBlack), 0xFF000000u);
    EXPECT_EQ(ColorToARGB(clWhite), 0xFFFFFFFFu);
}

TEST(GdiplusValues, ColorToARGBResolvesSystemColours) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ColorToARGB(clBtnFace),
              MakeOpaqueARGB(GetRValue(face), GetGValue(face), GetBValue(face)));
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(ColorToARGB(clWindowText),
              MakeOpaqueARGB(GetRValue(text), GetGValue(text), GetBValue(text)));
}

TEST(GdiplusValues, ColorToARGBIgnoresTheTopByteOfAResolvedValue) {
    EXPECT_EQ(ColorToARGB(0x1F123456), 0xFF563412u);
}

TEST(GdiplusValues, NewRectFAndNewPointKeepTheirArguments) {
    const GpRectF r = NewRectF(1.5f, 2.0f, 30.25f, 4.0f);
    EXPECT_FLOAT_EQ(r.X, 1.5f);
    EXPECT_FLOAT_EQ(r.Y, 2.0f);
    EXPECT_FLOAT_EQ(r.Width, 30.25f);
    EXPECT_FLOAT_EQ(r.Height, 4.0f);
    const GpPoint p = NewPoint(-3, 7);
    EXPECT_EQ(p.X, -3);
    EXPECT_EQ(p.Y, 7);
}

TEST(GdiplusValues, VistaOrLaterWhereKernel32HasGetLocaleInfoEx) {
    // Wine presents itself as Windows 10 and exports GetLocaleInfoEx.
    EXPECT_TRUE(IsWindowsVistaOrLater());
}

TEST(GdiplusSessionRecords, StartupAsksForVersionOneWithoutTheBackgroundThread) {
    EXPECT_EQ(startupInput.GdiplusVersion, 1u);
    EXPECT_EQ(static_cast<std::uint32_t>(startupInput.SuppressBackgroundThread), 0xFFFFFFFFu);
    EXPECT_EQ(startupInput.SuppressExternalCodecs, FALSE);
    EXPECT_EQ(startupInput.DebugEventCallback, nullptr);
}

int shutdowns = 0;
void WINAPI CountingShutdown(ULONG_PTR) {
    ++shutdowns;
}

TEST(GdiplusSessionRecords, OnlyTheOutermostSessionShutsGdiplusDown) {
    ASSERT_TRUE(GdiplusSession::Active());
    auto& entry = Gdip().GdiplusShutdown;
    const auto saved = entry;
    entry = &CountingShutdown;
    shutdowns = 0;
    { GdiplusSession inner; }
    entry = saved;
    EXPECT_EQ(shutdowns, 0);
    EXPECT_TRUE(GdiplusSession::Active());
}

TEST(GdiplusSessionRecords, ThisCodeIsPartOfTheProgramNotALibrary) {
    EXPECT_FALSE(IsLibraryModule());
}

} // namespace
} // namespace plaxor::test
