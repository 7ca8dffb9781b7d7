// TAdvHintInfo: carried, copied and owned, never replaced.
#include <gtest/gtest.h>

#include "SampleImages.h"
#include "framework/Strings.h"
#include "gdiplus/AdvHintInfo.h"

namespace plaxor::test {
namespace {

void Fill(TAdvHintInfo& hint, const ByteVector& png) {
    hint.SetTitle(L"Disable");
    hint.Notes()->Add(L"one");
    hint.Notes()->Add(L"two");
    hint.SetShowHelp(true);
    TMemoryStream in(png);
    hint.Picture()->LoadImage(in);
}

TEST(AdvHintInfo, ANewRecordIsBlank) {
    TAdvHintInfo hint;
    EXPECT_TRUE(hint.Title().empty());
    EXPECT_EQ(hint.Notes()->Count(), 0);
    EXPECT_TRUE(hint.Picture()->IsEmpty());
    EXPECT_FALSE(hint.ShowHelp());
}

TEST(AdvHintInfo, CopyingTakesEveryValueIntoItsOwnObjects) {
    const ByteVector png = MakePng(PixelImage(6, 4, 0xFF123456));
    TAdvHintInfo source;
    Fill(source, png);
    TAdvHintInfo target;
    TStrings* notes = target.Notes();
    TGDIPPicture* picture = target.Picture();
    target.CopyFrom(&source);
    EXPECT_EQ(target.Title(), L"Disable");
    EXPECT_EQ(target.Notes()->Text(), L"one\r\ntwo");
    EXPECT_TRUE(target.ShowHelp());
    EXPECT_EQ(target.Picture()->ImageData().Bytes(), png);
    EXPECT_EQ(target.Picture()->ImageWidth(), 6);
    // The owned list and picture stay in place, apart from the source's.
    EXPECT_EQ(target.Notes(), notes);
    EXPECT_EQ(target.Picture(), picture);
    EXPECT_NE(target.Picture(), source.Picture());
    source.Picture()->CopyFrom(nullptr);
    EXPECT_EQ(target.Picture()->ImageData().Bytes(), png);
}

TEST(AdvHintInfo, CopyingRaisesThePicturesOwnChange) {
    TAdvHintInfo source;
    Fill(source, MakePng(PixelImage(6, 4, 0xFF123456)));
    TAdvHintInfo target;
    int changes = 0;
    target.Picture()->OnChange = [&](TObject*) { ++changes; };
    target.CopyFrom(&source);
    EXPECT_EQ(changes, 1);
}

TEST(AdvHintInfo, NilAndOtherClassesLeaveItUnchangedWithoutError) {
    const ByteVector png = MakePng(PixelImage(6, 4, 0xFF123456));
    TAdvHintInfo hint;
    Fill(hint, png);
    TStringList other;
    other.Add(L"not a hint");
    EXPECT_NO_THROW(hint.CopyFrom(nullptr));
    EXPECT_NO_THROW(hint.CopyFrom(&other));
    EXPECT_EQ(hint.Title(), L"Disable");
    EXPECT_EQ(hint.Notes()->Count(), 2);
    EXPECT_TRUE(hint.ShowHelp());
    EXPECT_EQ(hint.Picture()->ImageData().Bytes(), png);
    EXPECT_FALSE(hint.Picture()->IsEmpty());
}

TEST(AdvHintInfo, SettingNotesCopiesIntoTheOwnList) {
    TAdvHintInfo hint;
    TStrings* own = hint.Notes();
    TStringList lines;
    lines.Add(L"a");
    lines.Add(L"b");
    lines.Add(L"c");
    hint.SetNotes(&lines);
    EXPECT_EQ(hint.Notes(), own);
    EXPECT_EQ(hint.Notes()->Count(), 3);
    EXPECT_EQ(hint.Notes()->Get(2), L"c");
}

TEST(AdvHintInfo, SettingThePictureCopiesAndNilClears) {
    const ByteVector png = MakePng(PixelImage(6, 4, 0xFF123456));
    TGDIPPicture value;
    TMemoryStream in(png);
    value.LoadImage(in);
    TAdvHintInfo hint;
    TGDIPPicture* own = hint.Picture();
    hint.SetPicture(&value);
    EXPECT_EQ(hint.Picture(), own);
    EXPECT_EQ(hint.Picture()->ImageData().Bytes(), png);
    hint.SetPicture(nullptr);
    EXPECT_TRUE(hint.Picture()->IsEmpty());
}

} // namespace
} // namespace plaxor::test
