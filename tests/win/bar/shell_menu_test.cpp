// Shell-folder menus against temporary folders: order, the 400 cap, lazy
// filling, folders only, a folder without an item-id list, and opening a file.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/bar/BarFixture.h"
#include "framework/win32/ScopedHandle.h"
#include "main/bar/ShellMenus.h"
#include "main/bar/mainfrm.h"

using namespace bar;

namespace {

class ShellMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        AttachSystemImageList(images_);
        host_.owner = Application->Handle();
        host_.images = &images_;
        OpenMenuKind = 0;
        NetFoldersOnly = ExplorerFoldersOnly = QuickFoldersOnly = false;
    }
    void TearDown() override {
        OpenMenuKind = 0;
        ExplorerFoldersOnly = false;
    }
    std::string Folder(const std::string& name) {
        const std::string p = dir_.File(name);
        CreateDirectoryA(p.c_str(), nullptr);
        return p;
    }
    void Fill(const std::string& path, TMenuItem* parent = nullptr) {
        ScopedIdList list(PathToIdList(path));
        ASSERT_NE(list.Get(), nullptr) << path;
        FillShellMenu(host_, list.Get(), parent, parent ? nullptr : &menu_);
    }
    static std::vector<std::string> Captions(TMenuItem* item) {
        std::vector<std::string> out;
        for (int i = 0; i < item->Count(); ++i)
            if (item->Items(i)->Visible) out.push_back(item->Items(i)->Caption);
        return out;
    }

    TempDir dir_;
    TImageList images_{nullptr};
    TPopupMenu menu_{nullptr};
    ShellMenuHost host_;
};

TEST_F(ShellMenuTest, FoldersComeFirstInReverseThenTheOtherObjects) {
    const std::string root = Folder("tree");
    for (const char* f : {"a", "b", "c"}) Folder("tree\\" + std::string(f));
    for (const char* f : {"x.txt", "y.txt"}) WriteFileBytes(root + "\\" + f, "x");
    Fill(root);
    TMenuItem* top = menu_.Items();
    ASSERT_EQ(top->Count(), 5);
    const std::vector<std::string> captions = Captions(top);
    EXPECT_EQ(std::vector<std::string>(captions.begin(), captions.begin() + 3), (std::vector<std::string>{"c", "b", "a"}));
    for (int i = 0; i < 5; ++i) {
        TMenuItem* item = top->Items(i);
        EXPECT_NE(ItemIdList(item), nullptr) << item->Caption;
        EXPECT_GE(item->ImageIndex, 0) << item->Caption;
        // A folder shows as a submenu through one placeholder child.
        EXPECT_EQ(item->Count(), i < 3 ? 1 : 0) << item->Caption;
    }
    EXPECT_EQ(captions[3].substr(0, 1), "x");
    EXPECT_EQ(captions[4].substr(0, 1), "y");
    EXPECT_EQ(IdListToPath(ItemIdList(top->Items(3))), root + "\\x.txt");
}

TEST_F(ShellMenuTest, AFolderFillsOnceWhenItOpens) {
    const std::string root = Folder("tree");
    Folder("tree\\empty");
    const std::string full = Folder("tree\\full");
    WriteFileBytes(full + "\\one.txt", "1");
    Fill(root);
    TMenuItem* top = menu_.Items();
    ASSERT_EQ(Captions(top), (std::vector<std::string>{"full", "empty"}));
    TMenuItem* empty = top->Items(1);
    empty->Click();
    EXPECT_EQ(Captions(empty), std::vector<std::string>{"<Empty>"});
    EXPECT_FALSE(empty->Items(0)->Enabled);
    EXPECT_EQ(empty->HelpContext, 1);
    TMenuItem* filled = top->Items(0);
    filled->Click();
    ASSERT_EQ(Captions(filled).size(), 1u);
    WriteFileBytes(full + "\\two.txt", "2");
    filled->Click();  // filled already: no second walk
    EXPECT_EQ(Captions(filled).size(), 1u);
}

TEST_F(ShellMenuTest, AtMostFourHundredObjectsAFolder) {
    const std::string root = Folder("many");
    for (int i = 0; i < 500; ++i) WriteFileBytes(root + "\\f" + std::to_string(i) + ".txt", "");
    auto* item = new TMenuItem(nullptr);
    menu_.Items()->Add(item);
    BuildShellMenu(host_, item, nullptr, root, 0);
    ASSERT_EQ(item->Count(), 1);
    item->Click();
    EXPECT_EQ(Captions(item).size(), 400u);
}

TEST_F(ShellMenuTest, FoldersOnlyActsForTheMenuKindInForce) {
    const std::string root = Folder("mixed");
    Folder("mixed\\sub");
    WriteFileBytes(root + "\\file.txt", "x");
    struct Case {
        int kind;
        bool* flag;
        size_t expected;
    } cases[] = {
        {2, &ExplorerFoldersOnly, 1},
        {1, &NetFoldersOnly, 1},
        {3, &QuickFoldersOnly, 1},
        {1, &ExplorerFoldersOnly, 2},  // another button's flag
        {0, &ExplorerFoldersOnly, 2},
    };
    for (const Case& c : cases) {
        NetFoldersOnly = ExplorerFoldersOnly = QuickFoldersOnly = false;
        *c.flag = true;
        OpenMenuKind = c.kind;
        menu_.Items()->Clear();
        Fill(root);
        EXPECT_EQ(Captions(menu_.Items()).size(), c.expected) << c.kind;
    }
    NetFoldersOnly = QuickFoldersOnly = false;
}

TEST_F(ShellMenuTest, AFolderWithoutAnItemIdListShowsNothingOfTheDesktop) {
    auto* item = new TMenuItem(nullptr);
    menu_.Items()->Add(item);
    BuildShellMenu(host_, item, nullptr, dir_.File("no such folder"), 0);
    EXPECT_EQ(ItemIdList(item), nullptr);
    ASSERT_EQ(item->Count(), 1);
    item->Click();
    EXPECT_EQ(Captions(item), std::vector<std::string>{"<Not valid>"});
    item->Click();
    EXPECT_EQ(Captions(item), std::vector<std::string>{"<Not valid>"});
}

TEST_F(ShellMenuTest, AFolderItemFromAPathTakesTheShellsNameAndIcon) {
    const std::string folder = Folder("Named Folder");
    WriteFileBytes(folder + "\\inside.txt", "x");
    auto* item = new TMenuItem(nullptr);
    menu_.Items()->Add(item);
    BuildShellMenu(host_, item, nullptr, folder, 0);
    EXPECT_EQ(item->Caption, "Named Folder");
    EXPECT_GE(item->ImageIndex, 0);
    EXPECT_TRUE(IsFolderIdList(ItemIdList(item)));
    item->Click();
    ASSERT_EQ(Captions(item).size(), 1u);
    EXPECT_EQ(Captions(item)[0].substr(0, 6), "inside");
}

TEST_F(ShellMenuTest, SpecialFoldersAndFailures) {
    BuildShellMenu(host_, nullptr, &menu_, "", CSIDL_CONTROLS);
    EXPECT_EQ(menu_.Images, &images_);
    EXPECT_GT(menu_.Items()->Count(), 0);
    BuildShellMenu(host_, nullptr, &menu_, "", 0);  // the desktop
    ASSERT_GT(menu_.Items()->Count(), 0);
    EXPECT_EQ(menu_.Items()->Items(0)->Count(), 1);  // a folder on top
    // A special folder the system doesn't have is an error of the class library.
    EXPECT_THROW(BuildShellMenu(host_, nullptr, &menu_, "", 0x7E), Exception);
}

TEST_F(ShellMenuTest, ItemIdListRoutines) {
    const std::string folder = Folder("ids");
    const std::string file = folder + "\\doc.txt";
    WriteFileBytes(file, "x");
    ScopedIdList f(PathToIdList(folder)), d(PathToIdList(file));
    ASSERT_NE(f.Get(), nullptr);
    ASSERT_NE(d.Get(), nullptr);
    EXPECT_EQ(IdListToPath(f.Get()), folder);
    EXPECT_TRUE(IsFolderIdList(f.Get()));
    EXPECT_FALSE(IsFolderIdList(d.Get()));
    EXPECT_TRUE(IsFileSystemIdList(d.Get()));
    EXPECT_EQ(IdListItemCount(d.Get()), IdListItemCount(f.Get()) + 1);
    IShellFolder* parent = nullptr;
    LPITEMIDLIST last = nullptr;
    ASSERT_TRUE(SplitIdList(d.Get(), &parent, &last));
    ScopedIdList lastOwner(last);
    EXPECT_EQ(IdListItemCount(last), 1u);
    ScopedIdList joined(ConcatIdLists(f.Get(), last));
    EXPECT_EQ(IdListToPath(joined.Get()), file);
    EXPECT_TRUE(IsFolderItem(parent, last) == false);
    parent->Release();
    ScopedIdList whole(CopyIdList(d.Get()));
    EXPECT_EQ(IdListSize(whole.Get()), IdListSize(d.Get()));
    EXPECT_EQ(PathToIdList(dir_.File("missing\\x.txt")), nullptr);
    EXPECT_EQ(IdListToPath(nullptr), "");
    EXPECT_FALSE(SplitIdList(nullptr, &parent, &last));
}

// A shell folder whose items say by their one data byte what they are: 'F' a
// folder (with subfolders), 'S' no folder but with subfolders, 'P' a plain
// object, 'X' one whose attributes can't be had. It notes what it is asked,
// and answers an enumeration with `enumResult` and no list.
class AttributeFolder : public IShellFolder {
public:
    struct Question {
        char kind;
        SFGAOF asked;
    };
    std::vector<Question> questions;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid != IID_IUnknown && riid != IID_IShellFolder) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override {
        return E_NOTIMPL;
    }
    HRESULT enumResult = E_NOTIMPL;
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList** out) override {
        *out = nullptr;
        return enumResult;
    }
    HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT count, PCUITEMID_CHILD_ARRAY items, SFGAOF* inOut) override {
        if (count != 1) return E_INVALIDARG;
        const char kind = reinterpret_cast<const char*>(items[0])[2];
        questions.push_back({kind, *inOut});
        SFGAOF has = 0;
        if (kind == 'F') has = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        if (kind == 'S') has = SFGAO_HASSUBFOLDER;
        if (kind == 'X') return E_FAIL;
        *inOut &= has;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override {
        return E_NOTIMPL;
    }
};

// Which items count as folders, and that a folder is never asked whether it
// has subfolders: working that out opens the folder, which waits on a drive
// without a disk or a share that doesn't answer.
TEST(ShellFolderItems, FoldersAreKnownWithoutLookingIntoThem) {
    struct Case {
        char kind;
        bool folder;
    } cases[] = {{'F', true}, {'S', true}, {'P', false}, {'X', false}};
    for (const Case& c : cases) {
        AttributeFolder folder;
        const unsigned char item[5] = {3, 0, static_cast<unsigned char>(c.kind), 0, 0};
        EXPECT_EQ(IsFolderItem(&folder, reinterpret_cast<LPCITEMIDLIST>(item)), c.folder) << c.kind;
        ASSERT_FALSE(folder.questions.empty()) << c.kind;
        for (const AttributeFolder::Question& q : folder.questions) {
            if (c.kind == 'F') {
                EXPECT_EQ(q.asked & SFGAO_HASSUBFOLDER, 0u) << "a folder was asked for its subfolders";
            }
            // Nothing beyond the two attributes: the others may need the item itself.
            EXPECT_EQ(q.asked & ~(SFGAO_FOLDER | SFGAO_HASSUBFOLDER), 0u) << c.kind;
        }
    }
}

// A folder may answer that it has nothing to list (S_FALSE, no list): that is
// an empty folder; only a failure, or success without a list, is not valid.
TEST_F(ShellMenuTest, AnEmptyAnswerShowsEmptyAndAFailureNotValid) {
    ScopedIdList list(PathToIdList(Folder("answers")));
    ASSERT_NE(list.Get(), nullptr);
    struct Case {
        HRESULT answer;
        const char* notice;
    } cases[] = {{S_FALSE, "<Empty>"}, {E_FAIL, "<Not valid>"}, {E_ACCESSDENIED, "<Not valid>"}, {S_OK, "<Not valid>"}};
    for (const Case& c : cases) {
        AttributeFolder folder;
        folder.enumResult = c.answer;
        auto* item = new TMenuItem(nullptr);
        menu_.Items()->Add(item);
        FillShellMenuFrom(host_, &folder, list.Get(), item, nullptr);
        EXPECT_EQ(Captions(item), std::vector<std::string>{c.notice}) << std::hex << c.answer;
        ASSERT_EQ(item->Count(), 1);
        EXPECT_FALSE(item->Items(0)->Enabled);
    }
}

TEST_F(ShellMenuTest, AFileItemOpensWithTheShellsDefaultAction) {
    // A file type of the test's own, opened by the probe.
    SavedRegValue ext(HKEY_CLASSES_ROOT, ".mvtprobe", "");
    SavedRegValue cmd(HKEY_CLASSES_ROOT, "mvtprobefile\\shell\\open\\command", "");
    SetRegString(HKEY_CLASSES_ROOT, ".mvtprobe", "", "mvtprobefile");
    SetRegString(HKEY_CLASSES_ROOT, "mvtprobefile\\shell\\open\\command", "", "\"" + ProbePath() + "\" \"%1\"");
    const std::string log = dir_.File("probe.log");
    SetEnvironmentVariableA("MIVORA_PROBE_LOG", log.c_str());
    const std::string root = Folder("open");
    const std::string doc = root + "\\letter.mvtprobe";
    WriteFileBytes(doc, "x");
    Fill(root);
    ASSERT_EQ(menu_.Items()->Count(), 1);
    menu_.Items()->Items(0)->Click();
    const bool opened = WaitFor([&] { return ReadFileBytes(log).find(doc) != std::string::npos; }, 10000);
    SetEnvironmentVariableA("MIVORA_PROBE_LOG", nullptr);
    EXPECT_TRUE(opened) << ReadFileBytes(log);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "mvtprobefile\\shell\\open\\command");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "mvtprobefile\\shell\\open");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "mvtprobefile\\shell");
}

}  // namespace
