// Which tip a file gets, and the tips that come from the first bytes of a
// file, without the platform.
#pragma once
#include <cstddef>
#include <string>

#include "framework/core/MbcsPath.h"

namespace tavlin {

enum class TipKind {
    kZip,      // ".zip": the entry list
    kText,     // ".txt": the first bytes
    kHtml,     // ".htm", ".html": the page's text
    kProgram,  // ".exe", ".dll": the description in the version resource
    kOther,    // no tip of its own
};

const std::size_t kTextTipBytes = 255;
const std::size_t kHtmlTipBytes = 768;
const int kZipTipEntries = 20;

// By the extension of the file name, in any case.
TipKind TipKindForFile(const std::string& fileName, LeadBytePredicate isLead);

// The bytes before the first NUL.
std::string UpToFirstNul(const std::string& bytes);

// The tip of a text file from its first bytes.
std::string TextTip(const std::string& head);

// The tip of a web page from its first bytes: its text, links left out;
// empty when that text is only white space.
std::string HtmlTip(const std::string& head);

// The extensions whose tips the extension gives, in registration order.
extern const char* const kTipExtensions[6];

}  // namespace tavlin
