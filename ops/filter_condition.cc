#include "ops/filter_condition.h"

namespace tabsift {

std::optional<Comparison> comparisonFromName(std::string_view name) {
  if (name == "lt") return Comparison::kLt;
  if (name == "gt") return Comparison::kGt;
  if (name == "le") return Comparison::kLe;
  if (name == "ge") return Comparison::kGe;
  if (name == "eq") return Comparison::kEq;
  if (name == "ne") return Comparison::kNe;
  return std::nullopt;
}

}  // namespace tabsift
