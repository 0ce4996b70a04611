#include "model/Colour.h"
#include "model/Coating.h"

#include <algorithm>
#include <map>
#include <set>

#include "lang/LanguageTable.h"
#include "model/NameSlots.h"
#include "model/PriceSource.h"
#include "text/Collation.h"

namespace sf6 {

// Colours ---------------------------------------------------------------------------

void Tlup6DataFarbe::Clear(bool) {
  AbV = AbO = 0;
  EDV.clear();
  Bottom = Top = Middle = {};
  FK = 0;
  UVK = UVA = UVB = 0;
  Stvo = TSf6RoadUse::KeineAngabe;
  for (auto &s : m_B)
    s.clear();
}

std::string Tlup6DataFarbe::GetName(int i) const {
  return SlotText(m_B, i);
}
void Tlup6DataFarbe::SetName(int i, std::string_view text) {
  SetSlotText(m_B, i, text);
}
std::string Tlup6DataFarbe::GetNameFallback(int i) const {
  return SlotTextWithFallback(i, [this](int n) { return GetName(n); });
}

Tlup6DataBeschichtung *Tlup6DataFarbe::GetCoating() const {
  auto *list = static_cast<Tlup6DataFarbListe *>(Owner());
  return list != nullptr ? static_cast<Tlup6DataBeschichtung *>(list->Owner()) : nullptr;
}

Tlup6DataFarbe::Tlup6DataFarbe(Tlup6Dataobject *root, bool assignOid, Tlup6DataFarbListe *owner)
    : TCustomlup6Object(root, assignOid, owner) {}

Tlup6DataFarbListe::Tlup6DataFarbListe(Tlup6Dataobject *root, Tlup6DataBeschichtung *owner)
    : OwningList(root, owner) {}

} // namespace sf6
