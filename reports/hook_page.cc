#include "reports/hook_page.h"

#include <array>
#include <cstdint>

#include "platform/files.h"
#include "platform/numbers.h"
#include "reports/report_writer.h"

namespace {

constexpr const char* kPage = kHookPageFile;

constexpr std::array<const char*, 11> kHeadLines = {
    "<html><head><title>TL2 Baits</title></head>",
    "<body bgcolor=\"#FFFFFF\"><p align=\"center\"><font face=\"Arial\"><strong><u>Tarnlure 2 "
    "loaded baits & Ideal hook sizes</u></strong></font></p>",
    "<div align=\"center\"><center><table border=\"1\" cellpadding=\"2\" cellspacing=\"0\" "
    "width=\"80%\"><tr>",
    "<td bgcolor=\"#C0C0C0\"><font size=\"2\" face=\"Arial\"><strong>Name</strong></font></td>",
    "<td bgcolor=\"#C0C0C0\"><font size=\"2\" face=\"Arial\"><strong>Type</strong></font></td>",
    "<td bgcolor=\"#C0C0C0\"><font size=\"2\" face=\"Arial\"><strong>Sizes</strong></font></td>",
    "<td bgcolor=\"#C0C0C0\"><font size=\"2\" face=\"Arial\"><strong>Hook 1pc "
    "small</strong></font></td>",
    "<td bgcolor=\"#C0C0C0\"><font size=\"2\" face=\"Arial\"><strong>Hook 1pc "
    "large</strong></font></td>",
    "<td bgcolor=\"#C0C0C0\"><font size=\"2\" face=\"Arial\"><strong>Hook 5pcs "
    "sml</strong></font></td>",
    "<td bgcolor=\"#C0C0C0\"><font size=\"2\" face=\"Arial\"><strong>Hook 5pcs "
    "Large</strong></font></td>",
    "</tr>",
};

constexpr const char* kLeftOpening = "<td><font size=\"2\" face=\"Arial\">";
constexpr const char* kCentredOpening = "<td align=\"center\"><font size=\"2\" face=\"Arial\">";
constexpr const char* kCellClose = "</font></td>";

constexpr std::array<const char*, 10> kClassNames = {
    "Insect",        "Seed",      "Vegetable", "Fruit",        "Flora",
    "Flying insect", "Shellfish", "Fish",      "Small animal", "Processed"};

void textCell(const char* opening, std::string_view content) {
  appendText(kPage, opening, kNoLineEnd);
  appendText(kPage, content, kNoLineEnd);
  appendText(kPage, kCellClose, kLineEnd);
}

// The class cell holds nothing at all, not even an empty fragment, for a
// class without a name.
void classCell(std::int16_t classType) {
  const char* name = className(classType);
  if (*name == '\0') {
    appendText(kPage, kLeftOpening, kNoLineEnd);
    appendText(kPage, kCellClose, kLineEnd);
  } else {
    textCell(kLeftOpening, name);
  }
}

void numberCell(std::int32_t value) {
  appendText(kPage, kCentredOpening, kNoLineEnd);
  appendNumber(kPage, value, kNoLineEnd);
  appendText(kPage, kCellClose, kLineEnd);
}

// The hook size `x` as the page shows it: rounded once to a 32-bit real,
// then truncated toward zero.
std::int32_t pageHookSize(double x) {
  return truncateToInt32(static_cast<double>(roundToFloat(x)));
}

// A hook cell for the largest size: "see small" when there is only one size.
void largeSizeCell(std::int32_t sizes, double x) {
  if (sizes == 1) {
    textCell(kCentredOpening, "see small");
  } else {
    numberCell(pageHookSize(x));
  }
}

}  // namespace

const char* className(std::int16_t classType) {
  if (classType < 1 || classType > static_cast<std::int16_t>(kClassNames.size())) {
    return "";
  }
  return kClassNames[static_cast<std::size_t>(classType - 1)];
}

void escapeHtml(std::string_view text, std::string& out) {
  out.clear();
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
        break;
    }
  }
}

void writePageHead() {
  // An old page that can be neither removed nor emptied keeps its content:
  // appending to it would leave two documents in one file.
  if (!clearOldFile(kPage)) {
    giveUpReport(kPage);
  }
  for (const char* line : kHeadLines) {
    appendText(kPage, line, kLineEnd);
  }
}

void writePageRow(const BaitRecord& record) {
  static std::string escapedName;  // reused: one allocation for the whole run
  escapeHtml(textOf(record.name), escapedName);
  textCell(kLeftOpening, escapedName);
  classCell(record.classType);
  numberCell(record.adjustSize);

  if ((record.usage & kHookbait) == 0) {
    for (int cell = 0; cell < 4; ++cell) {
      textCell(kCentredOpening, "N.A");
    }
  } else {
    const std::int32_t sizes = record.adjustSize;
    const double hook = record.hookSize;
    const double step = record.adjHookSize;
    const double largest = static_cast<double>(sizes - 1) * step + hook;
    numberCell(truncateToInt32(hook));
    largeSizeCell(sizes, largest);
    numberCell(pageHookSize(step * 4 + hook));
    largeSizeCell(sizes, largest + step * 4);
  }
  appendText(kPage, "</tr>", kLineEnd);
}

void writePageFoot() { appendText(kPage, "</tr></table></center></div></body></html>", kLineEnd); }
