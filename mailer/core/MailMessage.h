// The unsent message that carries one file: a mail program opens it as a
// draft from the sender of the default account, with the file attached.
// Lines end CR LF; names stay the ANSI bytes they are.
#pragma once
#include <string>

#include "framework/core/LeadBytes.h"

namespace mailer {

struct MailSender {
    std::string displayName;
    std::string address;
};

// Everything before the attachment's Base64 lines: the header, an empty first
// part and the attachment's part header, named after the file part of
// `sourcePath`.
std::string MessageHead(const MailSender& sender, const std::string& sourcePath, LeadBytePredicate isLead);

// The closing delimiter after the attachment's lines.
inline constexpr char kMessageTail[] = "------=_NextPart_--\r\n";

}  // namespace mailer
