#include "view/RelatedLines.h"

#include "text/FieldText.h"
#include "view/FieldColumns.h"

namespace sf6 {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  return text;
}

// The kind of the code in field, or nullopt for a field that holds none.
std::optional<CodeKind> kindOf(const Sf6FieldInfo &field, std::span<const Sf6FieldInfo> fields,
                               std::string_view line) {
  switch (field.codeRef) {
  case Sf6CodeRef::None:
    return std::nullopt;
  case Sf6CodeRef::Lens:
    return CodeKind::Lens;
  case Sf6CodeRef::Option:
    return CodeKind::Option;
  case Sf6CodeRef::Product:
    for (const Sf6FieldInfo &type : fields)
      if (type.kind == Sf6FieldKind::ProductType)
        return TextToInt(Columns(line, type.column, type.width)) == 0 ? CodeKind::Lens
                                                                      : CodeKind::Option;
    return std::nullopt;
  }
  return std::nullopt;
}

std::optional<LineCode> codeOf(const Sf6FieldInfo &field, std::span<const Sf6FieldInfo> fields,
                               std::string_view line) {
  const std::optional<CodeKind> kind = kindOf(field, fields, line);
  if (!kind)
    return std::nullopt;
  const std::string_view code = trimmed(Columns(line, field.column, field.width));
  if (code.empty())
    return std::nullopt;
  return LineCode{*kind, std::string(code), field.number};
}

// The file a jump of kind goes to for a code of codeKind.
Sf6Entry targetOf(JumpKind kind, CodeKind codeKind) {
  switch (kind) {
  case JumpKind::Prices:
    return codeKind == CodeKind::Lens ? Sf6Entry::LensPrice : Sf6Entry::OptionsPrice;
  case JumpKind::Lens:
    return Sf6Entry::LensType;
  case JumpKind::Option:
    return Sf6Entry::Options;
  case JumpKind::Definition:
    break;
  }
  return codeKind == CodeKind::Lens ? Sf6Entry::LensType : Sf6Entry::Options;
}

// Texts are built by appending: GCC 12 warns falsely (-Wrestrict) about a
// literal added to a std::string in optimised builds.
void appendQuoted(std::string &text, std::string_view code) {
  text += '\x84'; // „code“
  text += code;
  text += '\x93';
}

} // namespace

std::vector<LineCode> CodesOfLine(const Sf6Layout &layout, std::string_view line) {
  std::vector<LineCode> codes;
  const auto fields = layout.fields();
  for (const Sf6FieldInfo &field : fields)
    if (auto code = codeOf(field, fields, line))
      codes.push_back(std::move(*code));
  return codes;
}

std::optional<LineCode> CodeAtCaret(const Sf6Layout &layout, std::string_view line, int caretColumn,
                                    std::optional<CodeKind> kind) {
  const auto fields = layout.fields();
  if (const Sf6FieldInfo *under = FieldAtCaret(fields, caretColumn))
    if (auto code = codeOf(*under, fields, line); code && (!kind || code->kind == *kind))
      return code;
  for (LineCode &code : CodesOfLine(layout, line))
    if (!kind || code.kind == *kind)
      return std::move(code);
  return std::nullopt;
}

RelatedLines::RelatedLines(DocumentOf documentOf) : m_documentOf(std::move(documentOf)) {}

void RelatedLines::invalidate(Sf6Entry entry) {
  m_indexes[static_cast<size_t>(entry)].built = false;
}

void RelatedLines::invalidateAll() {
  for (Index &index : m_indexes)
    index.built = false;
}

void RelatedLines::build(Sf6Entry entry, Index &index) {
  index.firstLine.clear();
  index.built = true;
  const Sf6Layout *layout = Sf6EntryLayout(entry);
  const TextDocument *document = m_documentOf(entry);
  if (!layout || !document)
    return;
  const Sf6FieldInfo *key = nullptr;
  for (const Sf6FieldInfo &field : layout->fields())
    if (field.codeRef != Sf6CodeRef::None) {
      key = &field;
      break;
    }
  if (!key)
    return;
  const int count = document->lineCount();
  index.firstLine.reserve(static_cast<size_t>(count) / 4);
  for (int line = 0; line < count; ++line) {
    const std::string_view code = trimmed(Columns(document->line(line), key->column, key->width));
    if (!code.empty())
      index.firstLine.try_emplace(std::string(code), line);
  }
}

int RelatedLines::lineOf(Sf6Entry entry, std::string_view code) {
  Index &index = m_indexes[static_cast<size_t>(entry)];
  if (!index.built)
    build(entry, index);
  const auto found = index.firstLine.find(std::string(code));
  return found == index.firstLine.end() ? -1 : found->second;
}

JumpResolution RelatedLines::resolve(JumpKind kind, Sf6Entry from, std::string_view line,
                                     int caretColumn) {
  JumpResolution result;
  const Sf6Layout *layout = Sf6EntryLayout(from);
  if (!layout) {
    result.message = "Hier steht kein Glas- oder Optionscode";
    return result;
  }
  std::optional<CodeKind> wanted;
  if (kind == JumpKind::Lens)
    wanted = CodeKind::Lens;
  else if (kind == JumpKind::Option)
    wanted = CodeKind::Option;
  const std::optional<LineCode> code = CodeAtCaret(*layout, line, caretColumn, wanted);
  if (!code) {
    result.message = !wanted                     ? "Kein Glas- oder Optionscode in dieser Zeile"
                     : *wanted == CodeKind::Lens ? "Kein Glascode in dieser Zeile"
                                                 : "Kein Optionscode in dieser Zeile";
    return result;
  }
  const Sf6Entry target = targetOf(kind, code->kind);
  const int found = lineOf(target, code->code);
  if (found >= 0) {
    result.target = JumpTarget{target, found};
    return result;
  }
  std::string &text = result.message;
  if (kind == JumpKind::Prices)
    text = "Keine Preise zu ";
  text += code->kind == CodeKind::Lens ? "Glascode " : "Optionscode ";
  appendQuoted(text, code->code);
  text += kind == JumpKind::Prices ? " in " : " ist in ";
  text += Sf6EntryName(target);
  if (kind != JumpKind::Prices)
    text += " nicht definiert";
  return result;
}

} // namespace sf6
