#include "model/XmlStorage.h"

#include <algorithm>

#include "lang/LanguageTable.h"
#include "model/Catalog.h"
#include "model/XmlTable.h"
#include "text/Errors.h"
#include "text/FieldText.h"

namespace sf6 {

namespace xml {

// "65", "65/70", "65/70E", "65E"; "0" for no diameter, so that every
// diameter, also one without a first value, comes back as it was.
std::string toText(const TSf6Diameter &v) {
  std::string text = IntToText(v.First);
  if (v.Second != 0)
    text += "/" + IntToText(v.Second);
  if (v.E)
    text += 'E';
  return text;
}

void fromText(TSf6Diameter &v, std::string_view t) {
  v = TSf6Diameter{};
  if (!t.empty() && (t.back() == 'E' || t.back() == 'e')) {
    v.E = true;
    t.remove_suffix(1);
  }
  const std::size_t slash = t.find('/');
  v.First = TextToInt(t.substr(0, slash));
  if (slash != std::string_view::npos)
    v.Second = TextToInt(t.substr(slash + 1));
}

void writeChild(const CatalogNode *child, XmlWriter &out) {
  if (const auto *object = dynamic_cast<const TCustomlup6Object *>(child)) {
    object->SaveToXml(out);
    return;
  }
  if (const auto *list = dynamic_cast<const TCustomlup6ObjectList *>(child))
    list->SaveToXml(out);
}

namespace {
const ClassTable *tableOf(const TCustomlup6Object &object) {
  const auto &classes = registry().classes;
  const auto it = classes.find(std::type_index(typeid(object)));
  return it == classes.end() ? nullptr : it->second.get();
}

// Calls visit for every object owned by object (not the items of its lists),
// at any depth.
void forEachOwnedObject(const TCustomlup6Object &object,
                        const std::function<void(const TCustomlup6Object &)> &visit) {
  const ClassTable *table = tableOf(object);
  if (table == nullptr)
    return;
  for (int i = 0; i < table->size(); ++i)
    if (const auto *owned = dynamic_cast<const TCustomlup6Object *>(table->child(object, i))) {
      visit(*owned);
      forEachOwnedObject(*owned, visit);
    }
}
} // namespace

} // namespace xml

// Objects ------------------------------------------------------------------------

void TCustomlup6Object::SaveToXml(XmlWriter &out) const {
  const std::string tag = GetTagName();
  out.Open(tag);
  WriteXmlContent(out);
  out.Close(tag);
}

void TCustomlup6Object::WriteXmlContent(XmlWriter &out) const {
  out.Element("ED", DateTimeToCompactMinutes(ED, true));
  out.Element("OID", IntToText(m_OID));
  if (const xml::ClassTable *table = xml::tableOf(*this))
    table->write(*this, out);
}

void TCustomlup6Object::BeginXmlLoad(XmlLoad &load) {
  load.BeginObject(*this);
}

void TCustomlup6Object::ReadXmlPart(XmlLoad &load, const XmlEvent &event) {
  load.ReadObjectPart(*this, event);
}

// Lists ----------------------------------------------------------------------------

void TCustomlup6ObjectList::SaveToXml(XmlWriter &out) const {
  const std::string tag = GetTagName();
  out.Open(tag);
  WriteXmlItems(out);
  out.Close(tag);
}

void TCustomlup6ObjectList::WriteXmlItems(XmlWriter &out) const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    ItemAt(i)->SaveToXml(out);
}

void TCustomlup6ObjectList::BeginXmlLoad(XmlLoad &load) {
  load.BeginList(*this);
}

void TCustomlup6ObjectList::ReadXmlPart(XmlLoad &load, const XmlEvent &event) {
  load.ReadListPart(*this, event);
}

// Load -------------------------------------------------------------------------------

namespace {

constexpr int kRootLoid = 0;
constexpr int kRootNote = 1;

// The root's lists in saving order, with the progress message of each.
struct RootPart {
  const char *tag;
  int slot;            // language text of the progress message, or -1
  const char *message; // the fixed message when slot is -1
  CatalogNode *(*get)(const Tlup6Dataobject &);
};
const RootPart kRootParts[] = {
    {"DAL", 91, nullptr, [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.Addresses(); }},
    {"DPBL", 92, nullptr,
     [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.PriceDesignations(); }},
    {"GLL", 93, nullptr, [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.Lenses(); }},
    {"DBL", 94, nullptr, [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.Coatings(); }},
    {"KOL", 95, nullptr,
     [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.Combinations(); }},
    {"DVL", 96, nullptr, [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.Variables(); }},
    {"PC", 97, nullptr,
     [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.PrismCylinder(); }},
    {"DFLG", 98, nullptr,
     [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.FormulaGroups(); }},
    {"LBBL", 99, nullptr,
     [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.DeliveryRangeNames(); }},
    {"PROT", 100, nullptr, [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.Protocol(); }},
    {"BezVorg", -1, "Laden von Bezeichnungsvorgaben",
     [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.NamingPresets(); }},
    {"DPGL", -1, "Laden von Produktgruppen",
     [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.ProductGroups(); }},
    {"COSUBGL", -1, "Laden von CodeSubstGlas",
     [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.LensCodeSubstitutions(); }},
    {"COSUBBL", -1, "Laden von CodeSubstBesch",
     [](const Tlup6Dataobject &r) -> CatalogNode * { return &r.CoatingCodeSubstitutions(); }},
};

void beginChild(CatalogNode *child, XmlLoad &load) {
  if (auto *object = dynamic_cast<TCustomlup6Object *>(child)) {
    object->BeginXmlLoad(load);
    return;
  }
  if (auto *list = dynamic_cast<TCustomlup6ObjectList *>(child)) {
    list->BeginXmlLoad(load);
    return;
  }
  load.SkipElement();
}

// Every line of the notes ends with CR LF, as lines of a catalog file do:
// splitting the text again gives the same lines, also when the last ones are
// empty or the notes are one empty line. A line that holds line breaks itself
// is written as the lines it splits into on loading, so that the first save
// already writes what every later save of the loaded catalog writes. Notes
// stored without a final line break still split into the lines they held.
std::string joinNotes(const LineList &lines) {
  std::string text;
  bool innerBreaks = false;
  for (const std::string &line : lines) {
    innerBreaks = innerBreaks || line.find_first_of("\r\n") != std::string::npos;
    text += line;
    text += "\r\n";
  }
  return innerBreaks ? joinNotes(SplitLines(text)) : text;
}

} // namespace

void XmlLoad::push(FrameKind kind, CatalogNode *node) {
  m_frames.push_back(Frame{kind, node, m_eventDepth});
}

void XmlLoad::BeginObject(TCustomlup6Object &object) {
  push(FrameKind::Object, &object);
  if (const xml::ClassTable *table = xml::tableOf(object))
    table->begin(object);
}

void XmlLoad::BeginList(TCustomlup6ObjectList &list) {
  push(FrameKind::List, &list);
  // The order numbers of lenses and coatings are taken as stored: while the
  // list loads, setting a number does not renumber the others.
  if (auto *lenses = dynamic_cast<Tlup6DataGlasliste *>(&list))
    lenses->SetRenumbering(false);
  if (auto *coatings = dynamic_cast<Tlup6DataBeschichtungsliste *>(&list))
    coatings->SetRenumbering(false);
}

void XmlLoad::BeginRoot(Tlup6Dataobject &root) {
  push(FrameKind::Root, &root);
}

void XmlLoad::SkipElement() {
  m_skipDepth = m_eventDepth;
}

void XmlLoad::endFrame(const Frame &frame) {
  if (frame.kind == FrameKind::List) {
    // No renumbering pass afterwards: the numbers are catalog data (the SF6
    // export writes them, and an SF4 read leaves the newest lens at 0 beside
    // the first), so a pass would change what a saved catalog converts to.
    if (auto *lenses = dynamic_cast<Tlup6DataGlasliste *>(frame.node))
      lenses->SetRenumbering(true);
    if (auto *coatings = dynamic_cast<Tlup6DataBeschichtungsliste *>(frame.node))
      coatings->SetRenumbering(true);
    return;
  }
  if (frame.kind == FrameKind::Object) {
    // Also objects whose document gave no number keep the one they drew, and
    // so do the owned objects it left out: LOID must stay above all of them.
    const auto *object = static_cast<TCustomlup6Object *>(frame.node);
    NoteOid(object->OID());
    xml::forEachOwnedObject(*object, [this](const TCustomlup6Object &o) { NoteOid(o.OID()); });
    // A formula group without an ID loads as one with ID 0 does: under the
    // next free ID, which a later save then writes and loads unchanged.
    if (auto *group = dynamic_cast<Tlup6DataFormelGruppe *>(frame.node); group && group->ID() == 0)
      group->SetID(0);
    return;
  }
  if (frame.kind == FrameKind::Root) {
    // Creating the objects drew numbers from the counter; the catalog's own
    // counter is the saved one, or the largest number of a loaded object.
    auto *root = static_cast<Tlup6Dataobject *>(frame.node);
    for (const RootPart &part : kRootParts)
      if (const auto *object = dynamic_cast<const TCustomlup6Object *>(part.get(*root))) {
        NoteOid(object->OID());
        xml::forEachOwnedObject(*object, [this](const TCustomlup6Object &o) { NoteOid(o.OID()); });
      }
    root->SetLOID(std::max(m_loadedLoid, m_maxOid));
  }
}

void XmlLoad::dispatch(const XmlEvent &event) {
  Frame &top = m_frames.back();
  if (event.depth == top.depth) {
    // The receiver's own element: its Content (an empty element) means
    // nothing, its EndTag hands control back.
    if (event.kind == XmlPart::EndTag) {
      const Frame frame = top;
      m_frames.pop_back();
      endFrame(frame);
    }
    return;
  }
  switch (top.kind) {
  case FrameKind::Root:
    readRootPart(*static_cast<Tlup6Dataobject *>(top.node), event);
    return;
  case FrameKind::Object:
    static_cast<TCustomlup6Object *>(top.node)->ReadXmlPart(*this, event);
    return;
  case FrameKind::List:
    static_cast<TCustomlup6ObjectList *>(top.node)->ReadXmlPart(*this, event);
    return;
  }
}

namespace {
constexpr int kKeyED = -2;
constexpr int kKeyOID = -3;
constexpr int kNoKey = -1;
} // namespace

void XmlLoad::ReadObjectPart(TCustomlup6Object &object, const XmlEvent &event) {
  Frame &top = m_frames.back();
  const xml::ClassTable *table = xml::tableOf(object);
  switch (event.kind) {
  case XmlPart::StartTag: {
    if (top.key != kNoKey) {
      // Elements inside a key are not part of the form.
      SkipElement();
      return;
    }
    if (SameCode(event.name, "ED")) {
      top.key = kKeyED;
      return;
    }
    if (SameCode(event.name, "OID")) {
      top.key = kKeyOID;
      return;
    }
    const int index = table == nullptr ? -1 : table->find(object, event.name);
    if (index < 0) {
      SkipElement();
      return;
    }
    if (CatalogNode *child = table->child(object, index)) {
      beginChild(child, *this);
      return;
    }
    top.key = index;
    return;
  }
  case XmlPart::Content:
    if (top.key == kKeyED)
      object.ED = CompactToDateTime(event.value);
    else if (top.key == kKeyOID) {
      const int32_t oid = TextToInt(event.value);
      object.SetOID(oid);
      NoteOid(oid);
    } else if (top.key >= 0 && table != nullptr)
      table->set(object, top.key, event.value);
    return;
  case XmlPart::EndTag:
    top.key = kNoKey;
    return;
  }
}

void XmlLoad::ReadListPart(TCustomlup6ObjectList &list, const XmlEvent &event) {
  if (event.kind != XmlPart::StartTag)
    return;
  const auto &tags = xml::registry().itemTags;
  const auto it = tags.find(std::type_index(typeid(list)));
  if (it == tags.end() || !SameCode(event.name, it->second)) {
    SkipElement();
    return;
  }
  list.AddNewObject()->BeginXmlLoad(*this);
}

void XmlLoad::readRootPart(Tlup6Dataobject &root, const XmlEvent &event) {
  Frame &top = m_frames.back();
  switch (event.kind) {
  case XmlPart::StartTag: {
    if (top.key != kNoKey) {
      SkipElement();
      return;
    }
    if (SameCode(event.name, "LOID"))
      top.key = kRootLoid;
    else if (SameCode(event.name, "NOTE"))
      top.key = kRootNote;
    else {
      const RootPart *part = nullptr;
      for (const RootPart &p : kRootParts)
        if (SameCode(event.name, p.tag)) {
          part = &p;
          break;
        }
      if (part == nullptr) {
        SkipElement();
      } else {
        root.DoProgress(part->slot >= 0 ? LangText(part->slot) : std::string(part->message));
        beginChild(part->get(root), *this);
      }
    }
    root.DoProgress(LangText(101));
    return;
  }
  case XmlPart::Content:
    if (top.key == kRootLoid) {
      m_loadedLoid = TextToInt(event.value);
      root.SetLOID(m_loadedLoid);
    } else if (top.key == kRootNote) {
      root.NOTE = SplitLines(event.value);
    }
    return;
  case XmlPart::EndTag:
    top.key = kNoKey;
    return;
  }
}

void XmlLoad::failStart(XmlReader &reader, std::string_view name,
                        std::string_view expectedTag) const {
  throw Sf6Error("Tagged catalog document, " + reader.PositionText(reader.Offset()) + ": <" +
                 std::string(name) + "> where <" + std::string(expectedTag) + "> was expected");
}

void XmlLoad::Run(XmlReader &reader, std::string_view expectedTag,
                  const std::function<void()> &begin) {
  XmlEvent event;
  while (reader.Next(event)) {
    m_eventDepth = event.depth;
    if (m_skipDepth > 0) {
      if (event.kind == XmlPart::EndTag && event.depth == m_skipDepth)
        m_skipDepth = 0;
      continue;
    }
    if (m_frames.empty()) {
      // Only the root element's StartTag comes here: after its end the
      // reader reports nothing more.
      if (event.kind != XmlPart::StartTag || !SameCode(event.name, expectedTag))
        failStart(reader, event.name, expectedTag);
      begin();
      continue;
    }
    dispatch(event);
  }
}

// Whole catalog -------------------------------------------------------------------------

void SaveCatalogToXml(const Tlup6Dataobject &root, XmlWriter &out) {
  out.Open(kCatalogXmlTag);
  out.Element("LOID", IntToText(root.LOID()));
  if (!root.NOTE.empty())
    out.Element("NOTE", joinNotes(root.NOTE));
  for (const RootPart &part : kRootParts)
    xml::writeChild(part.get(root), out);
  out.Close(kCatalogXmlTag);
}

std::string SaveCatalogToXml(const Tlup6Dataobject &root) {
  std::string text;
  XmlWriter out(text);
  SaveCatalogToXml(root, out);
  return text;
}

void LoadCatalogFromXml(Tlup6Dataobject &root, std::string_view text) {
  root.Clear(false);
  // Clear(false) leaves named presets; the document's presets replace them
  // (an absent name reads as empty).
  XmlReader reader(text);
  XmlLoad load;
  load.Run(reader, kCatalogXmlTag, [&] { load.BeginRoot(root); });
}

void LoadObjectFromXml(TCustomlup6Object &object, std::string_view text) {
  XmlReader reader(text);
  XmlLoad load;
  const std::string tag = object.GetTagName();
  load.Run(reader, tag, [&] { object.BeginXmlLoad(load); });
}

} // namespace sf6
