// The Linux side of the conformance run (tests/conformance/run.sh):
//
//   banalyse_conformance generate FOLDER SEED FILES NUMBERS [EXTRA_REQUESTS]
//       writes the random files and the job for SEED into FOLDER, with the
//       fixed cases of the known differences
//   banalyse_conformance compare FOLDER [DIFFERENCES_FILE]
//       compares the probe's answers there with ours; prints the first
//       differences (all of them into DIFFERENCES_FILE) and exits 1 when
//       there is one
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/conformance/conformance_run.h"

namespace {

bool parseNumber(const char* text, unsigned long long& value) {
  char* end = nullptr;
  value = std::strtoull(text, &end, 10);
  return end != text && *end == '\0';
}

int usage() {
  (void)std::fprintf(
      stderr,
      "usage: banalyse_conformance generate FOLDER SEED FILES NUMBERS [EXTRA_REQUESTS]\n"
      "       banalyse_conformance compare FOLDER [DIFFERENCES_FILE]\n");
  return 2;
}

int generate(int argc, char** argv) {
  unsigned long long seed = 0;
  unsigned long long files = 0;
  unsigned long long numbers = 0;
  unsigned long long extra = 12;
  if (!parseNumber(argv[3], seed) || !parseNumber(argv[4], files) ||
      !parseNumber(argv[5], numbers) || (argc == 7 && !parseNumber(argv[6], extra)) ||
      files > 100000 || numbers > 1000000 || extra > 1000) {
    return usage();
  }
  conformance::RunSize size;
  size.files = static_cast<unsigned>(files);
  size.numbers = static_cast<unsigned>(numbers);
  size.extraRequests = static_cast<unsigned>(extra);
  return conformance::writeRun(argv[2], seed, size) ? 0 : 1;
}

int compare(const std::filesystem::path& folder, const char* differencesFile) {
  conformance::Comparison random;
  conformance::Comparison known;
  const bool paired = conformance::compareAnswers(folder, "job.txt", "answers.txt", random);
  const bool knownPaired = conformance::checkKnownDifferences(folder, known);
  constexpr std::size_t kShown = 40;
  for (std::size_t i = 0; i < random.differences.size() && i < kShown; ++i) {
    std::printf("DIFFERS  %s\n", random.differences[i].c_str());
  }
  if (random.differences.size() > kShown) {
    std::printf("... and %zu more\n", random.differences.size() - kShown);
  }
  if (differencesFile != nullptr) {
    FILE* all = std::fopen(differencesFile, "wb");
    for (std::size_t i = 0; all != nullptr && i < random.differences.size(); ++i) {
      (void)std::fprintf(all, "%s\n", random.differences[i].c_str());
    }
    if (all == nullptr || std::fclose(all) != 0) {
      (void)std::fprintf(stderr, "banalyse_conformance: cannot write %s\n", differencesFile);
      return 1;
    }
  }
  for (const std::string& difference : known.differences) {
    std::printf("FIXED CASE FAILS  %s\n", difference.c_str());
  }
  std::printf(
      "conformance: %zu files, %zu requests and %zu numbers compared: %zu differ;"
      " %zu fixed cases of known differences: %zu fail\n",
      random.files, random.requests, random.numbers, random.differences.size(),
      known.requests + known.numbers, known.differences.size());
  return paired && knownPaired && random.differences.empty() && known.differences.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "generate" && (argc == 6 || argc == 7)) {
    return generate(argc, argv);
  }
  if (command == "compare" && (argc == 3 || argc == 4)) {
    return compare(argv[2], argc == 4 ? argv[3] : nullptr);
  }
  return usage();
}
