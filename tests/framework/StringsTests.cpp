#include "framework/Exception.h"
#include "framework/Strings.h"
#include <gtest/gtest.h>

namespace plaxor {
namespace {

class StringsTest : public testing::Test {
protected:
    void SetUp() override {
        list.OnChange = [this](TObject* sender) {
            ++changes;
            lastSender = sender;
        };
    }
    TStringList list;
    int changes = 0;
    TObject* lastSender = nullptr;
};

TEST_F(StringsTest, SetTextSplitsOnCrLfLfAndCr) {
    list.SetText(L"one\r\ntwo\nthree\rfour");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Get(0), L"one");
    EXPECT_EQ(list.Get(1), L"two");
    EXPECT_EQ(list.Get(2), L"three");
    EXPECT_EQ(list.Get(3), L"four");
}

TEST_F(StringsTest, LfAfterCrIsOneBreakButTwoCrsAreTwo) {
    list.SetText(L"a\r\n\r\rb");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Get(1), L"");
    EXPECT_EQ(list.Get(2), L"");
    EXPECT_EQ(list.Get(3), L"b");
}

TEST_F(StringsTest, TextJoinsWithCrLfWithoutAFinalBreak) {
    list.Add(L"a");
    list.Add(L"b");
    EXPECT_EQ(list.Text(), L"a\r\nb");
}

TEST_F(StringsTest, TextReadsBackEmptyLinesAtBothEnds) {
    const StringList lines = {L"", L"middle", L""};
    list.SetLines(lines);
    TStringList other;
    other.SetText(list.Text());
    EXPECT_EQ(other.Lines(), lines);
}

TEST_F(StringsTest, EmptyTextMeansNoLines) {
    list.Add(L"x");
    list.SetText(L"");
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(StringsTest, EachSingleChangeRaisesOnChangeOnce) {
    list.Add(L"a");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(lastSender, &list);
    list.Insert(0, L"b");
    EXPECT_EQ(changes, 2);
    list.Put(0, L"c");
    EXPECT_EQ(changes, 3);
    list.Delete(1);
    EXPECT_EQ(changes, 4);
    list.Clear();
    EXPECT_EQ(changes, 5);
}

TEST_F(StringsTest, WhatChangesNothingRaisesNothing) {
    list.Add(L"a");
    changes = 0;
    list.Put(0, L"a");
    list.PutObject(0, nullptr);
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(changes, 0);
    list.Clear();
    list.Clear();
    EXPECT_EQ(changes, 1);
}

TEST_F(StringsTest, ChangesInsideNestedUpdatesRaiseOnceAtTheOuterEnd) {
    list.BeginUpdate();
    list.Add(L"a");
    list.BeginUpdate();
    list.Add(L"b");
    list.EndUpdate();
    EXPECT_EQ(changes, 0);
    list.Add(L"c");
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
}

TEST_F(StringsTest, AnUnmatchedEndUpdateDoesNotBreakTheNextUpdate) {
    list.EndUpdate();
    list.BeginUpdate();
    list.Add(L"a");
    EXPECT_EQ(changes, 0);
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
}

TEST_F(StringsTest, SetTextAndSetLinesRaiseOnChangeOnce) {
    list.SetText(L"a\nb\nc");
    EXPECT_EQ(changes, 1);
    list.SetLines({L"x", L"y"});
    EXPECT_EQ(changes, 2);
}

TEST_F(StringsTest, CopyFromTakesLinesAndAttachedObjectsWithOneChange) {
    TStringList source;
    TObject first, second;
    source.AddObject(L"one", &first);
    source.Add(L"two");
    source.AddObject(L"three", &second);
    list.Add(L"old");
    changes = 0;
    list.CopyFrom(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.Lines(), source.Lines());
    EXPECT_EQ(list.Objects(0), &first);
    EXPECT_EQ(list.Objects(1), nullptr);
    EXPECT_EQ(list.Objects(2), &second);
    EXPECT_EQ(source.Count(), 3);
}

TEST_F(StringsTest, CopyFromItselfKeepsTheLines) {
    list.SetLines({L"a", L"b"});
    list.CopyFrom(&list);
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(StringsTest, CopyFromSomethingElseIsAConversionErrorAndChangesNothing) {
    list.Add(L"kept");
    TPersistent other;
    EXPECT_THROW(list.CopyFrom(&other), EConvertError);
    EXPECT_THROW(list.CopyFrom(nullptr), EConvertError);
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(StringsTest, IndexErrorsRaiseAndLeaveTheListAlone) {
    list.Add(L"a");
    changes = 0;
    EXPECT_THROW(list.Get(1), EStringListError);
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_THROW(list.Put(1, L"x"), EStringListError);
    EXPECT_THROW(list.Delete(1), EStringListError);
    EXPECT_THROW(list.Insert(2, L"x"), EStringListError);
    EXPECT_THROW(list.Objects(1), EStringListError);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(changes, 0);
}

TEST_F(StringsTest, IndexErrorNamesTheIndex) {
    try {
        list.Get(7);
        FAIL() << "no error";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), L"List index out of bounds (7)");
    }
}

TEST_F(StringsTest, InsertAtTheEndAppendsAndAddReturnsTheIndex) {
    EXPECT_EQ(list.Add(L"a"), 0);
    list.Insert(1, L"c");
    list.Insert(1, L"b");
    EXPECT_EQ(list.Text(), L"a\r\nb\r\nc");
    TObject tag;
    EXPECT_EQ(list.AddObject(L"d", &tag), 3);
}

TEST_F(StringsTest, IndexOfIgnoresCase) {
    list.SetLines({L"Alpha", L"beta"});
    EXPECT_EQ(list.IndexOf(L"BETA"), 1);
    EXPECT_EQ(list.IndexOf(L"gamma"), -1);
}

TEST_F(StringsTest, StreamsItsLinesOnlyWhenItHasAny) {
    const PropertyInfo* strings = list.Published().Find(L"Strings");
    ASSERT_NE(strings, nullptr);
    EXPECT_FALSE(strings->save(list).has_value());
    list.SetLines({L"a", L"b"});
    EXPECT_EQ(strings->save(list), LayoutValue(StringList{L"a", L"b"}));
}

} // namespace
} // namespace plaxor
