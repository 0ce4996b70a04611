#pragma once

// The twelve data-file layouts behind one uniform interface, for callers that
// treat the files alike (the viewer's panes and field grids, sf6tool, a
// validator): find a layout by the file's entry name, decode a line into a
// type-erased record, and ask for a field's caption, text and columns.

#include "sf6/Sf6FieldInfo.h"
#include "sf6/Sf6FieldValue.h"
#include "sf6/Sf6Records.h"

#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace sf6 {

// Where field `number` sits in a line: 1-based first column and width in
// characters (the columns the decoder reads). For a field that is part of a
// group (the "E" of a diameter) the columns are that part alone.
struct Sf6FieldPlace {
  int number = 0; // 0 for a number outside the layout
  const char *caption = "";
  int column = 0;
  int width = 0;
};

// One decoded line of any data file. Empty (holding no record) until assigned.
class Sf6AnyRecord {
public:
  Sf6AnyRecord() = default;
  // Holds a copy of one of the twelve record types.
  template <class R>
    requires(!std::is_same_v<std::decay_t<R>, Sf6AnyRecord> &&
             !std::is_same_v<std::decay_t<R>, std::monostate>)
  Sf6AnyRecord(R record) : m_record(std::move(record)) {}

  // The record if it is of type R, else nullptr. The pointer stays valid
  // while this holder lives and is not reassigned.
  template <class R> const R *get() const { return std::get_if<R>(&m_record); }
  template <class R> R *get() { return std::get_if<R>(&m_record); }
  bool empty() const { return m_record.index() == 0; }

private:
  std::variant<std::monostate, TSf6DataLensType, TSf6DataLensRange, TSf6DataLensGeo,
               TSf6DataLensPrice, TSf6Dataoptions, TSf6DataoptionsColor, TSf6DataoptionsPrice,
               TSf6DataCombination, TSf6DataInformation, TSf6DataOrderOptions,
               TSf6DataProductgroup, TSf6DataCodeSubst>
      m_record;
};

// A data file's layout as a function table. Every function accepts any input:
// a field number outside 1..fieldCount gives "" (caption, text) or a place
// with number 0; a record of another file gives "".
struct Sf6Layout {
  const char *fileName;   // entry name in the archive, e.g. "LensType.Dat"
  const char *recordName; // e.g. "TSf6DataLensType"
  int fieldCount;
  Sf6FieldPlace (*place)(int number);
  std::string (*caption)(int number);
  Sf6AnyRecord (*parse)(std::string_view line);
  std::string (*text)(int number, const Sf6AnyRecord &record);
  // Parses the line and writes it back with the file's builder; nullptr for the
  // files without one (ProductGroup.Dat, CodeSubstitution.Dat). Builders that
  // take more than the record get it from the line: a price is present when its
  // seven columns are not all blank; product type, code, type and priority of
  // Information and OrderOptions lines come from the parsed record.
  std::string (*rebuild)(std::string_view line);
  // Every field of the layout in field order (fieldCount of them), as its
  // table describes it.
  std::span<const Sf6FieldInfo> (*fields)() = nullptr;
  // The values of a record, out[i] for field i + 1, as many as out holds
  // (fieldCount for all). They are overwritten, reusing their text storage,
  // so a caller that keeps one buffer for many records allocates little. A
  // record of another file gives the empty value of each field's type.
  void (*values)(const Sf6AnyRecord &record, std::span<Sf6FieldValue> out) = nullptr;
};

// The twelve layouts in file-set order (LensType.Dat ... CodeSubstitution.Dat).
std::span<const Sf6Layout> Sf6Layouts();
// The layout whose file name equals fileName without regard to ASCII case;
// nullptr when none does.
const Sf6Layout *FindSf6Layout(std::string_view fileName);

// The layout of each file.
const Sf6Layout &LensTypeLayout();
const Sf6Layout &LensRangeLayout();
const Sf6Layout &LensGeoLayout();
const Sf6Layout &LensPriceLayout();
const Sf6Layout &OptionsLayout();
const Sf6Layout &OptionsColorLayout();
const Sf6Layout &OptionsPriceLayout();
const Sf6Layout &CombinationLayout();
const Sf6Layout &InformationLayout();
const Sf6Layout &OrderOptionsLayout();
const Sf6Layout &ProductGroupLayout();
const Sf6Layout &CodeSubstitutionLayout();

// The viewer's current line: the line padded with blanks and cut to 255
// characters, the form in which the field grids decode it.
std::string ViewerLine(std::string_view line);

} // namespace sf6
