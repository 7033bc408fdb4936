#include "splitjoin/JapaneseTexts.h"

namespace splitjoin {

const char kSegmentOpenFilter[] = "全ファイル(*.*)|*.*||";
const char kSegmentOpenTitle[] = "分割するファイル名の指定";
const char kJoinNextOpenFilter[] = "ファイル(*.*)|*.*||";
const char kJoinNextOpenTitle[] = "連結ファイルの";
const char kFolderBrowseTitle[] = "フォルダの参照";
const char kShortcutCaption[] = "ショートカットの作成";

}  // namespace splitjoin
