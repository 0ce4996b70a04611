// The lookup indexes must answer exactly what a scan from the first to the
// last item (keeping the last match) answers, through adds, renames, key
// changes, removals and clears. Random operations on small key spaces make
// duplicates and collisions frequent.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <vector>

#include "model/Catalog.h"

namespace sf6 {
namespace {

std::string randomCode(std::mt19937 &rng) {
  static const char *codes[] = {"A", "a", "B", "b1", "B1", "", "C", "c"};
  return codes[rng() % 8];
}

TEST(ModelIndex, LensCodeIndexAgreesWithScan) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *lenses = &root.Lenses();
  std::mt19937 rng(1);
  for (int step = 0; step < 3000; ++step) {
    const unsigned op = rng() % 10;
    if (op < 4 || lenses->Count() == 0) {
      lenses->AddLens()->SetEDV(randomCode(rng));
    } else if (op < 7) {
      lenses->Items(static_cast<int>(rng() % lenses->Count()))->SetEDV(randomCode(rng));
    } else if (op < 9) {
      lenses->Delete(static_cast<int>(rng() % lenses->Count()));
    } else if (step % 500 == 9) {
      lenses->ClearList(false);
    } else {
      lenses->Items(static_cast<int>(rng() % lenses->Count()))->Clear(false);
    }
    for (const char *probe : {"A", "a ", "B1", "", "C", "zz"})
      ASSERT_EQ(lenses->FindByCode(probe), lenses->ScanByCode(probe)) << step << probe;
  }
}

TEST(ModelIndex, CoatingIndexesAgreeWithScan) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *coatings = &root.Coatings();
  std::mt19937 rng(2);
  for (int step = 0; step < 3000; ++step) {
    const unsigned op = rng() % 10;
    const int n = coatings->Count();
    if (op < 3 || n == 0) {
      auto *c = coatings->AddNew();
      c->SetEDV(randomCode(rng));
      c->SetSF4Code(static_cast<int>(rng() % 5), randomCode(rng));
    } else if (op < 5) {
      coatings->Items(static_cast<int>(rng() % n))->SetEDV(randomCode(rng));
    } else if (op < 7) {
      coatings->Items(static_cast<int>(rng() % n))
          ->SetSF4Code(static_cast<int>(rng() % 6), randomCode(rng));
    } else if (op < 9) {
      coatings->RemoveCoating(coatings->Items(static_cast<int>(rng() % n)));
    } else {
      coatings->Items(static_cast<int>(rng() % n))->Clear(false);
    }
    for (const char *probe : {"A", "a", "B1", "", "C", "Z1", "zz"}) {
      ASSERT_EQ(coatings->FindByCode(probe), coatings->ScanByCode(probe)) << step << probe;
      ASSERT_EQ(coatings->FindBySF4Code(probe), coatings->ScanBySF4Code(probe)) << step << probe;
    }
  }
}

// The table itself, with thousands of keys and a hash that sends them to a
// few homes: long runs that wrap around the end of the table, so removing
// a key must shift the right later keys back. The reference keeps every
// key's items in list order.
TEST(ModelIndex, OpenTableAgreesWithReferenceThroughGrowthAndRemoval) {
  struct Item {
    uint64_t seq;
    uint64_t listSeq() const { return seq; }
  };
  struct FewHomes {
    std::size_t operator()(int key) const { return static_cast<std::size_t>(key % 7); }
  };
  std::vector<std::unique_ptr<Item>> items;
  std::map<int, std::vector<Item *>> reference;
  LastMatchIndex<int, Item, FewHomes> index;
  std::mt19937 rng(7);
  for (int step = 0; step < 30000; ++step) {
    const int key = static_cast<int>(rng() % (step < 15000 ? 3000 : 300));
    std::vector<Item *> &expected = reference[key];
    if (rng() % 3 != 0 || expected.empty()) {
      items.push_back(std::make_unique<Item>(Item{static_cast<uint64_t>(step + 1)}));
      index.Add(key, items.back().get());
      expected.push_back(items.back().get());
    } else {
      const std::size_t victim = rng() % expected.size();
      index.Remove(key, expected[victim]);
      expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(victim));
    }
    if (step % 1000 == 999)
      for (const auto &[k, list] : reference) {
        ASSERT_EQ(index.Find(k), list.empty() ? nullptr : list.back()) << step << ' ' << k;
        ASSERT_EQ(index.FindFirst(k), list.empty() ? nullptr : list.front()) << step << ' ' << k;
      }
  }
  std::size_t keys = 0;
  for (const auto &entry : reference)
    keys += entry.second.empty() ? 0 : 1;
  EXPECT_EQ(index.Size(), keys);
}

TEST(ModelIndex, LensPriceIndexAgreesWithScan) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *lens = root.Lenses().AddLens();
  auto *prices = &lens->Prices();
  std::mt19937 rng(3);
  auto key = [&] {
    return LensPriceKey{static_cast<uint8_t>(rng() % 3), static_cast<uint8_t>(rng() % 2),
                        TSf6Diameter{static_cast<int32_t>(65 + 5 * (rng() % 2)), 0, rng() % 4 == 0},
                        static_cast<int32_t>(1 + rng() % 2), static_cast<int32_t>(rng() % 2)};
  };
  for (int step = 0; step < 4000; ++step) {
    const unsigned op = rng() % 12;
    const int n = prices->Count();
    if (op < 4 || n == 0) {
      auto *p = prices->AddNew();
      const LensPriceKey k = key();
      p->SetGSph(k.sph + (rng() % 2) * 256); // same byte, other integer
      p->SetGCyl(k.cyl);
      p->SetGDM(k.dm);
      p->SetPBID(k.pbid);
      p->SetLBI(k.lbi);
    } else if (op < 8) {
      auto *p = prices->Items(static_cast<int>(rng() % n));
      const LensPriceKey k = key();
      switch (rng() % 5) {
      case 0:
        p->SetGSph(k.sph);
        break;
      case 1:
        p->SetGCyl(k.cyl);
        break;
      case 2:
        p->SetGDM(k.dm);
        break;
      case 3:
        p->SetPBID(k.pbid);
        break;
      default:
        p->SetLBI(k.lbi);
        break;
      }
    } else if (op < 10) {
      prices->Delete(static_cast<int>(rng() % n));
    } else if (op == 10) {
      prices->RemoveByPBID(static_cast<int32_t>(1 + rng() % 2));
    } else {
      prices->Items(static_cast<int>(rng() % n))->Clear(false);
    }
    for (int probe = 0; probe < 6; ++probe) {
      const LensPriceKey k = key();
      ASSERT_EQ(prices->FindPrice(k.sph, k.cyl, false, k.lbi, k.pbid, k.dm), prices->ScanPrice(k))
          << step;
    }
  }
}

TEST(ModelIndex, CoatingPriceIndexAgreesWithScan) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *coating = root.Coatings().AddNew();
  auto *prices = &coating->Prices();
  std::mt19937 rng(4);
  auto st = [&] { return static_cast<TSf6SphTor>(rng() % 3); };
  auto em = [&] { return static_cast<TSf6SingleMulti>(rng() % 3); };
  auto mat = [&] { return static_cast<TSf6Material>(rng() % 5); };
  auto lensCode = [&] { return rng() % 3 == 0 ? randomCode(rng) : std::string(); };
  auto pbid = [&] { return static_cast<int32_t>(1 + rng() % 2); };
  for (int step = 0; step < 4000; ++step) {
    const unsigned op = rng() % 12;
    const int n = prices->Count();
    if (op < 4 || n == 0) {
      auto *p = prices->AddNew();
      p->SetST(st());
      p->SetEM(em());
      p->SetMAT(mat());
      p->SetPBID(pbid());
      p->SetEdv(lensCode());
    } else if (op < 8) {
      auto *p = prices->Items(static_cast<int>(rng() % n));
      switch (rng() % 5) {
      case 0:
        p->SetST(st());
        break;
      case 1:
        p->SetEM(em());
        break;
      case 2:
        p->SetMAT(mat());
        break;
      case 3:
        p->SetPBID(pbid());
        break;
      default:
        p->SetEdv(lensCode());
        break;
      }
    } else if (op < 10) {
      prices->Delete(static_cast<int>(rng() % n));
    } else if (op == 10) {
      prices->RemoveByPBID(pbid());
    } else {
      prices->Items(static_cast<int>(rng() % n))->Clear(false);
    }
    for (int probe = 0; probe < 6; ++probe) {
      const TSf6SphTor s = st();
      const TSf6SingleMulti e = em();
      const TSf6Material m = mat();
      const std::string code = lensCode();
      const int32_t id = pbid();
      ASSERT_EQ(prices->FindCoatingPrice(s, e, false, code, id, m),
                prices->ScanCoatingPrice(s, e, code, id, m))
          << step;
      const Tlup6DataBeschichtungspreis *scan =
          prices->FindLast([&](const Tlup6DataBeschichtungspreis &p) {
            return SameCode(p.Edv(), code) && p.PBID() == id;
          });
      ASSERT_EQ(prices->FindLensCoatingPrice(code, id, false), scan) << step;
    }
  }
}

TEST(ModelIndex, CombinationIndexAgreesWithScan) {
  Tlup6Dataobject root;
  root.Clear(true);
  auto *list = &root.Combinations();
  std::mt19937 rng(6);
  auto code = [&] { return randomCode(rng); };
  for (int step = 0; step < 3000; ++step) {
    const unsigned op = rng() % 12;
    const int n = list->Count();
    if (op < 4 || n == 0) {
      list->AddCombination(code(), code(), TSf6Availability::Lieferbar, code(), code());
    } else if (op < 7) {
      auto *k = list->Items(static_cast<int>(rng() % n));
      switch (rng() % 5) {
      case 0:
        k->SetGE(code());
        break;
      case 1:
        k->SetB1E(code());
        break;
      case 2:
        k->SetB2E(code());
        break;
      case 3:
        k->SetB3E(code());
        break;
      default:
        k->SetLB(static_cast<TSf6Availability>(rng() % 3));
        break;
      }
    } else if (op == 7) {
      list->Delete(static_cast<int>(rng() % n));
    } else if (op == 8) {
      list->RemoveByCoating(code());
    } else if (op == 9) {
      list->RenameCoating(code(), code());
    } else if (op == 10) {
      list->RenameLens(code(), code());
    } else {
      list->SetAutoSort(rng() % 2 == 0);
    }
    for (int probe = 0; probe < 6; ++probe) {
      const std::string l = code(), a = code(), b = code(), c = code();
      ASSERT_EQ(list->FindCombination(l, a, b, c), list->ScanCombination(l, a, b, c)) << step;
    }
  }
}

} // namespace
} // namespace sf6
