// Brimo.exe as the archive library starts it: the message for the registry's
// default account, the shell's "open" of temp.eml (the launch probe is the
// .eml program here, never a real mail program), what it removes, and one
// error box with nothing removed when a file cannot be read or written.
#include <gtest/gtest.h>

#include <set>

#include "mailer/core/Base64Lines.h"
#include "mailer/core/MailMessage.h"
#include "framework/core/MbcsPath.h"
#include "framework/win32/ScopedHandle.h"
#include "tests/win/support/TestSupport.h"

using namespace mailer;

namespace {

const char kAccounts[] = "Software\\Microsoft\\Internet Account Manager";
const char kAccount[] = "Software\\Microsoft\\Internet Account Manager\\Accounts\\Mail 1";
const char kEmlOpen[] = "Mivora.TestMessage\\shell\\open\\command";

// An empty value is removed: "no account" is one the registry does not name.
void SetValue(HKEY root, const std::string& key, const char* name, const std::string& value) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr), ERROR_SUCCESS);
    if (value.empty())
        RegDeleteValueA(k, name);
    else
        RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
    RegCloseKey(k);
}

// Runs Brimo with `temp` as its temporary folder until it ends; its message
// boxes are answered, and their texts returned.
std::vector<std::string> RunBrimo(const std::string& args, const std::string& temp, const std::string& log) {
    std::vector<std::pair<const char*, std::string>> saved{{"TEMP", temp}, {"TMP", temp}, {"MIVORA_PROBE_LOG", log}};
    for (auto& [name, value] : saved) {
        std::string old(32767, '\0');
        old.resize(GetEnvironmentVariableA(name, &old[0], DWORD(old.size())));
        SetEnvironmentVariableA(name, value.c_str());
        value = old;
    }
    std::string line = "\"" + HostPathToWindows(MIVORA_DIST_DIR "/Brimo.exe") + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const bool started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    for (const auto& [name, value] : saved) SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
    EXPECT_TRUE(started);
    std::vector<std::string> texts;
    std::set<HWND> answered;
    for (int waits = 0; started && WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT && waits < 600; ++waits) {
        HWND box = nullptr;
        while ((box = FindWindowExA(nullptr, box, "#32770", "Brimo")) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(box, &pid);
            if (pid != pi.dwProcessId || !IsWindowVisible(box) || !answered.insert(box).second) continue;
            char text[1024] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            texts.push_back(text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    if (started) {
        EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), WAIT_OBJECT_0) << "Brimo did not end";
        TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    return texts;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST(Brimo, SendsTheFileFromTheDefaultAccountOrFailsWithOneMessageRemovingNothing) {
    SavedRegValue keep[] = {{HKEY_CURRENT_USER, kAccounts, "Default Mail Account"},
                            {HKEY_CURRENT_USER, kAccount, "SMTP Display Name"},
                            {HKEY_CURRENT_USER, kAccount, "SMTP Email Address"},
                            {HKEY_CLASSES_ROOT, ".eml", ""},
                            {HKEY_CLASSES_ROOT, kEmlOpen, ""}};
    SetValue(HKEY_CLASSES_ROOT, ".eml", "", "Mivora.TestMessage");
    SetValue(HKEY_CLASSES_ROOT, kEmlOpen, "", "\"" + HostPathToWindows(LAUNCH_PROBE) + "\" \"%1\"");
    struct Case {
        const char* what;
        MailSender sender;      // no address: no account in the registry
        bool argument, locked;  // the source named / held open by another program
        const char* blocker;    // a folder in the place of this file of the run
        std::string error;      // the one message box's text ("@" the temporary folder), "" for none
    };
    const Case cases[] = {
        {"account", {"Ann Example", "ann@example.com"}, true, false, nullptr, ""},
        {"no account", {}, true, false, nullptr, ""},
        {"no argument", {"Ann Example", "ann@example.com"}, false, false, nullptr, ""},
        {"unreadable", {}, true, true, nullptr, "Cannot read file \"@pack.lzh\"."},
        {"text unwritable", {}, true, false, "eml.tmp", "Cannot create file \"@eml.tmp\"."},
        {"message unwritable", {}, true, false, "temp.eml", "Cannot create file \"@temp.eml\"."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        // A blank in the folder: the argument arrives whole only when quoted.
        const std::string temp = dir.File("mail temp\\"), source = temp + "pack.lzh", log = dir.File("opened.log");
        CreateDirectoryA(temp.c_str(), nullptr);
        if (c.blocker) CreateDirectoryA((temp + c.blocker).c_str(), nullptr);
        SetValue(HKEY_CURRENT_USER, kAccounts, "Default Mail Account", c.sender.address.empty() ? "" : "Mail 1");
        SetValue(HKEY_CURRENT_USER, kAccount, "SMTP Display Name", c.sender.displayName);
        SetValue(HKEY_CURRENT_USER, kAccount, "SMTP Email Address", c.sender.address);
        std::string bytes(3001, '\0');
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7919 >> 3);
        WriteFileBytes(source, bytes);
        ScopedFile lock(c.locked ? CreateFileA(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                 : INVALID_HANDLE_VALUE);

        const auto boxes = RunBrimo(c.argument ? "\"" + source + "\"" : "", temp, log);
        lock.Reset();
        std::string error = c.error;
        if (!error.empty()) error.replace(error.find('@'), 1, temp);
        EXPECT_EQ(boxes, error.empty() ? std::vector<std::string>{} : std::vector<std::string>{error});
        if (!c.argument || !error.empty()) {
            // Nothing removed: the source as it was, the text written before a failed message kept.
            EXPECT_EQ(ReadFileBytes(source), bytes);
            EXPECT_EQ(Exists(temp + "eml.tmp"), c.blocker != nullptr);
            EXPECT_FALSE(Exists(log));
            continue;
        }
        EXPECT_FALSE(Exists(source));
        EXPECT_FALSE(Exists(temp + "eml.tmp"));
        const std::string message = ReadFileBytes(temp + "temp.eml");
        EXPECT_EQ(message.substr(0, message.find('\r')),
                  "From: \"" + c.sender.displayName + "\" <" + c.sender.address + ">");
        std::string text(Base64LinesSize(bytes.size()), '\0');
        EncodeBase64Lines(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &text[0]);
        EXPECT_EQ(message, MessageHead(c.sender, source, SingleByteCodePage) + text + kMessageTail);
        EXPECT_TRUE(PumpUntil([&] { return Exists(log); }, 10000));
        EXPECT_EQ(ReadFileBytes(log), HostPathToWindows(LAUNCH_PROBE) + "\t" + temp + "temp.eml\r\n");
    }
}
