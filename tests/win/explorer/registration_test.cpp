// Registration as the main program runs it at every start: regsvr32 on the
// self-registering extensions and regedit on the registry script, then
// unregistration.
#include <gtest/gtest.h>

#include <olectl.h>

#include "tests/win/explorer/ExplorerTestSupport.h"
#include "framework/win32/ScopedHandle.h"

namespace {

const CLSID kKestiv = {0x29F97553, 0xFBD6, 0x11D1, {0xAF, 0xC1, 0x00, 0xA0, 0x24, 0xD1, 0x87, 0x5C}};
const CLSID kTavlin = {0x7090FC40, 0x6315, 0x11D4, {0xB1, 0x9B, 0x00, 0x40, 0x05, 0x2E, 0xF5, 0xD0}};
const CLSID kNorquil = {0x18D67740, 0x19C0, 0x11D3, {0x9F, 0x2F, 0x00, 0x40, 0x05, 0x2E, 0xCF, 0x0B}};
const char kApproved[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const char kQueryInfoKey[] = "\\shellex\\{00021500-0000-0000-C000-000000000046}";
const char* const kTipExtensions[] = {".txt", ".htm", ".html", ".exe", ".dll", ".zip"};

struct Server {
    const char* file;
    CLSID clsid;
    const char* description;
    std::vector<std::string> handlerKeys;  // each holds the class id as its default value
};

std::vector<Server> Servers() {
    std::vector<std::string> tipKeys;
    for (const char* ext : kTipExtensions) tipKeys.push_back(std::string(ext) + kQueryInfoKey);
    return {
        {"Kestiv.dll", kKestiv, "Mivora Kestiv Shell Extension", {"Directory\\shellex\\CopyHookHandlers\\MivoraKestiv"}},
        {"Tavlin.dll", kTavlin, "TxtInfo", tipKeys},
    };
}

std::string ClassKey(const CLSID& clsid) { return "CLSID\\" + GuidText(clsid); }

void Forget(const Server& server) {
    RegDeleteTree(HKEY_CLASSES_ROOT, ClassKey(server.clsid));
    for (const std::string& key : server.handlerKeys) RegDeleteTree(HKEY_CLASSES_ROOT, key);
    RegDeleteValueIfAny(HKEY_LOCAL_MACHINE, kApproved, GuidText(server.clsid));
}

int Regsvr32(const std::string& switches, const std::string& path) {
    return RunAndWait(SystemFolder() + "regsvr32.exe " + switches + " \"" + path + "\"");
}

std::string ShortPath(const std::string& path) {
    char buffer[1024];
    const DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
}

// The path a server registers: its own, shortened only when a blank would need quotes.
std::string RegisteredForm(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : ShortPath(path);
}

TEST(Registration, Regsvr32WritesAndRemovesTheKeys) {
    for (const Server& server : Servers()) {
        SCOPED_TRACE(server.file);
        Forget(server);
        const std::string path = DistFile(server.file);
        ASSERT_EQ(0, Regsvr32("/s", path));

        const std::string classKey = ClassKey(server.clsid);
        EXPECT_EQ(server.description, RegString(HKEY_CLASSES_ROOT, classKey));
        EXPECT_EQ(LowerCaseAscii(RegisteredForm(path)), LowerCaseAscii(RegString(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32")));
        EXPECT_EQ("Apartment", RegString(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32", "ThreadingModel"));
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, classKey + "\\ProgID"));
        for (const std::string& key : server.handlerKeys)
            EXPECT_EQ(GuidText(server.clsid), RegString(HKEY_CLASSES_ROOT, key)) << key;
        EXPECT_EQ(server.description, RegString(HKEY_LOCAL_MACHINE, kApproved, GuidText(server.clsid)));

        // Registered this way, the class is found by COM itself.
        ComPtr<IUnknown> object;
        EXPECT_EQ(S_OK,
                  CoCreateInstance(server.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.ReceiveVoid()));
        object.Reset();
        CoFreeUnusedLibraries();

        ASSERT_EQ(0, Regsvr32("/u /s", path));
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, classKey));
        for (const std::string& key : server.handlerKeys) EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, key)) << key;
        // The approved list keeps its entry.
        EXPECT_EQ(server.description, RegString(HKEY_LOCAL_MACHINE, kApproved, GuidText(server.clsid)));
        Forget(server);
    }
    // The parents of the tip handlers stay, with their empty default value.
    for (const char* ext : kTipExtensions) EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, std::string(ext) + "\\shellex"));
}

TEST(Registration, APathWithABlankIsRegisteredInItsShortForm) {
    TempDir dir;
    const std::string folder = dir.File("with blank");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    for (const Server& server : Servers()) {
        SCOPED_TRACE(server.file);
        Forget(server);
        const std::string path = folder + "\\" + server.file;
        ASSERT_TRUE(CopyFileA(DistFile(server.file).c_str(), path.c_str(), FALSE));
        ASSERT_EQ(0, Regsvr32("/s", path));
        const std::string registered = RegString(HKEY_CLASSES_ROOT, ClassKey(server.clsid) + "\\InprocServer32");
        EXPECT_EQ(std::string::npos, registered.find(' ')) << registered;
        EXPECT_TRUE(SameTextAscii(ShortPath(path), registered)) << registered;
        EXPECT_EQ(0, Regsvr32("/u /s", path));
        Forget(server);
    }
}

// A tip handler registered by another program after ours is not removed
// with ours.
TEST(Registration, UnregisteringLeavesOtherTipHandlersAlone) {
    const Server tavlin = Servers()[1];
    Forget(tavlin);
    const std::string path = DistFile("Tavlin.dll");
    ASSERT_EQ(0, Regsvr32("/s", path));
    const std::string foreign = "{11111111-2222-3333-4444-555555555555}";
    RegWriteString(HKEY_CLASSES_ROOT, std::string(".txt") + kQueryInfoKey, "", foreign);
    RegWriteString(HKEY_CLASSES_ROOT, std::string(".zip") + kQueryInfoKey, "", GuidText(kTavlin));
    // The same class id written in lower case is still ours.
    std::string lower = GuidText(kTavlin);
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    RegWriteString(HKEY_CLASSES_ROOT, std::string(".dll") + kQueryInfoKey, "", lower);
    ASSERT_EQ(0, Regsvr32("/u /s", path));
    EXPECT_EQ(foreign, RegString(HKEY_CLASSES_ROOT, std::string(".txt") + kQueryInfoKey));
    for (const char* ext : {".htm", ".html", ".exe", ".dll", ".zip"})
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, ext + std::string(kQueryInfoKey))) << ext;
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, ClassKey(kTavlin)));
    RegDeleteTree(HKEY_CLASSES_ROOT, std::string(".txt") + kQueryInfoKey);
    Forget(tavlin);
}

// A key that cannot be created makes registration fail. A volatile class
// key refuses lasting subkeys, which stands in for a key the user may not
// write.
TEST(Registration, AKeyThatCannotBeWrittenFailsTheRegistration) {
    for (const Server& server : Servers()) {
        SCOPED_TRACE(server.file);
        Forget(server);
        ScopedKey key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, ClassKey(server.clsid).c_str(), 0, nullptr,
                                                 REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr));
        key.Reset();
        {
            Library library(DistFile(server.file));
            auto registerServer = library.Proc<HRESULT(WINAPI*)()>("DllRegisterServer");
            ASSERT_NE(nullptr, registerServer);
            EXPECT_EQ(SELFREG_E_CLASS, registerServer());
        }
        EXPECT_NE(0, Regsvr32("/s", DistFile(server.file)));
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, ClassKey(server.clsid) + "\\InprocServer32"));
        Forget(server);
    }
}

TEST(Registration, TheRegistryScriptRegistersTheContextMenu) {
    const std::string classKey = ClassKey(kNorquil);
    const std::string handlers[] = {"*\\shellex\\ContextMenuHandlers\\Norquil",
                                    "Directory\\shellex\\ContextMenuHandlers\\Norquil"};
    auto forget = [&] {
        RegDeleteTree(HKEY_CLASSES_ROOT, classKey);
        for (const std::string& key : handlers) RegDeleteTree(HKEY_CLASSES_ROOT, key);
        RegDeleteValueIfAny(HKEY_LOCAL_MACHINE, kApproved, GuidText(kNorquil));
    };
    forget();
    ASSERT_EQ(0, RunAndWait("regedit /s \"" + DistFile("inst.reg") + "\""));
    EXPECT_EQ("Mivora accelerator", RegString(HKEY_CLASSES_ROOT, classKey));
    const std::string server = RegString(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32");
    EXPECT_EQ(MIVORA_INSTALL_DIR "\\Norquil.dll", server);
    EXPECT_EQ("Apartment", RegString(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32", "ThreadingModel"));
    for (const std::string& key : handlers) EXPECT_EQ(GuidText(kNorquil), RegString(HKEY_CLASSES_ROOT, key)) << key;
    EXPECT_EQ("Mivora accelerator", RegString(HKEY_LOCAL_MACHINE, kApproved, GuidText(kNorquil)));
    // Imported again at the next start, it changes nothing.
    ASSERT_EQ(0, RunAndWait("regedit /s \"" + DistFile("inst.reg") + "\""));
    EXPECT_EQ(server, RegString(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32"));
    forget();
}

}  // namespace
