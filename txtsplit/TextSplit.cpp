#include "TextSplitHost.h"

namespace kt {

void TextSplit(TextSplitHost&) {}

}  // namespace kt
