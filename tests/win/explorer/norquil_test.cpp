// The context menu, called as the shell calls it: Initialize with the
// selection, QueryContextMenu, GetCommandString and InvokeCommand, with
// recording stand-ins of the tool libraries beside a copy of the extension.
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/win/support/DialogDriver.h"
#include "tests/win/explorer/ExplorerTestSupport.h"
#include "framework/win32/ScopedHandle.h"

namespace {

const CLSID kNorquil = {0x18D67740, 0x19C0, 0x11D3, {0x9F, 0x2F, 0x00, 0x40, 0x05, 0x2E, 0xCF, 0x0B}};

struct Item {
    std::string text;
    UINT id = 0;
    bool separator = false;
    bool grayed = false;
    HMENU popup = nullptr;
};

std::vector<Item> MenuItems(HMENU menu) {
    std::vector<Item> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        Item item;
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.text = item.separator ? "" : text;
        item.id = info.wID;
        item.grayed = (info.fState & MFS_GRAYED) != 0;
        item.popup = info.hSubMenu;
        items.push_back(item);
    }
    return items;
}

// A menu as the shell builds it, with two items of its own.
class ShellMenu {
public:
    ShellMenu() : menu_(CreatePopupMenu()) {
        AppendMenuA(menu_.Get(), MF_STRING, 1, "Open");
        AppendMenuA(menu_.Get(), MF_STRING, 2, "Properties");
    }
    HMENU Get() const { return menu_.Get(); }

private:
    ScopedMenu menu_;
};

class NorquilTest : public ::testing::Test {
protected:
    NorquilTest() : library(MenuFolderFile("Norquil.dll")) {}

    void SetUp() override {
        log = files.File("tools.log");
        SetEnvironmentVariableA("MIVORA_FAKE_TOOL_LOG", log.c_str());
        CreateDirectoryA(files.File("Folder").c_str(), nullptr);
        for (const char* name : {"doc.txt", "b.txt", "a.ZIP", "x.CAB", "y.zIp", "c.tgz", "p.Lzh", "q.TaR", "r.tar",
                                 "s.Zip", "movie.001"})
            WriteFileBytes(files.File(name), "content");
    }
    void TearDown() override { SetEnvironmentVariableA("MIVORA_FAKE_TOOL_LOG", nullptr); }

    // A new menu object initialised with the data object.
    void Create(IDataObject* data) {
        ASSERT_EQ(S_OK, CreateFromLibrary(library, kNorquil, IID_IShellExtInit, init));
        ASSERT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, menu.ReceiveVoid()));
        ASSERT_EQ(S_OK, init->Initialize(nullptr, data, nullptr));
    }

    std::vector<std::string> Paths(std::initializer_list<const char*> names) {
        std::vector<std::string> paths;
        for (const char* name : names) paths.push_back(files.File(name));
        return paths;
    }

    HRESULT Invoke(UINT command) {
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof info;
        info.lpVerb = MAKEINTRESOURCEA(command);
        info.nShow = SW_SHOWNORMAL;
        return menu->InvokeCommand(&info);
    }

    // A data object that outlives the menu objects holding it.
    DropDataObject& MakeData(std::vector<std::string> paths, bool wide = true,
                             DropDataObject::Freeing freeing = DropDataObject::Freeing::kThroughObject) {
        dataObjects.push_back(std::make_unique<DropDataObject>(std::move(paths), wide, freeing));
        return *dataObjects.back();
    }

    TempDir files;
    std::string log;
    Library library;
    std::vector<std::unique_ptr<DropDataObject>> dataObjects;
    ComPtr<IShellExtInit> init;
    ComPtr<IContextMenu> menu;
};

TEST_F(NorquilTest, FlagsDecideWhetherTheMenuGoesIn) {
    struct Case {
        UINT flags;
        bool added;
    };
    const Case cases[] = {
        {CMF_NORMAL, true},       {CMF_DEFAULTONLY, false}, {CMF_NOVERBS, false},
        {0x14, true},             {0x10000, false},         {CMF_VERBSONLY, true},
        {CMF_EXPLORE, true},      {CMF_CANRENAME, true},    {CMF_DEFAULTONLY | CMF_NOVERBS, false},
        {CMF_NOVERBS | CMF_EXPLORE, true}, {0x10001, false}, {0x20000, true},
    };
    DropDataObject& data = MakeData(Paths({"doc.txt"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        Create(&data);
        ShellMenu shell;
        const HRESULT hr = menu->QueryContextMenu(shell.Get(), 1, 100, 200, c.flags);
        EXPECT_EQ(c.added ? MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5) : MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0), hr);
        EXPECT_EQ(c.added ? 5 : 2, GetMenuItemCount(shell.Get()));
        EXPECT_EQ(0, data.Outstanding());
    }
}

TEST_F(NorquilTest, BuildsThePopupBetweenTwoSeparators) {
    DropDataObject& data = MakeData(Paths({"doc.txt"}));
    Create(&data);
    ShellMenu shell;
    ASSERT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5), menu->QueryContextMenu(shell.Get(), 1, 300, 400, CMF_NORMAL));
    const auto items = MenuItems(shell.Get());
    ASSERT_EQ(5u, items.size());
    EXPECT_EQ("Open", items[0].text);
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ("Mivora accelerator", items[2].text);
    ASSERT_NE(nullptr, items[2].popup);
    EXPECT_TRUE(items[3].separator);
    EXPECT_EQ("Properties", items[4].text);

    const auto popup = MenuItems(items[2].popup);
    ASSERT_EQ(6u, popup.size());
    struct Expected {
        const char* text;
        UINT id;
    };
    const Expected expected[] = {{"Compress", 300},   {"Decompress", 301}, {"Split file", 302},
                                 {"Join files", 303}, {nullptr, 0},        {"Compress and Email", 304}};
    for (std::size_t i = 0; i < popup.size(); ++i) {
        SCOPED_TRACE(i);
        if (expected[i].text == nullptr) {
            EXPECT_TRUE(popup[i].separator);
        } else {
            EXPECT_EQ(expected[i].text, popup[i].text);
            EXPECT_EQ(expected[i].id, popup[i].id);
        }
    }
}

TEST_F(NorquilTest, SelectionDecidesWhichCommandsAreGrayed) {
    struct Case {
        std::initializer_list<const char*> names;
        // Compress, Decompress, Split file, Join files, Compress and Email
        bool enabled[5];
    };
    const Case cases[] = {
        {{"doc.txt"}, {true, false, true, true, true}},
        {{"Folder"}, {true, false, false, false, true}},
        {{"a.ZIP", "b.txt"}, {true, true, false, true, true}},
        {{"x.CAB"}, {true, false, true, false, true}},
        {{"y.zIp"}, {true, false, true, true, true}},
        {{"c.tgz"}, {true, true, true, true, true}},
        {{"p.Lzh"}, {true, true, true, true, true}},
        {{"q.TaR"}, {true, false, true, true, true}},
        {{"r.tar", "s.Zip"}, {true, true, false, true, true}},
        {{"Folder", "x.CAB"}, {true, false, false, false, true}},
        {{"Folder", "doc.txt"}, {true, false, false, true, true}},
        {{"movie.001"}, {true, false, true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.names.begin());
        DropDataObject& data = MakeData(Paths(c.names));
        Create(&data);
        ShellMenu shell;
        ASSERT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5), menu->QueryContextMenu(shell.Get(), 0, 1, 100, 0));
        const auto popup = MenuItems(GetSubMenu(shell.Get(), 1));
        ASSERT_EQ(6u, popup.size());
        const int positions[5] = {0, 1, 2, 3, 5};
        for (int command = 0; command < 5; ++command)
            EXPECT_EQ(!c.enabled[command], popup[positions[command]].grayed) << popup[positions[command]].text;
    }
}

TEST_F(NorquilTest, TheShellsOwnDataObjectWorks) {
    ComPtr<IDataObject> data;
    ASSERT_EQ(S_OK, ShellDataObject(files.Path(), {"a.ZIP", "Folder"}, data));
    Create(data.Get());
    ShellMenu shell;
    ASSERT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5), menu->QueryContextMenu(shell.Get(), 0, 1, 100, 0));
    const auto popup = MenuItems(GetSubMenu(shell.Get(), 1));
    ASSERT_EQ(6u, popup.size());
    EXPECT_FALSE(popup[1].grayed);  // an archive
    EXPECT_TRUE(popup[2].grayed);   // two items
    EXPECT_FALSE(popup[3].grayed);  // a file, no cabinet

    DeleteFileA(log.c_str());
    EXPECT_EQ(S_OK, Invoke(1));
    const auto calls = ReadToolLog(log);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ("UnPackFile", calls[0].exportName);
    ASSERT_EQ(2u, calls[0].files.size());
    EXPECT_TRUE(SameTextAscii(files.File("a.ZIP"), calls[0].files[0])) << calls[0].files[0];
    EXPECT_TRUE(SameTextAscii(files.File("Folder"), calls[0].files[1])) << calls[0].files[1];
}

TEST_F(NorquilTest, TooFewCommandIdentifiersAddNothing) {
    struct Case {
        UINT first, last;
        bool added;
    };
    const Case cases[] = {{100, 103, false}, {100, 104, true}, {100, 100, false}, {100, 99, false}, {0, 4, true}};
    DropDataObject& data = MakeData(Paths({"doc.txt"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        Create(&data);
        ShellMenu shell;
        const HRESULT hr = menu->QueryContextMenu(shell.Get(), 0, c.first, c.last, CMF_NORMAL);
        EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, c.added ? 5 : 0), hr);
        EXPECT_EQ(c.added ? 5 : 2, GetMenuItemCount(shell.Get()));
    }
}

TEST_F(NorquilTest, WithoutASelectionTheCallsFail) {
    Create(nullptr);
    ShellMenu shell;
    EXPECT_EQ(E_FAIL, menu->QueryContextMenu(shell.Get(), 0, 1, 100, CMF_NORMAL));
    EXPECT_EQ(2, GetMenuItemCount(shell.Get()));
    EXPECT_EQ(E_FAIL, Invoke(0));

    DropDataObject& data = MakeData(Paths({"doc.txt"}));
    data.failGetData = true;
    Create(&data);
    EXPECT_EQ(E_FAIL, menu->QueryContextMenu(shell.Get(), 0, 1, 100, CMF_NORMAL));
    EXPECT_EQ(2, GetMenuItemCount(shell.Get()));
    DeleteFileA(log.c_str());
    EXPECT_EQ(E_FAIL, Invoke(0));
    EXPECT_TRUE(ReadToolLog(log).empty());
}

TEST_F(NorquilTest, InitializeHoldsOneReferenceToTheLatestDataObject) {
    DropDataObject& first = MakeData(Paths({"doc.txt"}));
    DropDataObject& second = MakeData(Paths({"b.txt"}));
    Create(&first);
    EXPECT_EQ(2u, first.RefCount());
    ASSERT_EQ(S_OK, init->Initialize(nullptr, &second, nullptr));
    EXPECT_EQ(1u, first.RefCount());
    EXPECT_EQ(2u, second.RefCount());
    ASSERT_EQ(S_OK, init->Initialize(nullptr, nullptr, nullptr));
    EXPECT_EQ(1u, second.RefCount());
    ASSERT_EQ(S_OK, init->Initialize(nullptr, &second, nullptr));
    init.Reset();
    menu.Reset();
    EXPECT_EQ(1u, second.RefCount());
}

TEST_F(NorquilTest, CommandStrings) {
    DropDataObject& data = MakeData(Paths({"doc.txt"}));
    Create(&data);
    struct Case {
        UINT_PTR command;
        UINT type;
        UINT size;
        const char* expected;  // nullptr: the buffer stays as it was
    };
    const Case cases[] = {
        {0, GCS_HELPTEXTA, 64, "New menu item number 1"},
        {3, GCS_HELPTEXTA, 64, "New menu item number 4"},
        {1, GCS_VERBA, 64, "New menu item number 2"},
        {2, GCS_HELPTEXTA, 10, "New menu "},
        {2, GCS_HELPTEXTA, 1, ""},
        {4, GCS_HELPTEXTA, 64, nullptr},
        {7, GCS_HELPTEXTA, 64, nullptr},
        {0, GCS_VALIDATEA, 64, nullptr},
        {0, GCS_HELPTEXTW, 64, "New menu item number 1"},
        {3, GCS_VERBW, 64, "New menu item number 4"},
        {1, GCS_HELPTEXTW, 10, "New menu "},
        {4, GCS_HELPTEXTW, 64, nullptr},
        {0, GCS_VALIDATEW, 64, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command * 100 + c.type);
        const bool wide = (c.type & GCS_UNICODE) != 0;
        union {
            char a[256];
            wchar_t w[128];
        } buffer;
        memset(&buffer, 0x5A, sizeof buffer);
        EXPECT_EQ(S_OK, menu->GetCommandString(c.command, c.type, nullptr, buffer.a, c.size));
        if (c.expected == nullptr) {
            for (unsigned char byte : buffer.a) ASSERT_EQ(0x5A, byte);
        } else if (wide) {
            std::wstring expected(c.expected, c.expected + strlen(c.expected));
            EXPECT_EQ(expected, std::wstring(buffer.w));
            EXPECT_EQ(0x5A5A, static_cast<unsigned short>(buffer.w[c.size]));
        } else {
            EXPECT_EQ(c.expected, std::string(buffer.a));
            EXPECT_EQ(0x5A, static_cast<unsigned char>(buffer.a[c.size]));
        }
    }
    EXPECT_EQ(S_OK, menu->GetCommandString(0, GCS_HELPTEXTA, nullptr, nullptr, 64));
}

TEST_F(NorquilTest, CommandsCallTheToolLibrariesWithAPrivateList) {
    struct Case {
        UINT command;
        const char* library;
        const char* exportName;
    };
    const Case cases[] = {
        {0, "Compress.dll", "PackFiles"},
        {1, "Compress.dll", "UnPackFile"},
        {2, "Pelmit.dll", "SegmentFile"},
        {3, "Pelmit.dll", "JoinFiles"},
        {4, "Compress.dll", "CompressAndSendFiles"},
    };
    for (bool wide : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.exportName) + (wide ? " wide" : " ansi"));
            DropDataObject& data = MakeData(Paths({"doc.txt", "a.ZIP", "Folder"}), wide);
            Create(&data);
            DeleteFileA(log.c_str());
            EXPECT_EQ(S_OK, Invoke(c.command));
            const auto calls = ReadToolLog(log);
            ASSERT_EQ(1u, calls.size());
            EXPECT_EQ(c.library, calls[0].library);
            EXPECT_EQ(c.exportName, calls[0].exportName);
            EXPECT_TRUE(SameTextAscii(MenuFolderFile(c.library), calls[0].modulePath)) << calls[0].modulePath;
            EXPECT_EQ(Paths({"doc.txt", "a.ZIP", "Folder"}), calls[0].files);
            // The library got a copy of its own, and the shell's medium went back.
            void* handle = nullptr;
            sscanf(calls[0].handle.c_str(), "%p", &handle);
            for (HGLOBAL block : data.Blocks()) EXPECT_NE(block, handle);
            EXPECT_EQ(0, data.Outstanding());
            // Whoever had to, freed the copy: the export itself or the menu.
            EXPECT_EQ(0u, GlobalSize(static_cast<HGLOBAL>(handle)));
        }
    }
}

TEST_F(NorquilTest, VerbsByNameAndUnknownIndexesCallNothing) {
    DropDataObject& data = MakeData(Paths({"doc.txt"}));
    Create(&data);
    DeleteFileA(log.c_str());
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    for (const char* verb : {"PackFiles", "Compress", "open"}) {
        info.lpVerb = verb;
        EXPECT_EQ(S_OK, menu->InvokeCommand(&info));
    }
    for (UINT index : {5u, 6u, 100u, 0xFFFFu}) EXPECT_EQ(S_OK, Invoke(index));
    EXPECT_TRUE(ReadToolLog(log).empty());
    EXPECT_EQ(0, data.Outstanding());
    EXPECT_EQ(7, data.getDataCalls);
}

TEST_F(NorquilTest, MediaWithoutAReleaserAreFreedToo) {
    DropDataObject& data = MakeData(Paths({"doc.txt"}), true, DropDataObject::Freeing::kGlobalFree);
    Create(&data);
    ShellMenu shell;
    ASSERT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5), menu->QueryContextMenu(shell.Get(), 0, 1, 100, 0));
    DeleteFileA(log.c_str());
    ASSERT_EQ(S_OK, Invoke(1));
    ASSERT_EQ(2u, data.Blocks().size());
    for (HGLOBAL block : data.Blocks()) EXPECT_EQ(0u, GlobalSize(block));
    EXPECT_EQ(1u, ReadToolLog(log).size());
}

// A library of the same name in the current folder is never the one loaded.
TEST_F(NorquilTest, LibrariesComeFromTheExtensionsOwnFolder) {
    TempDir planted;
    ASSERT_TRUE(CopyFileA(MenuFolderFile("Compress.dll").c_str(), planted.File("Compress.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(MenuFolderFile("Pelmit.dll").c_str(), planted.File("Pelmit.dll").c_str(), FALSE));
    char previous[MAX_PATH + 1];
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(planted.Path().c_str()));
    DropDataObject& data = MakeData(Paths({"doc.txt"}));
    Create(&data);
    DeleteFileA(log.c_str());
    EXPECT_EQ(S_OK, Invoke(0));
    EXPECT_EQ(S_OK, Invoke(2));
    SetCurrentDirectoryA(previous);
    const auto calls = ReadToolLog(log);
    ASSERT_EQ(2u, calls.size());
    for (const auto& call : calls)
        EXPECT_TRUE(SameTextAscii(MenuFolderFile(call.library), call.modulePath)) << call.modulePath;
}

// Every entry writes a line for a debugger watching the shell.
TEST(NorquilAlone, DebugLinesNameClassAndMethod) {
    TempDir files;
    WriteFileBytes(files.File("doc.txt"), "x");
    DropDataObject data({files.File("doc.txt")});
    DebugCapture debug;
    {
        auto library = std::make_unique<Library>(MenuFolderFile("Norquil.dll"));
        // A fresh copy shows the library entry's lines on load and unload.
        TempDir copyDir;
        ASSERT_TRUE(CopyFileA((MenuFolderFile("Norquil.dll")).c_str(), copyDir.File("Norquil.dll").c_str(), FALSE));
        debug.Take();
        {
            Library copy(copyDir.File("Norquil.dll"));
            EXPECT_EQ("In DLLMain, DLL_PROCESS_ATTACH\r\n", debug.Take());
        }
        EXPECT_EQ("In DLLMain, DLL_PROCESS_DETACH\r\n", debug.Take());

        ComPtr<IClassFactory> factory;
        ASSERT_EQ(S_OK, library->GetClassObject(kNorquil, IID_IClassFactory, factory.ReceiveVoid()));
        EXPECT_EQ("In DllGetClassObject\r\nCOmbrelClassFactory::COmbrelClassFactory()\r\n"
                  "COmbrelClassFactory::QueryInterface()\r\n",
                  debug.Take());
        EXPECT_EQ(S_FALSE, library->CanUnloadNow());
        EXPECT_EQ("In DLLCanUnloadNow\r\n", debug.Take());
        ComPtr<IShellExtInit> init;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IShellExtInit, init.ReceiveVoid()));
        const std::string created = debug.Take();
        EXPECT_EQ(0u, created.find("COmbrelClassFactory::CreateInstance()\r\nCOmbrel::COmbrel()\r\n")) << created;
        EXPECT_NE(std::string::npos, created.find("COmbrel::QueryInterface()==>IID_IShellExtInit\r\n")) << created;

        ComPtr<IContextMenu> menu;
        ASSERT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, menu.ReceiveVoid()));
        EXPECT_EQ("COmbrel::QueryInterface()==>IID_IContextMenu\r\nCOmbrel::AddRef()\r\n", debug.Take());
        void* none = nullptr;
        EXPECT_EQ(E_NOINTERFACE, init->QueryInterface(IID_IQueryInfo, &none));
        EXPECT_EQ("COmbrel::QueryInterface()==>Unknown Interface!\r\n", debug.Take());
        ASSERT_EQ(S_OK, init->Initialize(nullptr, &data, nullptr));
        EXPECT_EQ("COmbrel::Initialize()\r\n", debug.Take());

        struct Case {
            UINT flags;
            const char* lines;
        };
        const Case cases[] = {
            {CMF_NORMAL, "CMF_NORMAL...\r\n"},
            {0x14, "CMF_NORMAL...\r\n"},
            {0x10000, "CMF_NORMAL...\r\n"},
            {CMF_DEFAULTONLY, "CMF_DEFAULTONLY...\r\n"},
            {CMF_DEFAULTONLY | CMF_NOVERBS, "CMF_DEFAULTONLY...\r\n"},
            {CMF_NOVERBS, "CMF_default...\r\nuFlags==>8\r\n"},
            {CMF_NOVERBS | 0x100, "CMF_default...\r\nuFlags==>264\r\n"},
        };
        for (const Case& c : cases) {
            ShellMenu shell;
            menu->QueryContextMenu(shell.Get(), 0, 1, 100, c.flags);
            EXPECT_EQ(std::string("COmbrel::QueryContextMenu()\r\n") + c.lines, debug.Take()) << c.flags;
        }
        char help[64];
        menu->GetCommandString(0, GCS_HELPTEXTA, nullptr, help, sizeof help);
        EXPECT_EQ("COmbrel::GetCommandString()\r\n", debug.Take());
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof info;
        info.lpVerb = "open";
        menu->InvokeCommand(&info);
        EXPECT_EQ("COmbrel::InvokeCommand()\r\n", debug.Take());
        menu.Reset();
        EXPECT_EQ("COmbrel::Release()\r\n", debug.Take());
        init.Reset();
        factory.Reset();
        debug.Take();
        library.reset();
    }
}

TEST(NorquilAlone, MissingToolLibrariesAreSilentlySkipped) {
    TempDir folder;
    ASSERT_TRUE(CopyFileA((MenuFolderFile("Norquil.dll")).c_str(), folder.File("Norquil.dll").c_str(), FALSE));
    TempDir files;
    const std::string log = files.File("tools.log");
    SetEnvironmentVariableA("MIVORA_FAKE_TOOL_LOG", log.c_str());
    WriteFileBytes(files.File("doc.txt"), "x");
    {
        Library library(folder.File("Norquil.dll"));
        ComPtr<IContextMenu> menu;
        ASSERT_EQ(S_OK, CreateFromLibrary(library, kNorquil, IID_IContextMenu, menu));
        ComPtr<IShellExtInit> init;
        ASSERT_EQ(S_OK, menu->QueryInterface(IID_IShellExtInit, init.ReceiveVoid()));
        DropDataObject data({files.File("doc.txt")});
        ASSERT_EQ(S_OK, init->Initialize(nullptr, &data, nullptr));
        for (UINT command = 0; command < 5; ++command) {
            CMINVOKECOMMANDINFO info{};
            info.cbSize = sizeof info;
            info.lpVerb = MAKEINTRESOURCEA(command);
            EXPECT_EQ(S_OK, menu->InvokeCommand(&info));
        }
        EXPECT_EQ(0, data.Outstanding());
        init.Reset();
        menu.Reset();
        EXPECT_EQ(S_OK, library.CanUnloadNow());
    }
    SetEnvironmentVariableA("MIVORA_FAKE_TOOL_LOG", nullptr);
    EXPECT_TRUE(ReadToolLog(log).empty());
}

// "Compress" from the shipped folder: the extension finds the real archive
// library beside itself, whose pack dialog packs the shell's selection.
TEST(NorquilWithTheSuite, CompressPacksTheSelectionThroughTheArchiveLibrary) {
    TempDir files;
    CreateDirectoryA(files.File("Folder").c_str(), nullptr);
    CreateDirectoryA(files.File("Folder\\sub").c_str(), nullptr);
    WriteFileBytes(files.File("Folder\\sub\\deep.txt"), "deep");
    WriteFileBytes(files.File("doc.txt"), "content");
    // The ZIP tab, with paths.
    const DWORD zipTab = 2, withPaths = 1;
    SHSetValueA(HKEY_CURRENT_USER, "Software\\Tamsel\\Compress\\Pack", "CurSel", REG_DWORD, &zipTab, sizeof zipTab);
    SHSetValueA(HKEY_CURRENT_USER, "Software\\Tamsel\\Compress\\Zip", "Path", REG_DWORD, &withPaths, sizeof withPaths);
    Library library(DistFile("Norquil.dll"));
    ComPtr<IContextMenu> menu;
    ASSERT_EQ(S_OK, CreateFromLibrary(library, kNorquil, IID_IContextMenu, menu));
    ComPtr<IShellExtInit> init;
    ASSERT_EQ(S_OK, menu->QueryInterface(IID_IShellExtInit, init.ReceiveVoid()));
    ComPtr<IDataObject> data;
    ASSERT_EQ(S_OK, ShellDataObject(files.Path(), {"doc.txt", "Folder"}, data));
    ASSERT_EQ(S_OK, init->Initialize(nullptr, data.Get(), nullptr));
    ShellMenu shell;
    ASSERT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5), menu->QueryContextMenu(shell.Get(), 0, 1, 100, 0));
    const auto failures = RunDriven(
        [&] {
            CMINVOKECOMMANDINFO info{};
            info.cbSize = sizeof info;
            info.lpVerb = MAKEINTRESOURCEA(0);
            EXPECT_EQ(S_OK, menu->InvokeCommand(&info));
        },
        [&](DialogDriver& d) {
            HWND dialog = d.Expect(L"Compression");
            if (!dialog) return;
            if (d.AnsiText(dialog, 3004) != files.File("doc")) d.Fail("archive " + d.AnsiText(dialog, 3004));
            d.Click(dialog, IDOK);
            if (!d.WaitGone(dialog, 60000)) d.Fail("the pack dialog stayed");
        });
    for (const std::string& f : failures) ADD_FAILURE() << f;
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tamsel\\Compress");
    // The folder went in with its subfolder.
    const std::string zip = ReadFileBytes(files.File("doc.zip"));
    EXPECT_NE(zip.find("Folder/sub/deep.txt"), std::string::npos);
    EXPECT_NE(zip.find("doc.txt"), std::string::npos);
}

}  // namespace
