#include "mailer/core/MailMessage.h"

#include "framework/core/MbcsPath.h"

namespace mailer {

namespace {

// From the subject to the attachment's file name. The first part is empty:
// its delimiter follows the header's end at once.
const char kFixedLines[] =
    "Subject:\r\n"
    "MIME-Version: 1.0\r\n"
    "Content-Type: multipart/mixed;\r\n"
    "\tboundary=\"----=_NextPart_\"\r\n"
    "X-Priority: 3\r\n"
    "X-MSMail-Priority: Normal\r\n"
    "X-Unsent: 1\r\n"
    "\r\n"
    "------=_NextPart_\r\n"
    "------=_NextPart_\r\n"
    "Content-Type: application/octet-stream;\r\n"
    "\tname=\"\"\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "Content-Disposition: attachment;\r\n"
    "\tfilename=\"";

}  // namespace

std::string MessageHead(const MailSender& sender, const std::string& sourcePath, LeadBytePredicate isLead) {
    // A Japanese name can end a character in 0x5C, which a byte search would
    // take for the last backslash.
    const std::string name = NameAfterLastBackslash(sourcePath, isLead);
    return "From: \"" + sender.displayName + "\" <" + sender.address + ">\r\n" + kFixedLines + name + "\"\r\n\r\n";
}

}  // namespace mailer
