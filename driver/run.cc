#include "driver/run.h"

#include <deque>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/bait_file.h"
#include "catalogue/bait_record.h"
#include "platform/console_text.h"
#include "platform/dir_search.h"
#include "reports/hook_page.h"
#include "reports/report_writer.h"

namespace {

// A console that cannot be written is no reason to stop: the reports and the
// exit status are what the run is for.
void print(std::FILE* console, std::string_view text) {
  (void)std::fwrite(text.data(), 1, text.size(), console);
}

// One line on `errors` per report that lost fragments; true when any did.
bool reportLostFragments(std::FILE* errors) {
  bool anyLost = false;
  for (const ReportTally& tally : reportTallies()) {
    if (tally.lost == 0) {
      continue;
    }
    anyLost = true;
    const std::string line = "banalyse: " + tally.fileName + ": " + std::to_string(tally.lost) +
                             " of " + std::to_string(tally.fragments) + " writes failed\n";
    print(errors, line);
  }
  return anyLost;
}

// Releases the catalogue however the run ends, an exhausted allocation
// included, so that nothing it holds outlives the run.
struct CatalogueRelease {
  CatalogueRelease() = default;
  CatalogueRelease(const CatalogueRelease&) = delete;
  CatalogueRelease& operator=(const CatalogueRelease&) = delete;
  ~CatalogueRelease() {
    if (baitList != nullptr) {
      freeBaitList(baitList);
    }
  }
};

}  // namespace

std::int16_t loadBaits(std::FILE* console) {
  if (baitList != nullptr) {
    freeBaitList(baitList);
  }
  std::string path;
  // The listing is taken apart as it is used, entry by entry and block by
  // block, so the records loaded later reuse its memory: the catalogue and
  // the whole listing never peak together.
  std::deque<FoundFile> pending;
  {
    std::vector<FoundFile> found = findFilesWithSuffix(kBaitDirectory, kBaitSuffix);
    pending.assign(std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  }
  while (!pending.empty()) {
    const FoundFile file = std::move(pending.front());
    pending.pop_front();
    if (newBaitRecord() == nullptr) {
      continue;
    }
    path.assign(kBaitDirectory).append(file.openName);
    loadBaitFile(path.c_str());
    // Names come from other players' bait packs: no control byte of one
    // reaches the terminal, which would act on it.
    path.assign(kBaitDirectory);
    appendShowable(file.shownName, path);
    path.push_back('\n');
    print(console, path);
  }
  print(console, "SORTING\n");
  baitList = sortBaitsByName(baitList);
  print(console, "WRITING HTM\n");
  return 1;
}

int runBanalyse(std::FILE* console, std::FILE* errors) {
  const CatalogueRelease release;
  resetReportTallies();
  // The first progress line shares the banner's second line.
  print(console, "Tarnlure 2 bait analyser\nLoading baits... please wait...");
  writePageHead();
  loadBaits(console);
  for (const BaitRecord* record = baitList; record != nullptr; record = record->next) {
    writePageRow(*record);
  }
  writePageFoot();
  if (baitList != nullptr) {
    freeBaitList(baitList);
  }
  // A console that stopped reading fails here too, to no effect.
  (void)std::fflush(console);
  return reportLostFragments(errors) ? 1 : 0;
}
