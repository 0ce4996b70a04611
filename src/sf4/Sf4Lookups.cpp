#include "sf4/Sf4Lookups.h"

#include "model/Lup6Object.h"

namespace sf6 {

Sf4CoatingRules::Sf4CoatingRules(const std::vector<std::string_view> &lines) {
  for (std::string_view line : lines) {
    Sf4CoatingRuleLine rule = readSf4CoatingRuleLine(line);
    m_byCode.try_emplace(FoldCode(rule.code), std::move(rule));
  }
}

const Sf4CoatingRuleLine *Sf4CoatingRules::find(std::string_view code) const {
  const auto it = m_byCode.find(FoldCode(RightTrim(code)));
  return it == m_byCode.end() ? nullptr : &it->second;
}

std::string Sf4CoatingRules::replacementCode(std::string_view code) const {
  const Sf4CoatingRuleLine *rule = find(code);
  return rule ? rule->replacement : RightTrim(code);
}

int Sf4CoatingRules::materialRule(std::string_view code) const {
  const Sf4CoatingRuleLine *rule = find(code);
  return rule ? rule->materialRule : 0;
}

Sf4EllipticRanges::Sf4EllipticRanges(const std::vector<std::string_view> &lines) {
  for (std::string_view line : lines) {
    Sf4EllipticLine entry = readSf4EllipticLine(line);
    m_byCode.try_emplace(FoldCode(entry.lensCode), std::move(entry));
  }
}

const Sf4EllipticLine *Sf4EllipticRanges::find(std::string_view lensCode) const {
  const auto it = m_byCode.find(FoldCode(RightTrim(lensCode)));
  return it == m_byCode.end() ? nullptr : &it->second;
}

int Sf4EllipticRanges::rangeSelector(std::string_view lensCode) const {
  const Sf4EllipticLine *entry = find(lensCode);
  return entry ? entry->rangeSelector : 0;
}

bool Sf4EllipticRanges::clampsNegativeSphere(std::string_view lensCode) const {
  const Sf4EllipticLine *entry = find(lensCode);
  return entry && entry->clamp > 0;
}

Sf4SurchargeTarget sf4SurchargeTarget(std::string_view code) {
  const std::string folded = FoldCode(RightTrim(code));
  Sf4SurchargeTarget target;
  if (folded.size() != 3)
    return target;
  const char second = folded[1];
  const char third = folded[2];
  if (folded[0] == 'Z' && (second == '0' || second == '1') && third >= '1' && third <= '3') {
    target.family = Sf4SurchargeTarget::Family::Cylinder;
    target.specialCode = {'Z', third};
    target.EM = second == '0' ? 1 : 2;
    return target;
  }
  if (folded[0] == 'P' && second >= '0' && second <= '3' && third >= '1' && third <= '6') {
    target.family = Sf4SurchargeTarget::Family::Prism;
    target.specialCode = {'P', third};
    target.EM = (second == '0' || second == '1') ? 1 : 2;
    target.ST = (second == '0' || second == '2') ? 1 : 2;
  }
  return target;
}

} // namespace sf6
