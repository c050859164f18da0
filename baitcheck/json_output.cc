#include "baitcheck/json_output.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "baitcheck/shown_text.h"
#include "catalogue/bait_keys.h"

namespace {

using Json = nlohmann::ordered_json;

Json valueOf(const BaitFieldValue& value) {
  switch (value.kind) {
    case BaitKeyKind::kText:
    case BaitKeyKind::kRef:
      return asUnicode(value.text);
    case BaitKeyKind::kFlag:
      return value.integer != 0;
    case BaitKeyKind::kReal:
    case BaitKeyKind::kIntegerAsReal: {
      if (std::isinf(value.real)) {
        return value.real > 0 ? "inf" : "-inf";
      }
      // The double whose shortest text is the float's shortest text, so the
      // number reads as written: 0.1, not 0.10000000149011612.
      const std::string text = cellText(value);
      double real = 0;
      std::from_chars(text.data(), text.data() + text.size(), real);
      return real;
    }
    default:
      return value.integer;
  }
}

}  // namespace

std::string jsonObject(const FileReport& report) {
  Json values = Json::object();
  for (const BaitKey& row : kBaitKeys) {
    values[row.key] = valueOf(row.field(report.record));
  }
  Json findings = Json::array();
  for (const Finding& finding : report.findings) {
    Json line = nullptr;
    if (finding.line != 0) {
      line = finding.line;
    }
    findings.push_back(Json{{"code", std::string(codeName(finding.code))},
                            {"line", line},
                            {"message", asUnicode(finding.message)}});
  }
  const Json object = {
      {"path", asUnicode(report.shownPath)}, {"values", values}, {"findings", findings}};
  return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}
