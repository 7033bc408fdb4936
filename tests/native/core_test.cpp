#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Exceptions.h"
#include "StrUtils.h"
#include "StringList.h"

TEST(StringList, ReadsAnyLineEndAndWritesCrLf) {
    struct Case {
        std::string in;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"\r\n", {""}},
    };
    for (const auto& c : cases) {
        TStringList l;
        l.SetText(c.in);
        EXPECT_EQ(l.Items(), c.lines) << c.in;
    }
    TStringList l;
    l.Add("x");
    l.Add("");
    l.Add("y");
    EXPECT_EQ(l.Text(), "x\r\n\r\ny\r\n");
}

TEST(StringList, IndexingOutsideTheListRaises) {
    TStringList l;
    l.Add("a");
    EXPECT_THROW(l[1], EListError);
    EXPECT_THROW(l.Delete(-1), EListError);
    l.Insert(1, "end");
    l.Insert(0, "start");
    EXPECT_EQ(l.Items(), (std::vector<std::string>{"start", "a", "end"}));
    EXPECT_EQ(l.IndexOf("A"), -1);
    EXPECT_EQ(l.IndexOfText("A"), 1);
}

TEST(StringList, FilesRoundTripAndMissingFilesRaise) {
    const std::string path = testing::TempDir() + "mivora_core_list.txt";
    TStringList l;
    l.Add("c:\\one");
    l.Add("c:\\two");
    l.SaveToFile(path);
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Items(), l.Items());
    std::remove(path.c_str());
    EXPECT_THROW(back.LoadFromFile(path), EFOpenError);
    EXPECT_THROW(l.SaveToFile(testing::TempDir() + "no/such/dir/x.txt"), EFCreateError);
}

TEST(StrUtils, IntegersParseStrictlyWithinRange) {
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("+7"), 7);
    for (const char* bad : {"", "-", "4x", "2147483648", "1 2", "0x10"}) {
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
        EXPECT_EQ(StrToIntDef(bad, -9), -9) << bad;
    }
    try {
        StrToInt("abc");
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(UpperCaseAscii("ab\xE9z"), "AB\xE9Z");
    EXPECT_TRUE(SameTextAscii("Notes.LNK", "notes.lnk"));
    EXPECT_EQ(IncludeTrailingBackslash("c:\\x"), "c:\\x\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "");
}
