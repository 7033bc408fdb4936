#include "framework/core/MbcsPath.h"

#include <cstring>

bool SingleByteCodePage(unsigned char) { return false; }

namespace {

bool IsDoubleByteAt(const std::string& text, std::size_t i, LeadBytePredicate isLead) {
    return isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
}

// Calls visit(position) for the first byte of every character. A lead byte
// at the very end (a cut string) counts as a character of its own.
template <class Visit>
void ForEachChar(const std::string& text, LeadBytePredicate isLead, Visit visit) {
    for (std::size_t i = 0; i < text.size(); i += IsDoubleByteAt(text, i, isLead) ? 2 : 1) visit(i);
}

// The same for single-byte characters only: double-byte ones are skipped whole.
template <class Visit>
void ForEachSingleByteChar(const std::string& text, LeadBytePredicate isLead, Visit visit) {
    ForEachChar(text, isLead, [&](std::size_t i) {
        if (!IsDoubleByteAt(text, i, isLead)) visit(i);
    });
}

}  // namespace

std::size_t LastCharPos(const std::string& text, char ch, LeadBytePredicate isLead) {
    std::size_t last = std::string::npos;
    ForEachSingleByteChar(text, isLead, [&](std::size_t i) {
        if (text[i] == ch) last = i;
    });
    return last;
}

std::size_t ExtensionDotPos(const std::string& path, LeadBytePredicate isLead) {
    std::size_t slash = std::string::npos, dot = std::string::npos;
    ForEachSingleByteChar(path, isLead, [&](std::size_t i) {
        if (path[i] == '\\') slash = i;
        if (path[i] == '.') dot = i;
    });
    if (dot == std::string::npos) return dot;
    if (slash != std::string::npos && dot < slash) return std::string::npos;
    return dot;
}

std::string NameAfterLastBackslash(const std::string& path, LeadBytePredicate isLead) {
    const std::size_t slash = LastCharPos(path, '\\', isLead);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WrapPathLines(const std::string& path, std::size_t width, LeadBytePredicate isLead) {
    std::string lines;
    std::size_t start = 0, afterSlash = 0;
    ForEachChar(path, isLead, [&](std::size_t i) {
        const std::size_t end = i + (IsDoubleByteAt(path, i, isLead) ? 2 : 1);
        if (end - start > width) {
            const std::size_t cut = afterSlash > start && end - afterSlash <= width ? afterSlash : i;
            lines.append(path, start, cut - start).append("\n");
            start = cut;
        }
        if (path[i] == '\\') afterSlash = end;
    });
    return lines.append(path, start, std::string::npos);
}

std::string FolderWithBackslash(const std::string& path, LeadBytePredicate isLead) {
    const std::size_t slash = LastCharPos(path, '\\', isLead);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string CutExtension(const std::string& path, LeadBytePredicate isLead) {
    const std::size_t dot = ExtensionDotPos(path, isLead);
    return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string SplitPathBaseName(const std::string& path, LeadBytePredicate isLead) {
    std::size_t nameStart = 0;
    std::size_t dot = std::string::npos;
    ForEachSingleByteChar(path, isLead, [&](std::size_t i) {
        const char c = path[i];
        if (c == '\\' || c == '/' || (c == ':' && i == 1)) {
            nameStart = i + 1;
            dot = std::string::npos;
        } else if (c == '.') {
            dot = i;
        }
    });
    const std::size_t end = dot == std::string::npos ? path.size() : dot;
    return path.substr(nameStart, end - nameStart);
}

std::string LowerAsciiMbcs(const std::string& text, LeadBytePredicate isLead) {
    std::string out = text;
    ForEachSingleByteChar(out, isLead, [&](std::size_t i) {
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    });
    return out;
}

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::size_t LastDelimiter(const std::string& path, const char* delimiters, LeadBytePredicate isLead) {
    std::size_t last = std::string::npos;
    ForEachChar(path, isLead, [&](std::size_t i) {
        if (path[i] != '\0' && std::strchr(delimiters, path[i]) != nullptr) last = i;
    });
    return last;
}

std::string ExtractFileDir(const std::string& path, LeadBytePredicate isLead) {
    // Where each character starts, to know what directly precedes the cut.
    std::size_t last = std::string::npos;
    std::size_t beforeLast = std::string::npos;
    std::size_t previous = std::string::npos;
    ForEachChar(path, isLead, [&](std::size_t i) {
        if (path[i] == '\\' || path[i] == ':') {
            last = i;
            beforeLast = previous;
        }
        previous = i;
    });
    if (last == std::string::npos) return std::string();
    // The character before the cut is a whole character, possibly double-byte,
    // so only a real colon or backslash keeps a root's backslash.
    const bool keepBackslash = beforeLast == std::string::npos || path[beforeLast] == ':' || path[beforeLast] == '\\';
    if (path[last] == '\\' && !keepBackslash) return path.substr(0, last);
    return path.substr(0, last + 1);
}

std::string ExtractFileExt(const std::string& path, LeadBytePredicate isLead) {
    const std::size_t dot = LastDelimiter(path, ".\\/:", isLead);
    if (dot == std::string::npos || path[dot] != '.') return std::string();
    return path.substr(dot);
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension, LeadBytePredicate isLead) {
    const std::size_t last = LastDelimiter(path, "\\/:", isLead);
    const bool named = last == std::string::npos ? !path.empty() : last + 1 < path.size();
    return named && ExtractFileExt(path, isLead).empty() ? path + extension : path;
}
