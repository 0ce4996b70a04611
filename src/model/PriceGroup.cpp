#include "model/PriceGroup.h"
#include "model/Lens.h"

#include <algorithm>
#include <set>

#include "lang/LanguageTable.h"
#include "model/Coating.h"
#include "model/NameSlots.h"
#include "model/PriceSource.h"

namespace sf6 {

// Price groups -------------------------------------------------------------------------

void Tlup6DataPreisgruppen::Clear(bool) {
  m_sph = {};
  m_cyl = {};
}

bool Tlup6DataPreisgruppen::IsSphGroup(int n) const {
  return n >= 0 && n <= kMax && m_sph[static_cast<std::size_t>(n)];
}
bool Tlup6DataPreisgruppen::IsCylGroup(int n) const {
  return n >= 0 && n <= kMax && m_cyl[static_cast<std::size_t>(n)];
}
void Tlup6DataPreisgruppen::SetSphGroup(int n, bool flag) {
  if (n >= 0 && n <= kMax)
    m_sph[static_cast<std::size_t>(n)] = flag;
}
void Tlup6DataPreisgruppen::SetCylGroup(int n, bool flag) {
  if (n >= 0 && n <= kMax)
    m_cyl[static_cast<std::size_t>(n)] = flag;
}

namespace {
int groupBelow(const std::array<bool, Tlup6DataPreisgruppen::kMax + 1> &flags, int n) {
  for (int i = std::min(n - 1, Tlup6DataPreisgruppen::kMax); i >= 0; --i)
    if (flags[static_cast<std::size_t>(i)])
      return i;
  return -1;
}
} // namespace

int Tlup6DataPreisgruppen::SphGroupBelow(int n) const {
  return groupBelow(m_sph, n);
}
int Tlup6DataPreisgruppen::CylGroupBelow(int n) const {
  return groupBelow(m_cyl, n);
}
int Tlup6DataPreisgruppen::CountSphGroups() const {
  return static_cast<int>(std::count(m_sph.begin(), m_sph.end(), true));
}
int Tlup6DataPreisgruppen::CountCylGroups() const {
  return static_cast<int>(std::count(m_cyl.begin(), m_cyl.begin() + 11, true));
}

} // namespace sf6
