#include "baitcheck/edit_distance.h"

#include <algorithm>
#include <vector>

#include "platform/ascii_case.h"

std::size_t editDistanceIgnoringCase(std::string_view a, std::string_view b, std::size_t limit) {
  const std::size_t longer = std::max(a.size(), b.size());
  const std::size_t shorter = std::min(a.size(), b.size());
  if (longer - shorter > limit) {
    return limit + 1;
  }
  // One row of the classic table at a time.
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) {
    row[j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    std::size_t best = row[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t substitution =
          diagonal + (foldToUpper(a[i - 1]) == foldToUpper(b[j - 1]) ? 0 : 1);
      diagonal = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, substitution});
      best = std::min(best, row[j]);
    }
    if (best > limit) {
      return limit + 1;
    }
  }
  return std::min(row[b.size()], limit + 1);
}
