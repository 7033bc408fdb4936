#include "framework/dialogs/FrameworkTexts.h"

const char kEnterIntegerText[] = "整数を入力してください。";
const char kIntegerRangeText[] = "%1 から %2 までの整数を入力してください。";
const char kMaxCharsText[] = "%1 文字以内で入力してください。";
