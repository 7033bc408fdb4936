// Names and numbers of split pieces and cabinet volumes, and the split
// dialog's preview of them. Sizes are 64-bit throughout: a file of 4 GiB or
// more must neither wrap to a small size nor to zero.
#pragma once
#include <cstdint>
#include <string>

#include "framework/core/MbcsPath.h"

namespace splitjoin {

// Piece sizes the dialog accepts, in KB of 1024 bytes.
constexpr int kMinPieceKB = 1;
constexpr int kMaxPieceKB = 32767;
int ClampPieceKB(int kb);

// The piece number with at least three digits: 001-099, 100-999, 1000 and up.
std::string PieceNumberText(std::uint64_t number);

// Destination folder (a "\" is added unless present) + the source's file name
// less its extension + ".": C:\Data\movie.avi into D:\Out gives D:\Out\movie.
std::string PiecePrefix(const std::string& destination, const std::string& source, LeadBytePredicate isLead);
std::string PieceName(const std::string& prefix, std::uint64_t number);

// The split writes floor(L / P) + 1 pieces: an exact multiple of the piece
// size ends with an empty piece. pieceBytes must not be 0.
std::uint64_t PieceCount(std::uint64_t length, std::uint64_t pieceBytes);

// The share of the source done once piece `index` is complete, in percent:
// index * P * 100 / L. It passes 100 for the last piece; an empty source gives
// 100. Capped so that it fits a 32-bit message parameter.
int PiecePercent(std::uint64_t index, std::uint64_t pieceBytes, std::uint64_t length);
// done * 100 / total, 100 for an empty total.
int ProgressPercent(std::uint64_t done, std::uint64_t total);

// "movie.avi -> movie." for the progress dialog's piece text.
std::string CaptionBase(const std::string& source, LeadBytePredicate isLead);

// "movie.001 ~ movie.003", "movie.001", "movie1.cab ~ movie12.cab", ...
std::string PreviewText(const std::string& baseName, std::uint64_t length, int pieceKB, bool cabinet);

// The n-th cabinet volume of a set: base + n + ".cab", no leading zeros.
std::string CabVolumeName(const std::string& base, std::uint64_t number);

// The cabinet archiver's command line for a source and a volume size:
// -a -ml:21 -v:<KB> "<source less extension>" "<source>".
std::string BuildCabCommand(const std::string& source, int pieceKB, LeadBytePredicate isLead);

}  // namespace splitjoin
