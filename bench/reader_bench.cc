// reader_bench: the profile reader's speed on large files, as the tool uses
// it.
//
//   reader_bench FOLDER [RUNS]
//
// Writes two profile files of 50 MiB into FOLDER, each holding the 38 values
// the loader asks for, and later sections of the loader's names that must be
// ignored, with CR LF and LF line ends:
//  - profile-log-50MB.tkl, a long catch log kept in a bait file: some
//    170,000 small sections of a few keys each and comment lines, the bait
//    section half way down and the class section last;
//  - profile-notes-50MB.tkl, notes kept inside the sections the loader reads:
//    the bait and class sections hold 25 MB each of keys the loader does not
//    ask for (some 420,000 names each), with its own keys spread among them.
// For each it times RUNS (default 11) rounds of the loader's 38 requests and
// prints medians in MB/s (10^6 bytes a second) of the file's size:
//  - parse and answer, text in memory: ProfileDocument::parse on the file's
//    bytes, then the 38 requests, with a document that was asked the same
//    questions of a small bait file first, as the tool's own document has
//    been for every bait file but the first of a run (it remembers the names
//    asked for and indexes them in the next file). The target applies here.
//  - the same with a document never asked anything.
//  - readProfileString as the loader calls it, the file read afresh (from
//    the page cache) and released after the 38 requests; and, to show what
//    that costs beyond the reader, the time to fill as much new memory.
// Every answer is checked against the value the file was written with; a
// wrong answer exits with 1.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_reader.h"

namespace {

// The loader's requests, in its order, with the value this benchmark's file
// gives each.
struct Request {
  const char* section;
  const char* key;
  const char* defaultText;
  const char* value;
};

constexpr Request kRequests[] = {
    {"Header", "Name", "Unknown bait", "Catch Log"},
    {"Header", "Ref", "DEFBAIT", "LOG50"},
    {"bait", "bigGraphic", "graphics/bait.pcx", "graphics/log_big.pcx"},
    {"bait", "Graphic", "graphics/bait.pcx", "graphics/log.pcx"},
    {"Header", "Desc", "[None]", "Fifty megabytes of catches"},
    {"bait", "Type", "1", "2"},
    {"bait", "Hairrig", "0", "1"},
    {"bait", "Hookbait", "1", "1"},
    {"bait", "Multi", "1", "0"},
    {"bait", "Feeder", "1", "1"},
    {"bait", "Loosefeed", "1", "0"},
    {"bait", "Addsize", "256", "128"},
    {"bait", "Adjustsize", "1", "3"},
    {"bait", "Minsize", "1", "2"},
    {"bait", "Weight", "0", "1.25"},
    {"bait", "AdjWeight", "1", "0.5"},
    {"bait", "Disperhour", "100", "40"},
    {"bait", "Smallfact", "5.0", "2.5"},
    {"Class", "ClassType", "1", "3"},
    {"Class", "Protein", "0", "12"},
    {"Class", "Starch", "0", "30"},
    {"Class", "Carbo", "0", "22"},
    {"Class", "Sweet", "0", "5"},
    {"Class", "Sour", "0", "1"},
    {"Class", "Bitter", "0", "0"},
    {"Class", "Spicey", "0", "2"},
    {"Class", "Citrus", "0", "0"},
    {"Class", "Blood", "0", "7"},
    {"Class", "Fish", "0", "9"},
    {"Class", "Fat", "0", "14"},
    {"Class", "Hardness", "0", "3"},
    {"Class", "Move", "0", "1"},
    {"Class", "Smell", "0", "6"},
    {"Class", "Seapop", "0", "20"},
    {"Class", "Freshpop", "100", "80"},
    {"Bait", "hooksize", "16", "10"},
    {"Bait", "adjhooksize", "-1", "0.75"},
    {"Class", "Livebait", "0", "0"},
};

constexpr std::size_t kFileSize = std::size_t{50} << 20;

// The lines of `section` in kRequests, each with `value` or its own value.
std::string requestedKeys(std::string_view section, const char* lineEnd, const char* value) {
  std::string text;
  for (const Request& request : kRequests) {
    if (section == request.section ||
        (section == "bait" && std::string_view(request.section) == "Bait")) {
      text += std::string(request.key) + "=" + (value != nullptr ? value : request.value) + lineEnd;
    }
  }
  return text;
}

// One section of the log: a few keys of ordinary length, now and then a
// comment; every third section with CR LF line ends.
std::string catchSection(std::size_t number) {
  static const char* const kWaters[] = {"Mill pool", "Canal, lock 7", "Gravel pit", "River bend"};
  static const char* const kBaits[] = {"Lobworm", "Sweetcorn", "Boilie, fishmeal", "Maggots"};
  const char* const end = number % 3 == 0 ? "\r\n" : "\n";
  const std::string n = std::to_string(number);
  std::string text = "[Catch" + n + "]" + end;
  text += "Date=" + std::to_string(1 + number % 28) + "." + std::to_string(1 + number % 12) +
          ".2003" + end;
  text += std::string("Water=") + kWaters[number % 4] + end;
  text += std::string("Bait = ") + kBaits[number / 4 % 4] + end;
  text += "Weight=" + std::to_string(number % 300) + " oz" + end;
  if (number % 5 == 0) {
    text += std::string("; weighed twice, the second scale read lower") + end;
  }
  text += "Notes=\"Fished " + std::to_string(number % 9 + 1) + " hours, wind from the west\"" +
          end + end;
  return text;
}

std::string logFile() {
  std::string text;
  text.reserve(kFileSize + 4096);
  text += "; Catch log, kept in the bait file of the log bait\r\n";
  text += "[Header]\r\n" + requestedKeys("Header", "\r\n", nullptr) + "\r\n";
  std::size_t number = 0;
  while (text.size() < kFileSize / 2) {
    text += catchSection(number++);
  }
  text += "[bait]\n" + requestedKeys("bait", "\n", nullptr) + "Colour=red\nSmell=strong\n\n";
  while (text.size() < kFileSize - 4096) {
    text += catchSection(number++);
  }
  text += "[BAIT]\n" + requestedKeys("bait", "\n", "99") + "[header]\nName=Second Name\n";
  text += "[Class]\r\n" + requestedKeys("Class", "\r\n", nullptr);
  while (text.size() < kFileSize) {
    text += "Filler=" + std::string(60, 'x') + "\r\n";
  }
  return text;
}

// `keys` (lines of requested keys) spread evenly among note lines until
// `text` has grown by `size` bytes.
void appendNotes(std::string& text, const std::string& keys, std::size_t size,
                 std::size_t& number) {
  const std::size_t end = text.size() + size;
  const std::size_t keyCount = static_cast<std::size_t>(std::count(keys.begin(), keys.end(), '\n'));
  const std::size_t step = size / (keyCount + 1);
  std::size_t nextKey = text.size() + step;
  std::size_t keyBegin = 0;
  while (text.size() < end) {
    if (text.size() >= nextKey && keyBegin < keys.size()) {
      const std::size_t keyEnd = keys.find('\n', keyBegin) + 1;
      text.append(keys, keyBegin, keyEnd - keyBegin);
      keyBegin = keyEnd;
      nextKey += step;
    }
    text += "Note" + std::to_string(number++) + "=Fished well in cold water after rain.\n";
  }
  text.append(keys, keyBegin);
}

std::string notesFile() {
  std::string text;
  text.reserve(kFileSize + 4096);
  text += "[Header]\n" + requestedKeys("Header", "\n", nullptr);
  std::size_t number = 0;
  text += "[bait]\n";
  appendNotes(text, requestedKeys("bait", "\n", nullptr), kFileSize / 2 - 4096, number);
  text += "[Class]\n";
  appendNotes(text, requestedKeys("Class", "\n", nullptr), kFileSize / 2 - 4096, number);
  text += "[BAIT]\n" + requestedKeys("bait", "\n", "99");
  text += "[CLASS]\n" + requestedKeys("Class", "\n", "99");
  return text;
}

// Runs the 38 requests; false when an answer is not the value written.
bool askAll(const std::string& path, bool check) {
  bool right = true;
  char out[256];
  for (const Request& request : kRequests) {
    readProfileString(request.section, request.key, request.defaultText, path, out, sizeof out);
    if (check && std::string_view(out) != request.value) {
      (void)std::fprintf(stderr, "reader_bench: %s/%s gave \"%s\", not \"%s\"\n", request.section,
                         request.key, out, request.value);
      right = false;
    }
  }
  releaseProfileFile();
  return right;
}

// The 38 requests asked of `document`; false when `check` and an answer is
// not the value written.
bool answersRight(const ProfileDocument& document, bool check) {
  bool right = true;
  char out[256];
  for (const Request& request : kRequests) {
    getProfileString(document, request.section, request.key, request.defaultText, out, sizeof out);
    if (check && std::string_view(out) != request.value) {
      (void)std::fprintf(stderr, "reader_bench: %s/%s gave \"%s\", not \"%s\"\n", request.section,
                         request.key, out, request.value);
      right = false;
    }
  }
  return right;
}

double secondsOf(const std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Figures {
  double scan = 0;
  double untaught = 0;
  double endToEnd = 0;
  double newMemory = 0;
};

// Writes `file` to `path` and measures it; false when an answer was wrong.
bool measure(const std::string& file, const std::string& path, const std::string& small,
             const std::string& bait, int runs, Figures& figures) {
  std::ofstream(path, std::ios::binary)
      .write(file.data(), static_cast<std::streamsize>(file.size()));
  std::vector<double> scan;
  std::vector<double> untaught;
  std::vector<double> endToEnd;
  std::vector<double> newMemory;
  ProfileDocument taught;
  // Outside the loop on purpose: each run copies the file into memory already
  // in use, so the timed parse does not pay for fresh pages.
  // cppcheck-suppress variableScope
  std::string bytes;
  bool right = true;
  for (int run = 0; run < runs; ++run) {
    bytes = bait;
    taught.parse(bytes);
    right = answersRight(taught, false) && right;
    bytes = file;  // copied before the clock starts, into memory already in use
    auto start = std::chrono::steady_clock::now();
    taught.parse(bytes);
    right = answersRight(taught, true) && right;
    scan.push_back(secondsOf(start));

    bytes = file;
    start = std::chrono::steady_clock::now();
    {
      ProfileDocument fresh;
      fresh.parse(bytes);
      right = answersRight(fresh, true) && right;
    }
    untaught.push_back(secondsOf(start));

    right = askAll(small, false) && right;
    start = std::chrono::steady_clock::now();
    right = askAll(path, true) && right;
    endToEnd.push_back(secondsOf(start));

    start = std::chrono::steady_clock::now();
    // Only the cost of filling fresh memory is wanted, not the string.
    // cppcheck-suppress unreadVariable
    const std::string filled(file.size(), '\0');
    newMemory.push_back(secondsOf(start));
  }
  figures = {median(scan), median(untaught), median(endToEnd), median(newMemory)};
  return right;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    (void)std::fprintf(stderr, "usage: reader_bench FOLDER [RUNS]\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  int runs = 11;
  if (argc == 3) {
    char* end = nullptr;
    const long asked = std::strtol(argv[2], &end, 10);
    if (end == argv[2] || *end != '\0' || asked < 1 || asked > 1000) {
      (void)std::fprintf(stderr, "reader_bench: RUNS must be a whole number from 1 to 1000\n");
      return 2;
    }
    runs = static_cast<int>(asked);
  }
  std::filesystem::create_directories(folder);
  const std::string small = (folder / "small.tkl").string();
  const std::string bait = "[Header]\n" + requestedKeys("Header", "\n", nullptr) + "[bait]\n" +
                           requestedKeys("bait", "\n", nullptr) + "[Class]\n" +
                           requestedKeys("Class", "\n", nullptr);
  std::ofstream(small, std::ios::binary)
      .write(bait.data(), static_cast<std::streamsize>(bait.size()));

  std::printf("profile reader: the loader's 38 requests over one file, median of %d runs\n", runs);
  std::printf("%-28s %22s %22s %22s %10s\n", "file", "parse and answer", "never asked before",
              "readProfileString", "new memory");
  bool right = true;
  bool met = true;
  const struct {
    const char* name;
    std::string (*make)();
  } shapes[] = {{"profile-log-50MB.tkl", logFile}, {"profile-notes-50MB.tkl", notesFile}};
  for (const auto& shape : shapes) {
    const std::string file = shape.make();
    const double megabytes = static_cast<double>(file.size()) / 1e6;
    Figures figures;
    right = measure(file, (folder / shape.name).string(), small, bait, runs, figures) && right;
    met = megabytes / figures.scan >= 500 && met;
    const auto cell = [&](double seconds) {
      char text[32];
      (void)std::snprintf(text, sizeof text, "%.1f ms, %.0f MB/s", seconds * 1e3,
                          megabytes / seconds);
      return std::string(text);
    };
    std::printf("%-28s %22s %22s %22s %7.1f ms\n", shape.name, cell(figures.scan).c_str(),
                cell(figures.untaught).c_str(), cell(figures.endToEnd).c_str(),
                figures.newMemory * 1e3);
  }
  std::printf("parse and answer at 500 MB/s at least: %s\n", met ? "met" : "MISSED");
  return right ? 0 : 1;
}
