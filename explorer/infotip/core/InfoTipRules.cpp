#include "explorer/infotip/core/InfoTipRules.h"

#include "main/bar/core/HtmlToText.h"
#include "framework/core/StrUtils.h"

namespace tavlin {

const char* const kTipExtensions[6] = {".txt", ".htm", ".html", ".exe", ".dll", ".zip"};

TipKind TipKindForFile(const std::string& fileName, LeadBytePredicate isLead) {
    const std::string ext = LowerCaseAscii(ExtractFileExt(fileName, isLead));
    if (ext == ".zip") return TipKind::kZip;
    if (ext == ".txt") return TipKind::kText;
    if (ext == ".htm" || ext == ".html") return TipKind::kHtml;
    if (ext == ".exe" || ext == ".dll") return TipKind::kProgram;
    return TipKind::kOther;
}

std::string UpToFirstNul(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

std::string TextTip(const std::string& head) { return UpToFirstNul(head.substr(0, kTextTipBytes)); }

std::string HtmlTip(const std::string& head) {
    std::string text = bar::HtmlToText(UpToFirstNul(head.substr(0, kHtmlTipBytes)), false);
    // Markup alone leaves line breaks and blanks: no text to show.
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) text.clear();
    return text;
}

}  // namespace tavlin
