#pragma once

// A part that always exists for its owner but is made only when first asked
// for. A catalog holds hundreds of thousands of prices and few of them use
// their local formula; making each price's formula up front cost most of the
// memory of a converted catalog. The part's object numbers are taken when the
// owner is made, so they are the numbers an eagerly made part would have had.
//
// Part must be constructible as Part(root, false, owner), declare
// kOidCount (its own object number and those of its sub-parts) and
// TakeReservedOids(first), which gives them first, first + 1, ...

#include <cstdint>
#include <memory>

#include "model/Root.h"

namespace sf6 {

template <class Part, class Owner> class LazyPart {
public:
  explicit LazyPart(Tlup6Dataobject *root) {
    if (root == nullptr)
      return;
    m_firstOid = root->NextOid();
    for (int i = 1; i < Part::kOidCount; ++i)
      root->NextOid();
  }

  // owner is the object this part is a member of: it is not stored, since
  // the owner always knows where its part is.
  Part &get(const Owner &owner) const {
    if (!m_part) {
      // Made on a const owner too: the part exists for the owner all along,
      // it only takes memory late. Owners are never const objects.
      Owner *self = const_cast<Owner *>(&owner);
      m_part = std::make_unique<Part>(self->Root(), false, self);
      if (m_firstOid != 0)
        m_part->TakeReservedOids(m_firstOid);
    }
    return *m_part;
  }
  // Clear of a part not yet made leaves it as it would be made.
  void clear(bool flag) {
    if (m_part)
      m_part->Clear(flag);
  }

private:
  mutable std::unique_ptr<Part> m_part;
  int32_t m_firstOid = 0;
};

} // namespace sf6
