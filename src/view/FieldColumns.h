#pragma once

// Which field of a layout holds a column of a line: for the column ruler
// above a pane and for the field grid following the caret.

#include "sf6/Sf6FieldInfo.h"

#include <span>

namespace sf6 {

// The field whose columns hold `column` (1-based); where fields overlap (the
// "E" inside a diameter group) the narrowest. nullptr beyond every field.
const Sf6FieldInfo *FieldAtColumn(std::span<const Sf6FieldInfo> fields, int column);

// The field under a caret at 0-based caretColumn: the caret stands before
// the character at column caretColumn + 1. A caret right after a line's last
// field (at the end of a line) counts as in that field.
const Sf6FieldInfo *FieldAtCaret(std::span<const Sf6FieldInfo> fields, int caretColumn);

} // namespace sf6
