// Brimo: turns the file named on its command line into an unsent message from
// the default mail account, with the file attached, and opens the message
// with the shell; the mail program shows it ready to send. The file itself is
// removed: it was made for this mail alone.
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/win32/LeadByte.h"
#include "mailer/MailFiles.h"
#include "mailer/core/MailMessage.h"
#include "framework/forms/Registry.h"
#include "framework/core/TempFolder.h"

namespace mailer {

namespace {

const char kAccounts[] = "\\Software\\Microsoft\\Internet Account Manager";

// Missing keys and values leave the sender empty; the message is written all the same.
MailSender DefaultMailSender() {
    MailSender sender;
    TRegistry reg(KEY_READ);
    if (!reg.OpenKeyReadOnly(kAccounts)) return sender;
    const std::string account = reg.ReadString("Default Mail Account");
    if (account.empty() || !reg.OpenKeyReadOnly(std::string(kAccounts) + "\\Accounts\\" + account)) return sender;
    sender.displayName = reg.ReadString("SMTP Display Name");
    sender.address = reg.ReadString("SMTP Email Address");
    return sender;
}

void SendFile(const std::string& source) {
    const MailSender sender = DefaultMailSender();
    const std::string temp = TempFolder();
    // Without one, the names below would land in whatever folder is current.
    if (temp.empty()) throw EFCreateError("The temporary folder can't be found");
    const std::string body = temp + "eml.tmp", message = temp + "temp.eml";
    EncodeFileBase64(source, body);
    WriteMessage(message, MessageHead(sender, source, SystemLeadByte), body);
    // What the mail program makes of it is its own affair: the file's content
    // lives on in the message either way.
    ShellExecuteA(nullptr, "open", message.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    DeleteFileA(body.c_str());
    DeleteFileA(source.c_str());
}

}  // namespace

}  // namespace mailer

int main(int argc, char** argv) {
    if (argc < 2) return 0;
    try {
        mailer::SendFile(argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::string text = e.what();
        if (!text.empty() && text.back() != '.') text += '.';
        MessageBoxA(nullptr, text.c_str(), "Brimo", MB_OK | MB_ICONSTOP);
        return 1;
    }
}
