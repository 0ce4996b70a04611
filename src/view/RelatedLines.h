#pragma once

// Following the codes of a catalog line to the lines they refer to: a lens
// code to its LensType.Dat line and its first LensPrice.Dat line, an option
// code to its Options.Dat line and its first OptionsPrice.Dat line. Which
// fields hold codes, and codes of what, the layouts' field tables say
// (Sf6FieldInfo::codeRef); nothing here knows a particular layout.

#include "sf6/Sf6FileSet.h"
#include "sf6/Sf6Layout.h"
#include "view/TextDocument.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sf6 {

enum class CodeKind : uint8_t { Lens, Option };

struct LineCode {
  CodeKind kind = CodeKind::Lens;
  std::string code; // without surrounding blanks
  int field = 0;    // the number of the field that holds it
};

// The codes a line names, in field order, blank ones left out. A product
// code (Information, OrderOptions, ProductGroup, CodeSubstitution) is a lens
// code when the line's product-type field reads 0, else an option code.
std::vector<LineCode> CodesOfLine(const Sf6Layout &layout, std::string_view line);

// The code a caret at 0-based caretColumn names: the code in the field under
// the caret, else the line's first code. With kind, only codes of that kind
// count, in the same order. nullopt when there is none.
std::optional<LineCode> CodeAtCaret(const Sf6Layout &layout, std::string_view line, int caretColumn,
                                    std::optional<CodeKind> kind = {});

enum class JumpKind : uint8_t {
  Definition, // the defining line: LensType.Dat for a lens, Options.Dat for an option
  Prices,     // the first price line: LensPrice.Dat for a lens, OptionsPrice.Dat for an option
  Lens,       // "Zum Glas": the LensType.Dat line of the lens code
  Option,     // "Zur Option": the Options.Dat line of the option code
};

struct JumpTarget {
  Sf6Entry entry = Sf6Entry::LensType;
  int line = 0; // 0-based
};

// A jump's target, or the status text (Windows-1252) saying why there is none.
struct JumpResolution {
  std::optional<JumpTarget> target;
  std::string message;
};

// The targets of jumps in the loaded catalog. Each target file is indexed
// (code to its first line) once, on the first jump that needs it, so a jump
// costs a hash lookup; invalidate() drops an index when its text changes.
class RelatedLines {
public:
  // Gives the current text of a data entry; nullptr when there is none.
  using DocumentOf = std::function<const TextDocument *(Sf6Entry)>;
  explicit RelatedLines(DocumentOf documentOf);

  // The text of entry changed: its index is rebuilt on its next use.
  void invalidate(Sf6Entry entry);
  void invalidateAll();

  // The jump of kind from a line of file `from` with the caret at 0-based
  // caretColumn.
  JumpResolution resolve(JumpKind kind, Sf6Entry from, std::string_view line, int caretColumn);
  // The first line of entry whose key code (its layout's first code field) is
  // code; -1 when none.
  int lineOf(Sf6Entry entry, std::string_view code);

private:
  struct Index {
    bool built = false;
    std::unordered_map<std::string, int> firstLine;
  };
  void build(Sf6Entry entry, Index &index);

  DocumentOf m_documentOf;
  std::array<Index, kSf6EntryCount> m_indexes;
};

} // namespace sf6
