#include "model/Lup6Object.h"

#include <algorithm>
#include <numeric>

#include "lang/LanguageTable.h"
#include "model/Extras.h"
#include "model/Root.h"
#include "text/Collation.h"
#include "text/SortedLineList.h"

namespace sf6 {

namespace {
char foldChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

std::string FoldCode(std::string_view code) {
  std::string out(code);
  for (char &c : out)
    c = foldChar(c);
  return out;
}

std::string ProductCodeKey(std::string_view code) {
  return FoldCode(RightTrim(code));
}

bool SameCode(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldChar(a[i]) != foldChar(b[i]))
      return false;
  return true;
}

int CompareCodeText(std::string_view a, std::string_view b) {
  return CompareNoCase1252(a, b);
}

TCustomlup6Object::TCustomlup6Object(Tlup6Dataobject *root, bool assignOid, CatalogNode *owner)
    : m_root(root), m_owner(owner) {
  if (m_root == nullptr)
    return;
  m_root->RegisterObject(this);
  if (assignOid)
    m_OID = m_root->NextOid();
}

TCustomlup6Object::~TCustomlup6Object() {
  if (m_root != nullptr)
    m_root->UnregisterObject(this);
}

void TCustomlup6Object::SetOID(int32_t value) {
  m_OID = value;
  if (m_root != nullptr && m_root->LOID() < value)
    m_root->SetLOID(value);
}

std::string TCustomlup6Object::GetDisplayText(int kind, std::string_view name) const {
  std::string text = name.empty() ? GetTagName() : std::string(name);
  switch (kind) {
  case 1:
    return text + " " + LangText(88) + ": ";
  case 2:
    return text + " " + LangText(89) + ": ";
  case 3:
    return text + " " + LangText(90) + ": ";
  default:
    return text + ": ";
  }
}

void TCustomlup6Object::Clear(bool) {}

Tlup6DataProtokoll *TCustomlup6Object::AddProtokoll(int kind, std::string_view extra,
                                                    TDateTime when, std::string_view user) {
  if (m_root == nullptr)
    return nullptr;
  std::string text = GetDisplayText(kind, "");
  if (!extra.empty()) {
    text += ' ';
    text += extra;
  }
  return m_root->Protocol().AddEntry(m_OID, text, when, user);
}

std::vector<int32_t> RenumberedCSNR(const std::vector<int32_t> &csnr, int changedIndex) {
  const int n = static_cast<int>(csnr.size());
  std::vector<std::string> keys(csnr.size());
  for (int i = 0; i < n; ++i)
    keys[static_cast<std::size_t>(i)] = IntToZeroPadded(
        static_cast<int64_t>(csnr[static_cast<std::size_t>(i)]) * 10 + (i == changedIndex ? 0 : 1),
        9);
  std::vector<int> order(csnr.size());
  std::iota(order.begin(), order.end(), 0);
  // The order of a sorted text list that inserts each key in front of the
  // equal keys it already holds: among equal keys the later item comes first.
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    const int c =
        CompareCodeText(keys[static_cast<std::size_t>(a)], keys[static_cast<std::size_t>(b)]);
    return c != 0 ? c < 0 : a > b;
  });
  std::vector<int32_t> result(csnr.size());
  for (int pos = 0; pos < n; ++pos)
    result[static_cast<std::size_t>(order[static_cast<std::size_t>(pos)])] = pos;
  return result;
}

} // namespace sf6
