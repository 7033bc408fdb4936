#include "splitjoin/core/PieceNames.h"

#include <climits>

namespace splitjoin {

int ClampPieceKB(int kb) {
    if (kb < kMinPieceKB) return kMinPieceKB;
    if (kb > kMaxPieceKB) return kMaxPieceKB;
    return kb;
}

std::string PieceNumberText(std::uint64_t number) {
    const char* zeros = number < 10 ? "00" : number < 100 ? "0" : "";
    return zeros + std::to_string(number);
}

std::string PiecePrefix(const std::string& destination, const std::string& source, LeadBytePredicate isLead) {
    std::string prefix = destination;
    const std::size_t slash = LastCharPos(prefix, '\\', isLead);
    if (slash == std::string::npos || slash + 1 != prefix.size()) prefix += '\\';
    prefix += NameAfterLastBackslash(source, isLead);
    return CutExtension(prefix, isLead) + ".";
}

std::string PieceName(const std::string& prefix, std::uint64_t number) { return prefix + PieceNumberText(number); }

std::uint64_t PieceCount(std::uint64_t length, std::uint64_t pieceBytes) { return length / pieceBytes + 1; }

int ProgressPercent(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return 100;
    // done * 100 without overflow: whole multiples and the remainder apart.
    const std::uint64_t whole = done / total;
    const std::uint64_t rest = done % total;
    const std::uint64_t restPercent = total > UINT64_MAX / 100 ? rest / (total / 100) : rest * 100 / total;
    if (whole > static_cast<std::uint64_t>(INT_MAX) / 100) return INT_MAX;
    const std::uint64_t percent = whole * 100 + restPercent;
    return percent > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(percent);
}

int PiecePercent(std::uint64_t index, std::uint64_t pieceBytes, std::uint64_t length) {
    if (length == 0) return 100;
    if (pieceBytes != 0 && index > UINT64_MAX / pieceBytes) return INT_MAX;
    return ProgressPercent(index * pieceBytes, length);
}

std::string CaptionBase(const std::string& source, LeadBytePredicate isLead) {
    const std::string name = NameAfterLastBackslash(source, isLead);
    const std::size_t dot = LastCharPos(name, '.', isLead);
    if (dot == std::string::npos) return name + " -> " + name + ".";
    return name + " -> " + name.substr(0, dot) + ".";
}

std::string PreviewText(const std::string& baseName, std::uint64_t length, int pieceKB, bool cabinet) {
    const std::uint64_t pieceBytes = static_cast<std::uint64_t>(ClampPieceKB(pieceKB)) * 1024;
    const std::uint64_t n = PieceCount(length, pieceBytes);
    if (cabinet) {
        if (n > 1) return baseName + "1.cab ~ " + CabVolumeName(baseName, n);
        return baseName + "1.cab";
    }
    if (n > 1) return baseName + ".001 ~ " + baseName + "." + PieceNumberText(n);
    return baseName + ".001";
}

std::string CabVolumeName(const std::string& base, std::uint64_t number) {
    return base + std::to_string(number) + ".cab";
}

std::string BuildCabCommand(const std::string& source, int pieceKB, LeadBytePredicate isLead) {
    return "-a -ml:21 -v:" + std::to_string(pieceKB) + " \"" + CutExtension(source, isLead) + "\" \"" + source + "\"";
}

}  // namespace splitjoin
