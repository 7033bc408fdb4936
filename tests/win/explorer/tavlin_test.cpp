// The info tips, asked for as the shell asks: IPersistFile::Load with the
// file's name, then IQueryInfo::GetInfoTip, on real files.
#include <gtest/gtest.h>

#include "tests/win/explorer/ExplorerTestSupport.h"
#include "main/bar/InfoTipText.h"
#include "framework/win32/WideText.h"

using namespace bar;

namespace {

const CLSID kTavlin = {0x7090FC40, 0x6315, 0x11D4, {0xB1, 0x9B, 0x00, 0x40, 0x05, 0x2E, 0xF5, 0xD0}};

struct Tip {
    HRESULT hr;
    std::string text;  // as ANSI
    std::size_t units; // UTF-16 units before the terminator
};

class TavlinTest : public ::testing::Test {
protected:
    TavlinTest() : library(DistFile("Tavlin.dll")) {}

    Tip TipOf(const std::string& path) {
        ComPtr<IPersistFile> file;
        EXPECT_EQ(S_OK, CreateFromLibrary(library, kTavlin, IID_IPersistFile, file));
        const std::wstring name = WideFromAnsi(path);
        EXPECT_EQ(S_OK, file->Load(name.c_str(), STGM_READ));
        ComPtr<IQueryInfo> info;
        EXPECT_EQ(S_OK, file->QueryInterface(IID_IQueryInfo, info.ReceiveVoid()));
        PWSTR text = reinterpret_cast<PWSTR>(1);
        Tip tip{info->GetInfoTip(QITIPF_DEFAULT, &text), "", 0};
        if (tip.hr == S_OK) {
            tip.text = AnsiFromWide(text);
            tip.units = wcslen(text);
            CoTaskMemFree(text);
        } else {
            EXPECT_EQ(nullptr, text);
        }
        return tip;
    }

    TempDir files;
    Library library;
};

TEST_F(TavlinTest, TextAndWebPages) {
    const std::string thousand = [] {
        std::string s;
        for (int i = 0; i < 1000; ++i) s += static_cast<char>('a' + i % 26);
        return s;
    }();
    struct Case {
        const char* name;
        std::string content;
        HRESULT hr;
        std::string tip;
    };
    const Case cases[] = {
        {"thousand.txt", thousand, S_OK, thousand.substr(0, 255)},
        {"zero-first.txt", std::string("\0abc", 4), E_NOTIMPL, ""},
        {"zero-inside.txt", std::string("abc\0def", 7), S_OK, "abc"},
        {"empty.txt", "", E_NOTIMPL, ""},
        {"FILE.TXT", "Upper case name", S_OK, "Upper case name"},
        {"lines.txt", "one\r\ntwo\r\n", S_OK, "one\r\ntwo\r\n"},
        {"accent.txt", "caf\xE9", S_OK, "caf\xE9"},
        {"Page.HTML", "<title>Title</title><p>Hello &amp; good&nbsp;bye", S_OK,
         "<<Title>>\r\n\r\n\r\n\r\nHello & good bye"},
        {"links.htm", "<a href=\"x.htm\">Home</a> page", S_OK, "Home page"},
        // Markup that leaves only white space is no text.
        {"markup.htm", "<html><head><style>p { color: red }</style></head><body><br></body></html>", E_NOTIMPL, ""},
        {"blank.html", "<p>&nbsp;\t<table><tr><td> </td></tr></table>", E_NOTIMPL, ""},
        {"only-markup.htm", "<html><head><script>var a = \"</b>\";</script></head><body></body></html>", E_NOTIMPL,
         ""},
        {"joined.html", "first\r\nsecond", S_OK, "firstsecond"},
        {"long.htm", "<p>" + std::string(1000, 'b'), S_OK, "\r\n\r\n" + std::string(765, 'b')},
        {"zero-inside.htm", std::string("<b>bold</b>\0<p>after", 20), S_OK, "bold"},
        {"other.doc", "not a kind with a tip", S_OK, ""},
        {"noext", "no extension", S_OK, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(files.File(c.name), c.content);
        const Tip tip = TipOf(files.File(c.name));
        EXPECT_EQ(c.hr, tip.hr);
        EXPECT_EQ(c.tip, tip.text);
    }
}

TEST_F(TavlinTest, MissingFiles) {
    struct Case {
        const char* name;
        HRESULT hr;
    };
    for (const Case& c : {Case{"gone.txt", E_NOTIMPL}, Case{"gone.html", E_NOTIMPL}, Case{"gone.exe", E_NOTIMPL},
                          Case{"gone.zip", S_OK}, Case{"gone.bin", S_OK}}) {
        SCOPED_TRACE(c.name);
        const Tip tip = TipOf(files.File(c.name));
        EXPECT_EQ(c.hr, tip.hr);
        EXPECT_EQ("", tip.text);
    }
}

TEST_F(TavlinTest, ZipArchivesMadeByInfoZip) {
    auto entries = [](int from, int to) {
        std::string list;
        for (int i = from; i <= to; ++i) {
            char name[32];
            wsprintfA(name, "entry%02d.txt\r\n", i);
            list += name;
        }
        return list;
    };
    const std::string longName = std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(94, 'c') + ".txt";
    struct Case {
        const char* name;
        std::string tip;
    };
    const Case cases[] = {
        {"three.zip", "alpha.txt\r\nbeta.htm\r\ngamma.dll"},
        {"twentyfive.zip", entries(1, 20) + "..."},
        {"twenty.zip", entries(1, 20) + "..."},
        {"descriptor.zip", "alpha.txt\r\nbeta.htm\r\ngamma.dll"},
        {"piped.zip", "-"},
        {"empty.zip", ""},
        {"longname.zip", longName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Tip tip = TipOf(TestDataFile(std::string("explorer/") + c.name));
        EXPECT_EQ(S_OK, tip.hr);
        EXPECT_EQ(c.tip, tip.text);
    }
    // The same in upper case, and a copy of an archive under another name.
    ASSERT_TRUE(CopyFileA(TestDataFile("explorer/three.zip").c_str(), files.File("COPY.ZIP").c_str(), FALSE));
    EXPECT_EQ("alpha.txt\r\nbeta.htm\r\ngamma.dll", TipOf(files.File("COPY.ZIP")).text);
    // Not an archive at all.
    WriteFileBytes(files.File("fake.zip"), "plain text");
    const Tip fake = TipOf(files.File("fake.zip"));
    EXPECT_EQ(S_OK, fake.hr);
    EXPECT_EQ("", fake.text);
}

TEST_F(TavlinTest, ProgramsAndLibraries) {
    const Tip ours = TipOf(MenuFolderFile("Pelmit.dll"));
    EXPECT_EQ(S_OK, ours.hr);
    EXPECT_EQ("Recording stand-in of the split and join library", ours.text);
    EXPECT_EQ(ours.text.size(), ours.units);
    // The stand-in of the archive library has no version resource.
    EXPECT_EQ(E_NOTIMPL, TipOf(MenuFolderFile("Compress.dll")).hr);
    // Wine's notepad carries none either; its system libraries do.
    EXPECT_EQ(E_NOTIMPL, TipOf(SystemFolder() + "notepad.exe").hr);
    for (const char* name : {"shell32.dll", "kernel32.dll", "regsvr32.exe"}) {
        SCOPED_TRACE(name);
        const Tip tip = TipOf(SystemFolder() + name);
        EXPECT_EQ(S_OK, tip.hr);
        EXPECT_FALSE(tip.text.empty());
        EXPECT_EQ(GetVersionString(SystemFolder() + name, "FileDescription"), tip.text);
    }
    // A text file named like a program.
    WriteFileBytes(files.File("text.exe"), "MZ but nothing more");
    EXPECT_EQ(E_NOTIMPL, TipOf(files.File("text.exe")).hr);
}

TEST_F(TavlinTest, TheOtherMethodsAreNotImplemented) {
    ComPtr<IPersistFile> file;
    ASSERT_EQ(S_OK, CreateFromLibrary(library, kTavlin, IID_IPersistFile, file));
    ComPtr<IQueryInfo> info;
    ASSERT_EQ(S_OK, file->QueryInterface(IID_IQueryInfo, info.ReceiveVoid()));
    CLSID clsid;
    DWORD flags = 0;
    LPOLESTR current = nullptr;
    EXPECT_EQ(E_NOTIMPL, file->GetClassID(&clsid));
    EXPECT_EQ(E_NOTIMPL, file->IsDirty());
    EXPECT_EQ(E_NOTIMPL, file->Save(L"x.txt", TRUE));
    EXPECT_EQ(E_NOTIMPL, file->SaveCompleted(L"x.txt"));
    EXPECT_EQ(E_NOTIMPL, file->GetCurFile(&current));
    EXPECT_EQ(E_NOTIMPL, info->GetInfoFlags(&flags));
    EXPECT_EQ(E_POINTER, info->GetInfoTip(0, nullptr));
    // Before any Load there is no name, hence no kind and an empty tip.
    PWSTR text = nullptr;
    ASSERT_EQ(S_OK, info->GetInfoTip(0, &text));
    EXPECT_EQ(L'\0', text[0]);
    CoTaskMemFree(text);
}

}  // namespace
