#include "model/LensGeometry.h"
#include "model/Lens.h"

#include <algorithm>
#include <set>

#include "lang/LanguageTable.h"
#include "model/Coating.h"
#include "model/NameSlots.h"
#include "model/PriceSource.h"

namespace sf6 {

// Geometry ---------------------------------------------------------------------------

void Tlup6DataGlasGeometrie::Clear(bool) {
  BN = HAFB = WSV = WSB = ORN = VANB = URN = HN = VAFB = HZ = VAZK = 0;
  NTT = TSf6SegmentType::C;
  MVANB = MHANP = 0;
  Dm = {};
  WK = false;
  DM1H = DM2H = VAMN = HAT = VAT = 0;
  BLR = TSf6ViewDirection::Nullblickrichtung;
  HANP = 0;
}

} // namespace sf6
