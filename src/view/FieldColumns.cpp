#include "view/FieldColumns.h"

namespace sf6 {

const Sf6FieldInfo *FieldAtColumn(std::span<const Sf6FieldInfo> fields, int column) {
  const Sf6FieldInfo *found = nullptr;
  for (const Sf6FieldInfo &field : fields) {
    if (field.width <= 0 || column < field.column || column >= field.column + field.width)
      continue;
    if (!found || field.width < found->width)
      found = &field;
  }
  return found;
}

const Sf6FieldInfo *FieldAtCaret(std::span<const Sf6FieldInfo> fields, int caretColumn) {
  if (const Sf6FieldInfo *field = FieldAtColumn(fields, caretColumn + 1))
    return field;
  // Right after the last character of a field that nothing follows.
  return caretColumn > 0 ? FieldAtColumn(fields, caretColumn) : nullptr;
}

} // namespace sf6
