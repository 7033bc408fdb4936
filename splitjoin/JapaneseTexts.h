// Pelmit's Japanese texts, as code page 932 bytes (this unit is compiled with
// that execution character set). Show them through WideFromCodePage(932, ...).
#pragma once

namespace splitjoin {

extern const char kSegmentOpenFilter[];   // Open dialog of the split without a selection
extern const char kSegmentOpenTitle[];
extern const char kJoinNextOpenFilter[];  // Open dialog of the join's next-file dialog
extern const char kJoinNextOpenTitle[];
extern const char kFolderBrowseTitle[];   // folder browser of the shortcut dialog
extern const char kShortcutCaption[];     // the shortcut dialog's caption, for its messages

}  // namespace splitjoin
