#pragma once

// The model's tagged storage form: saving and loading single catalog objects
// and whole catalogs. The element vocabulary is the field vocabulary of the
// catalog classes; every class's keys are described once as a table
// (XmlStorageTables.cpp) that drives both writing and reading.
//
// A whole catalog is written as
//   <LUP6><LOID>n</LOID><NOTE>notes</NOTE> lists in the order DAL, DPBL,
//   GLL, DBL, KOL, DVL, PC, DFLG, LBBL, PROT, BezVorg, DPGL, COSUBGL,
//   COSUBBL </LUP6>
// and each object as "<" tag ">" "ED" "OID" its keys and owned parts "</" tag ">".
//
// The notes are written as their lines, each followed by CR LF ("&#13;&#10;").
//
// Value forms: texts escaped (XmlWriter.h) and left out when empty;
// integers and enumeration file codes in decimal; floats with a dot; flags
// only when true, as "1"; date-times (valid from / to, protocol times) as
// "yyyymmddhhnnss", left out when zero; "ED" as "yyyymmddhhnn"; diameters
// "65", "65/70E"; the coating material set and the order-option sets as
// their bit patterns.
// On loading, a text, flag or date whose key is absent is empty, false or 0
// (so that what was left out comes back as it was); other absent keys keep
// the object's defaults. Keys compare ignoring case; unknown elements are
// skipped with everything inside them.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/XmlReader.h"
#include "model/XmlWriter.h"

namespace sf6 {

class Tlup6Dataobject;
class CatalogNode;
class TCustomlup6Object;
class TCustomlup6ObjectList;

// The tag of a whole catalog document.
inline constexpr std::string_view kCatalogXmlTag = "LUP6";

// The whole catalog as a tagged document (ASCII apart from control bytes in
// texts).
std::string SaveCatalogToXml(const Tlup6Dataobject &root);
void SaveCatalogToXml(const Tlup6Dataobject &root, XmlWriter &out);

// Replaces the content of root by the catalog in text: root.Clear(false)
// first, then every list and object of the document is added. Object numbers
// are those of the document (objects it leaves out keep the numbers they drew);
// LOID ends at the document's LOID or the largest object number in the loaded
// catalog, whichever is larger. A formula group without an ID gets the next
// free one. The order numbers
// (CSNR) of lenses and coatings are taken as stored, without a renumbering
// pass. Progress messages go to root.DoProgress. Throws Sf6Error with line and column when text is
// not a well-formed tagged document or its root element is not "LUP6"; root then holds what was
// read up to the fault.
void LoadCatalogFromXml(Tlup6Dataobject &root, std::string_view text);

// Loads one object from a document whose root element is the object's tag
// (ignoring case); throws Sf6Error like LoadCatalogFromXml.
void LoadObjectFromXml(TCustomlup6Object &object, std::string_view text);

// The receiver switching of a load: the object, list or root at the top gets
// the reader's events for its element; BeginXmlLoad of a child pushes it,
// the end tag of its element hands control back to the one below.
class XmlLoad {
public:
  XmlLoad() = default;
  XmlLoad(const XmlLoad &) = delete;
  XmlLoad &operator=(const XmlLoad &) = delete;

  // Makes object / list the receiver of the element whose StartTag is being
  // handled (called from BeginXmlLoad).
  void BeginObject(TCustomlup6Object &object);
  void BeginList(TCustomlup6ObjectList &list);
  void BeginRoot(Tlup6Dataobject &root);
  // Ignores the element whose StartTag is being handled, with its content.
  void SkipElement();

  // Default event handling of objects and lists (ReadXmlPart).
  void ReadObjectPart(TCustomlup6Object &object, const XmlEvent &event);
  void ReadListPart(TCustomlup6ObjectList &list, const XmlEvent &event);

  // Reads the document; its root element must have tag expectedTag
  // (ignoring case) and goes to begin, which must push one receiver.
  void Run(XmlReader &reader, std::string_view expectedTag, const std::function<void()> &begin);

  // Called for every object number read or given (the largest is kept).
  void NoteOid(int32_t oid) {
    if (oid > m_maxOid)
      m_maxOid = oid;
  }

private:
  enum class FrameKind { Root, Object, List };
  struct Frame {
    FrameKind kind;
    CatalogNode *node;
    int depth;
    int key = -1; // the key element being read (object and root frames)
  };
  void push(FrameKind kind, CatalogNode *node);
  void endFrame(const Frame &frame);
  void dispatch(const XmlEvent &event);
  void readRootPart(Tlup6Dataobject &root, const XmlEvent &event);
  [[noreturn]] void failStart(XmlReader &reader, std::string_view name,
                              std::string_view expectedTag) const;

  std::vector<Frame> m_frames;
  int m_eventDepth = 0;
  int m_skipDepth = 0;
  int32_t m_maxOid = 0;
  int32_t m_loadedLoid = 0;
};

} // namespace sf6
