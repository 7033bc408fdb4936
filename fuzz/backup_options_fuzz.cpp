// "option.sav" lies in a folder other programs write to and is read inside
// the bar's process: a decoded record must be whole and in range, and
// encoding it again must decode to the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "backup/core/BackupOptions.h"

using namespace backup;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    BackupOptions options;
    if (!DecodeOptions(bytes, options)) {
        // A refused record changes nothing.
        if (EncodeOptions(options) != EncodeOptions(BackupOptions())) std::abort();
        return 0;
    }
    if (options.sourcePath.size() > kMaxOptionPath || options.extList.size() > kMaxOptionText || options.extMode < 0 ||
        options.extMode > 2)
        std::abort();
    const std::string again = EncodeOptions(options);
    BackupOptions back;
    if (!DecodeOptions(again, back) || EncodeOptions(back) != again) std::abort();
    return 0;
}
