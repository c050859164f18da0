// Fuzz target: any bytes as one bait file, loaded into a record the way the
// run loads it, with its log block and page row written into a scratch game
// folder. Besides crashes and undefined behaviour it checks what must hold
// for every file: the loader's corrections, a log block of one line per size
// plus four, a page row of eight lines whose name cell carries no markup,
// and no report fragment lost.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "catalogue/bait_file.h"
#include "catalogue/bait_record.h"
#include "fuzz/fuzz_check.h"
#include "platform/numbers.h"
#include "platform/profile_reader.h"
#include "reports/hook_page.h"
#include "reports/report_writer.h"
#include "reports/size_analysis.h"

namespace {

constexpr const char* kBaitPath = "tackle/baits/x.tkl";

// The log writes eight fragments per bait size, each with its own open and
// close, so a file with thousands of sizes takes seconds and would starve
// the search. Larger counts are run end to end instead (the bad-input suite
// loads a bait of 32767 sizes).
constexpr std::int16_t kMaxFuzzedSizes = 64;

// A game folder of our own under the temporary folder (in memory when
// /dev/shm is there), entered around each input and left again so that
// libFuzzer's own paths keep working.
class ScratchGame {
 public:
  ScratchGame() {
    std::error_code error;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error)) {
      base = std::filesystem::temp_directory_path();
    }
    std::string pattern = (base / "banalyse-fuzz-XXXXXX").string();
    fuzzCheck(mkdtemp(pattern.data()) != nullptr, "scratch folder created");
    root_ = pattern;
    std::filesystem::create_directories(root_ / "tackle/baits");
  }
  ~ScratchGame() {
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }
  ScratchGame(const ScratchGame&) = delete;
  ScratchGame& operator=(const ScratchGame&) = delete;

  void enter() {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(root_);
  }
  void leave() const { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path root_;
  std::filesystem::path previous_;
};

std::string contentOf(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void checkRecord(const BaitRecord& r) {
  fuzzCheck(r.adjustSize >= 1, "at least one size");
  fuzzCheck(r.smallFact <= 5.0F, "small-bait factor at most 5");
  fuzzCheck((r.usage & ~31U) == 0, "only the five usage bits");
  fuzzCheck(r.name && r.desc && r.graphic && r.bigGraphic && r.path, "every text copied");
  fuzzCheck(std::strlen(r.name.get()) <= 255 && std::strlen(r.desc.get()) <= 255,
            "texts cut to 255 bytes");
  fuzzCheck(r.ref[kRefSize - 1] == '\0', "ref terminated within its array");
  fuzzCheck(std::equal(r.refCode.begin(), r.refCode.end(), r.ref.begin()),
            "refCode is the start of ref");
}

void checkReports(const BaitRecord& r) {
  const std::string log = contentOf(kSizeAnalysisFile);
  const std::string name = textOf(r.name);
  fuzzCheck(std::count(log.begin(), log.end(), '\n') == r.adjustSize + 4,
            "log block has a line per size plus four");
  fuzzCheck(log.compare(0, name.size() + 1, name + "\n") == 0, "log block starts with the name");
  fuzzCheck(log.size() >= 2 && log.compare(log.size() - 2, 2, " \n") == 0,
            "log block ends with a blank line");

  const std::string page = contentOf(kHookPageFile);
  fuzzCheck(std::count(page.begin(), page.end(), '\n') == 8, "page row has eight lines");
  constexpr std::string_view kOpening = "<td><font size=\"2\" face=\"Arial\">";
  const std::size_t cellEnd = page.find("</font></td>\n");
  fuzzCheck(page.compare(0, kOpening.size(), kOpening) == 0 && cellEnd != std::string::npos,
            "page row starts with the name cell");
  const std::string_view cell =
      std::string_view(page).substr(kOpening.size(), cellEnd - kOpening.size());
  fuzzCheck(cell.find_first_of("<>\"") == std::string_view::npos, "name cell carries no markup");

  for (const ReportTally& tally : reportTallies()) {
    fuzzCheck(tally.lost == 0, "no fragment lost in the scratch folder");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ScratchGame game;
  game.enter();
  {
    std::ofstream out(kBaitPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::filesystem::remove(kSizeAnalysisFile);
  std::filesystem::remove(kHookPageFile);
  resetReportTallies();

  const auto sizes = static_cast<std::int16_t>(
      parseInteger(readProfileValue("bait", "Adjustsize", "1", kBaitPath)));
  releaseProfileFile();
  if (sizes <= kMaxFuzzedSizes) {
    BaitRecord* record = newBaitRecord();
    fuzzCheck(record != nullptr, "record allocated");
    loadBaitFile(kBaitPath);
    checkRecord(*record);
    writePageRow(*record);
    checkReports(*record);
    freeBaitList(baitList);
    fuzzCheck(baitList == nullptr, "catalogue empty after release");
  }
  game.leave();
  return 0;
}
