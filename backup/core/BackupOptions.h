// The backup options record "option.sav": sixteen values in the dialog
// framework's archive encoding (little-endian int32s and counted strings),
// without header or version.
#pragma once
#include <cstddef>
#include <string>

namespace backup {

struct BackupOptions {
    int includeSubfolder = 1;
    int skipIdentical = 0;
    int compareMode = 0;
    std::string destPath;
    int extMode = 0;
    std::string extList;
    std::string sourcePath;
    int fileOperation = 1;
    int runMode = 1;
    int scheduleKind = 2;
    std::string scheduleText;
    int scheduleHour = 17;
    int scheduleMinute = -1;
    int scheduleWeekday = -1;
    int scheduleDayOfMonth = -1;
    int scheduleLastDay = -1;
};

// A counted string: one length byte below 255; else 0xFF and a 16-bit length
// below 0xFFFE; else 0xFF 0xFFFF and a 32-bit length.
void AppendCountedString(std::string& out, const std::string& text);
// False when the length is over `cap` or past the end of `bytes`, and for
// the 16-bit length 0xFFFE, which marks wide text in later encodings.
bool ReadCountedString(const std::string& bytes, std::size_t& pos, std::size_t cap, std::string& text);

// The longest texts a record may hold: a path within the system's limit,
// and a list or schedule text of a sane size.
constexpr std::size_t kMaxOptionPath = 259;
constexpr std::size_t kMaxOptionText = 1024;

std::string EncodeOptions(const BackupOptions& options);
// All or nothing: on a short, overlong or out-of-range record `options` is
// left as it was, so a damaged file can neither switch the filter to a mode
// that copies nothing nor leave half a record applied.
bool DecodeOptions(const std::string& bytes, BackupOptions& options);

// The file itself. Saving writes a new file beside the old one and swaps it
// in only when complete, so a failed save keeps the previous options.
bool LoadOptionsFile(const std::string& path, BackupOptions& options);
bool SaveOptionsFile(const std::string& path, const BackupOptions& options);

}  // namespace backup
