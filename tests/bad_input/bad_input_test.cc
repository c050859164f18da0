// Bad input, end to end. Each case builds at run time a game folder that a
// player's machine might hold (huge, binary or special files, names with
// markup, numbers beyond every range, files and folders without rights),
// runs the real tool in it and checks that:
//  - the run ends within kTimeLimit (a hang is killed there);
//  - nothing in the game folder changed but the reports it wrote;
//  - the console lists every *.tkl entry, in scan order;
//  - every report fragment that could be written is there: the page holds
//    its head, a row of eight lines per entry and its foot, the log a block
//    per entry, with the case's own rows and lines exactly as the reports'
//    rules give them;
//  - a report that lost fragments is named on standard error, exit status 1.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "testing/sanitizer.h"
#include "tests/bad_input/tool_run.h"

namespace {

namespace fs = std::filesystem;

// The bounds on a run's time and memory hold a healthy run with room to
// spare; only a hang or a cost per line or section of a file crosses them.
// In the sanitizer build (as CI runs it, on a machine that other jobs share)
// the tool runs several times slower, and AddressSanitizer keeps freed
// memory in quarantine and shadows all of it, so both bounds widen there.
#if BANALYSE_SANITIZED
constexpr int kTimeScale = 4;
constexpr std::size_t kMemoryScale = 3;
#else
constexpr int kTimeScale = 1;
constexpr std::size_t kMemoryScale = 1;
#endif
constexpr std::chrono::seconds kTimeLimit{30 * kTimeScale};

// ---- Report text, as the page's and the log's rules give it ----

constexpr std::string_view kPageFirstLine = "<html><head><title>TL2 Baits</title></head>\n";
constexpr std::string_view kPageFoot = "</tr></table></center></div></body></html>\n";
constexpr std::string_view kLogHeader = "\t\tSize\t\tHook size\t\tWeight\t\tMin fish\n";

std::string leftCell(std::string_view content) {
  return "<td><font size=\"2\" face=\"Arial\">" + std::string(content) + "</font></td>\n";
}

std::string centredCell(std::string_view content) {
  return "<td align=\"center\"><font size=\"2\" face=\"Arial\">" + std::string(content) +
         "</font></td>\n";
}

// A page row: name, class, sizes and the four hook cells.
std::string pageRow(std::string_view name, std::string_view className, std::string_view sizes,
                    std::string_view small, std::string_view large, std::string_view fiveSmall,
                    std::string_view fiveLarge) {
  return leftCell(name) + leftCell(className) + centredCell(sizes) + centredCell(small) +
         centredCell(large) + centredCell(fiveSmall) + centredCell(fiveLarge) + "</tr>\n";
}

// The row and the log block of a bait that takes every default.
const std::string kDefaultRow =
    pageRow("Unknown bait", "Insect", "1", "16", "see small", "12", "see small");
const std::string kDefaultBlock = "Unknown bait\n" + std::string(kLogHeader) +
                                  "\t\t1\t\t16\t\t\t0\t\t0 lb, 0 oz, 1 dr\n"
                                  "5 Pieces\t\t\t11\t\t\t5\t\t5 lb, 0 oz, 1 dr\n \n";

// Fragments each report writes (one per appendText or appendNumber): the
// page's eleven head lines and its foot, and per row three for each of its
// seven cells (a named class) and one for "</tr>"; the log's block of one
// size: name, header, eight for the size line, six for the five-pieces line
// and one for the closing line.
std::size_t pageFragments(std::size_t rowsWithClassName) { return 11 + 22 * rowsWithClassName + 1; }
std::size_t logFragments(std::size_t oneSizeBlocks) { return 17 * oneSizeBlocks; }

std::string lostLine(std::string_view report, std::size_t fragments) {
  const std::string count = std::to_string(fragments);
  return "banalyse: " + std::string(report) + ": " + count + " of " + count + " writes failed\n";
}

// ---- The game folder ----

void writeFile(const fs::path& path, std::string_view bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeBait(const fs::path& game, const std::string& name, std::string_view bytes) {
  writeFile(game / "tackle/baits" / name, bytes);
}

void twoPlainBaits(const fs::path& game) {
  writeBait(game, "alder.tkl", "[Header]\nName=Alder Grub\n");
  writeBait(game, "birch.tkl", "[Header]\r\nName=Birch Fly\r\n");
}

// Gives the owner back every right on `root` and below (links themselves
// are left alone: changing their rights would change their targets).
void restoreOwnerRights(const fs::path& root) {
  std::error_code error;
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
  for (auto it = fs::recursive_directory_iterator(root, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_symlink()) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
  }
}

// Takes away every right to write in `folder` itself (its files keep theirs).
void withoutFolderWrites(const fs::path& folder) {
  fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

// A fresh folder under the temporary folder, open to the user the tool may
// run as, removed with everything in it (links are not followed).
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "banalyse-bad-input-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a scratch folder");
    }
    path_ = pattern;
    fs::permissions(path_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
  }
  ~ScratchFolder() {
    restoreOwnerRights(path_);
    std::error_code error;
    fs::remove_all(path_, error);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Every entry under `root` with its kind and its content's digest or its
// link's target; entries named in `skipped` (relative to root) are left out.
std::map<std::string, std::string> snapshot(const fs::path& root,
                                            const std::vector<std::string>& skipped) {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string name = it->path().lexically_relative(root).string();
    if (std::find(skipped.begin(), skipped.end(), name) != skipped.end()) {
      it.disable_recursion_pending();
      continue;
    }
    switch (it->symlink_status().type()) {
      case fs::file_type::regular: {
        const std::string bytes = readFile(it->path());
        entries[name] = "file " + std::to_string(bytes.size()) + " " +
                        std::to_string(std::hash<std::string>{}(bytes));
        break;
      }
      case fs::file_type::symlink:
        entries[name] = "link " + fs::read_symlink(it->path()).string();
        break;
      case fs::file_type::directory:
        entries[name] = "folder";
        break;
      case fs::file_type::fifo:
        entries[name] = "fifo";
        break;
      default:
        entries[name] = "other";
        break;
    }
  }
  return entries;
}

// ---- Scan order and console ----

unsigned char foldUpper(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// The names in tackle/baits/ ending in ".tkl" in any case, of any kind, in
// scan order: ASCII letters folded to upper case and compared bytewise, ties
// broken by the raw bytes.
std::vector<std::string> baitEntries(const fs::path& game) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(game / "tackle/baits", error)) {
    const std::string name = entry.path().filename().string();
    std::string tail = name.size() >= 4 ? name.substr(name.size() - 4) : "";
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return static_cast<char>(foldUpper(c)); });
    if (tail == ".TKL") {
      names.push_back(name);
    }
  }
  const auto folded = [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return foldUpper(x) < foldUpper(y); });
  };
  const auto raw = [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
  };
  std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    return folded(a, b) || (!folded(b, a) && raw(a, b));
  });
  return names;
}

std::string expectedConsole(const std::vector<std::string>& entries) {
  std::string console = "Tarnlure 2 bait analyser\nLoading baits... please wait...";
  for (const std::string& name : entries) {
    console += "tackle/baits/" + name + "\n";
  }
  return console + "SORTING\nWRITING HTM\n";
}

std::size_t occurrences(std::string_view text, std::string_view fragment) {
  std::size_t count = 0;
  for (std::size_t at = text.find(fragment); at != std::string_view::npos;
       at = text.find(fragment, at + fragment.size())) {
    ++count;
  }
  return count;
}

std::size_t lineCount(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// ---- The cases ----

// Text that must stand in a report exactly `times` times (0: never).
struct Fragment {
  std::string text{};
  std::size_t times = 1;
};

struct BadInputCase {
  std::string name{};
  std::function<void(const fs::path& game)> build{};
  // Applied after the snapshot is taken: rights that the tool must meet.
  std::function<void(const fs::path& game)> restrict {};
  std::vector<Fragment> page{};
  std::vector<Fragment> log{};
  std::size_t extraSizeLines = 0;  // log lines beyond those of one-size blocks
  bool pageLost = false;
  bool logLost = false;
  std::string errors{};  // expected standard error
  // Bound on the run's peak memory, 0 for none: a few times the bait file,
  // far below what a cost per line or per section of the file would take
  // (widened by kMemoryScale in the sanitizer build).
  std::size_t peakMegabytes = 0;
};

std::string randomBytes(std::size_t size) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    // Every seventh byte a NUL, the rest anything.
    bytes[i] = i % 7 == 0 ? '\0' : static_cast<char>(byte(random));
  }
  return bytes;
}

// Realistic text around a 50 MB section that no request names, so that each
// request must get past it.
std::string fiftyMegabyteBait() {
  constexpr std::size_t kSize = 50u << 20;
  std::string bytes = "[Header]\r\nName=Fifty Megabytes\r\n[Notes]\r\n";
  bytes.reserve(kSize + 256);
  for (unsigned line = 0; bytes.size() < kSize; ++line) {
    bytes +=
        "Note" + std::to_string(line) + "=Fished well in cold water after rain; keep cool.\r\n";
  }
  return bytes + "[bait]\r\nAdjustsize=2\r\n[Class]\r\nClassType=3\r\n";
}

// 20 MB of notes in a section no request names.
const std::string& twentyMegabytesOfNotes() {
  static const std::string notes = [] {
    constexpr std::size_t kSize = 20u << 20;
    std::string bytes = "[Notes]\r\n";
    bytes.reserve(kSize + 64);
    for (unsigned line = 0; bytes.size() < kSize; ++line) {
      bytes += "Note";
      bytes += std::to_string(line);
      bytes += "=Caught on the drop-off at dusk.\r\n";
    }
    return bytes;
  }();
  return notes;
}

std::string hundredThousandSections() {
  std::string bytes;
  for (int i = 0; i < 100000; ++i) {
    bytes += "[Section" + std::to_string(i) + "]\nKey=" + std::to_string(i) + "\n";
  }
  return bytes + "[Header]\nName=Last Of Many\n[bait]\nAdjustsize=3\n";
}

std::string tenThousandDigits() {
  std::string digits;
  for (int i = 0; i < 1000; ++i) {
    digits += "0123456789";
  }
  return digits;
}

const std::string kLongName = tenThousandDigits();
const std::string kMarkupName = "<script>alert(\"x\")</script> & Fl\xF6\xDF";
const std::string kUtf8Name = "\xC3\xA9t\xC3\xA9 \xE2\x98\x83";

std::vector<BadInputCase> badInputCases() {
  std::vector<BadInputCase> cases;

  cases.push_back({.name = "EmptyFile",
                   .build = [](const fs::path& game) { writeBait(game, "empty.tkl", ""); },
                   .page = {{kDefaultRow}},
                   .log = {{kDefaultBlock}}});

  cases.push_back(
      {.name = "RandomBinaryWithNulBytes",
       .build = [](const fs::path& game) { writeBait(game, "noise.tkl", randomBytes(64 << 10)); },
       .page = {{kDefaultRow}},
       .log = {{kDefaultBlock}}});

  cases.push_back(
      {.name = "FileOf50Megabytes",
       .build = [](const fs::path& game) { writeBait(game, "huge.tkl", fiftyMegabyteBait()); },
       .page = {{pageRow("Fifty Megabytes", "Vegetable", "2", "16", "15", "12", "11")}},
       .log = {{"Fifty Megabytes\n" + std::string(kLogHeader) +
                "\t\t1\t\t16\t\t\t0\t\t0 lb, 0 oz, 1 dr\n"
                "\t\t2\t\t15\t\t\t1\t\t1 lb, 0 oz, 1 dr\n"
                "5 Pieces\t\t\t6\t\t\t10\t\t10 lb, 0 oz, 1 dr\n \n"}},
       .extraSizeLines = 1,
       .peakMegabytes = 250});

  // Each file's buffer is given back when the file is done with, so three
  // large files peak near one file's size; a buffer kept until the next file
  // is read doubles it. AddressSanitizer keeps freed blocks in quarantine, so
  // only a build without it can tell the two apart.
  cases.push_back({.name = "ThreeFilesOf20Megabytes",
                   .build =
                       [](const fs::path& game) {
                         for (const char* name : {"Big Bait A", "Big Bait B", "Big Bait C"}) {
                           writeBait(game, std::string(name) + ".tkl",
                                     "[Header]\r\nName=" + std::string(name) + "\r\n" +
                                         twentyMegabytesOfNotes() +
                                         "[bait]\r\nAdjustsize=2\r\n[Class]\r\nClassType=3\r\n");
                         }
                       },
                   .page = {{pageRow("Big Bait A", "Vegetable", "2", "16", "15", "12", "11")},
                            {pageRow("Big Bait B", "Vegetable", "2", "16", "15", "12", "11")},
                            {pageRow("Big Bait C", "Vegetable", "2", "16", "15", "12", "11")}},
                   .log = {{"Big Bait A\n"}, {"Big Bait B\n"}, {"Big Bait C\n"}},
                   .extraSizeLines = 3,
                   .peakMegabytes = kAddressSanitizer ? 0 : 34});

  // Five million empty headers: memory must not grow with the number of
  // sections (an index of them all cost twenty times the file).
  cases.push_back({.name = "TenMegabytesOfEmptySectionHeaders",
                   .build =
                       [](const fs::path& game) {
                         std::string bytes;
                         bytes.reserve(10u << 20);
                         while (bytes.size() < (10u << 20)) {
                           bytes += "[\n";
                         }
                         writeBait(game, "headers.tkl", bytes + "[Header]\nName=Headers Only\n");
                       },
                   .page = {{leftCell("Headers Only")}},
                   .log = {{"Headers Only\n" + std::string(kLogHeader)}},
                   .peakMegabytes = 100});

  cases.push_back({.name = "SingleLineOf1Megabyte",
                   .build =
                       [](const fs::path& game) {
                         writeBait(game, "line.tkl", "[Header]\nName=" + std::string(1 << 20, 'w'));
                       },
                   .page = {{leftCell(std::string(255, 'w'))}},
                   .log = {{std::string(255, 'w') + "\n" + std::string(kLogHeader)}}});

  cases.push_back(
      {.name = "HundredThousandSections",
       .build =
           [](const fs::path& game) { writeBait(game, "many.tkl", hundredThousandSections()); },
       .page = {{pageRow("Last Of Many", "Insect", "3", "16", "14", "12", "10")}},
       .log = {{"Last Of Many\n"}},
       .extraSizeLines = 2});

  cases.push_back({.name = "ValueOf10000Characters",
                   .build =
                       [](const fs::path& game) {
                         writeBait(game, "long.tkl",
                                   "[Header]\nName=" + kLongName + "\nRef=" + kLongName +
                                       "\nDesc=" + kLongName + "\n[bait]\nGraphic=" + kLongName +
                                       "\n");
                       },
                   .page = {{leftCell(kLongName.substr(0, 255))}},
                   .log = {{kLongName.substr(0, 255) + "\n" + std::string(kLogHeader)}}});

  cases.push_back(
      {.name = "NonAsciiAndMarkupNames",
       .build =
           [](const fs::path& game) {
             writeBait(game, "<i>caf\xE9 & \"co\".tkl", "[Header]\nName=" + kMarkupName + "\n");
             writeBait(game, kUtf8Name + ".TKL", "[Header]\nName=" + kUtf8Name + "\n");
           },
       .page = {{leftCell("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; Fl\xF6\xDF")},
                {leftCell(kUtf8Name)},
                {"<script>", 0}},
       .log = {{kMarkupName + "\n" + std::string(kLogHeader)},
               {kUtf8Name + "\n" + std::string(kLogHeader)}}});

  // Integers saturate at the 32-bit bounds before a 16-bit field keeps its
  // low bits; reals beyond the float range become infinite; "nan", "inf" and
  // hexadecimal are no numbers; 0 × infinity and NaN truncate to 0.
  cases.push_back(
      {.name = "NumbersBeyondEveryRange",
       .build =
           [](const fs::path& game) {
             writeBait(
                 game, "extremes.tkl",
                 "[Header]\nName=Extremes\n[bait]\nType=0x10\nAddsize=99999999999\n"
                 "Minsize=-99999999999\nAdjustsize=2\nWeight=1e39\nAdjWeight=nan\n"
                 "Disperhour=inf\nhooksize=0x1p4\nadjhooksize=1e39\n[Class]\nClassType=70000\n");
             writeBait(game, "tiny_and_huge.tkl",
                       "[Header]\nName=Tiny And Huge\n[bait]\nAddsize=-2147483649\n"
                       "Minsize=2147483648\nWeight=1e-50\nAdjWeight=3.4028235e38\n"
                       "hooksize=-1e39\nadjhooksize=nan\n[Class]\nClassType=0x7\n");
           },
       .page = {{pageRow("Extremes", "", "2", "0", "2147483647", "2147483647", "2147483647")},
                {pageRow("Tiny And Huge", "", "1", "-2147483648", "see small", "-2147483648",
                         "see small")}},
       .log = {{"Extremes\n" + std::string(kLogHeader) +
                "\t\t1\t\t0\t\t\t2147483647\t\t-8388608 lb, 0 oz, 0 dr\n"
                "\t\t2\t\t2147483647\t\t\t2147483647\t\t0 lb, 0 oz, -1 dr\n"
                "5 Pieces\t\t\t2147483647\t\t\t2147483647\t\t75497471 lb, 15 oz, 6 dr\n \n"},
               {"Tiny And Huge\n" + std::string(kLogHeader) +
                "\t\t1\t\t-2147483648\t\t\t0\t\t8388607 lb, 15 oz, 15 dr\n"
                "5 Pieces\t\t\t-2147483648\t\t\t2147483647\t\t-33554432 lb, 0 oz, -1 dr\n \n"}},
       .extraSizeLines = 1});

  cases.push_back(
      {.name = "Adjustsize32767",
       .build =
           [](const fs::path& game) {
             writeBait(game, "sizes.tkl", "[Header]\nName=Many Sizes\n[bait]\nAdjustsize=32767\n");
           },
       .page = {{pageRow("Many Sizes", "Insect", "32767", "16", "-32750", "12", "-32754")}},
       .log = {{"Many Sizes\n" + std::string(kLogHeader) +
                "\t\t1\t\t16\t\t\t0\t\t0 lb, 0 oz, 1 dr\n"},
               {"\t\t32767\t\t-32750\t\t\t32766\t\t32766 lb, 0 oz, 1 dr\n"
                "5 Pieces\t\t\t-163819\t\t\t163835\t\t163835 lb, 0 oz, 1 dr\n \n"}},
       .extraSizeLines = 32766});

  // None of these is a regular file: each reads as a missing file, and none
  // may be opened (a FIFO would block, /dev/zero never ends).
  cases.push_back({.name = "SpecialEntriesNamedTkl",
                   .build =
                       [](const fs::path& game) {
                         const fs::path baits = game / "tackle/baits";
                         writeFile(baits / "a_folder.tkl/inner.tkl",
                                   "[Header]\nName=Hidden Inside\n");
                         ASSERT_EQ(mkfifo((baits / "b_pipe.tkl").c_str(), 0644), 0);
                         fs::create_symlink("nowhere/none.tkl", baits / "c_dangling.tkl");
                         fs::create_symlink("e_loop.tkl", baits / "d_loop.tkl");
                         fs::create_symlink("d_loop.tkl", baits / "e_loop.tkl");
                         fs::create_symlink("f_self.tkl", baits / "f_self.tkl");
                         fs::create_symlink("/dev/zero", baits / "g_zero.tkl");
                         writeBait(game, "h_real.tkl", "[Header]\nName=Real Bait\n");
                         fs::create_directory_symlink("a_folder.tkl", baits / "i_folder_link.tkl");
                       },
                   .page = {{kDefaultRow, 8}, {leftCell("Real Bait")}, {"Hidden Inside", 0}},
                   .log = {{kDefaultBlock, 8}, {"Real Bait\n"}}});

  cases.push_back({.name = "UnreadableBaitFile",
                   .build =
                       [](const fs::path& game) {
                         writeBait(game, "locked.tkl", "[Header]\nName=Locked Away\n");
                         writeBait(game, "open.tkl", "[Header]\nName=Open Bait\n");
                       },
                   .restrict =
                       [](const fs::path& game) {
                         fs::permissions(game / "tackle/baits/locked.tkl", fs::perms::none);
                       },
                   .page = {{kDefaultRow}, {leftCell("Open Bait")}, {"Locked Away", 0}},
                   .log = {{kDefaultBlock}, {"Open Bait\n"}, {"Locked Away", 0}}});

  cases.push_back({.name = "PageIsAFolder",
                   .build =
                       [](const fs::path& game) {
                         twoPlainBaits(game);
                         writeFile(game / "baithook.htm/keep.txt", "not a page\n");
                       },
                   .log = {{"Alder Grub\n"}, {"Birch Fly\n"}},
                   .pageLost = true,
                   .errors = lostLine("baithook.htm", pageFragments(2))});

  cases.push_back({.name = "ReadOnlyLog",
                   .build =
                       [](const fs::path& game) {
                         twoPlainBaits(game);
                         writeFile(game / "banalyse.txt", "blocks of an earlier run\n");
                       },
                   .restrict =
                       [](const fs::path& game) {
                         fs::permissions(game / "banalyse.txt", fs::perms::owner_read |
                                                                    fs::perms::group_read |
                                                                    fs::perms::others_read);
                       },
                   .page = {{leftCell("Alder Grub")}, {leftCell("Birch Fly")}},
                   .logLost = true,
                   .errors = lostLine("banalyse.txt", logFragments(2))});

  // A folder the player may not write to (installed by another account)
  // with an old page and log that are writable: the old page cannot be
  // removed, so it is emptied and holds just the new page afterwards.
  cases.push_back({.name = "UndeletableWritablePage",
                   .build =
                       [](const fs::path& game) {
                         twoPlainBaits(game);
                         writeFile(game / "baithook.htm", "a page of an earlier run\n");
                         writeFile(game / "banalyse.txt", "a block of an earlier run\n");
                       },
                   .restrict = withoutFolderWrites,
                   .page = {{leftCell("Alder Grub")}, {leftCell("Birch Fly")}, {"earlier", 0}},
                   .log = {{"a block of an earlier run\nAlder Grub\n"}},
                   .extraSizeLines = 1});  // the earlier run's line

  // As above, but the old page is read-only too: it can be neither removed
  // nor emptied, so nothing is written to it and all of the page is lost.
  cases.push_back({.name = "UndeletableReadOnlyPage",
                   .build =
                       [](const fs::path& game) {
                         twoPlainBaits(game);
                         writeFile(game / "baithook.htm", "a page of an earlier run\n");
                         writeFile(game / "banalyse.txt", "a block of an earlier run\n");
                       },
                   .restrict =
                       [](const fs::path& game) {
                         withoutFolderWrites(game);
                         fs::permissions(game / "baithook.htm",
                                         fs::perms::owner_write | fs::perms::group_write |
                                             fs::perms::others_write,
                                         fs::perm_options::remove);
                       },
                   .log = {{"a block of an earlier run\nAlder Grub\n"}},
                   .extraSizeLines = 1,
                   .pageLost = true,
                   .errors = lostLine("baithook.htm", pageFragments(2))});

  cases.push_back({.name = "UnwritableWorkingFolder",
                   .build = twoPlainBaits,
                   .restrict = withoutFolderWrites,
                   .pageLost = true,
                   .logLost = true,
                   // The page is named first: its head is written before any bait is read.
                   .errors = lostLine("baithook.htm", pageFragments(2)) +
                             lostLine("banalyse.txt", logFragments(2))});
  return cases;
}

// Names the case when gtest prints a failing parameter.
void PrintTo(const BadInputCase& c, std::ostream* out) { *out << c.name; }

class BadInput : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(BadInput, RunEndsAndReportsWhatTheRulesGive) {
  const BadInputCase& c = GetParam();
  const ScratchFolder scratch;
  const fs::path game = scratch.path() / "game";
  fs::create_directories(game / "tackle/baits");
  c.build(game);
  // A copy the tool's user can reach whatever the build folder's rights.
  const fs::path tool = scratch.path() / "banalyse";
  fs::copy_file(BANALYSE_EXE, tool);
  handOver(game);

  std::vector<std::string> written;
  if (!c.pageLost) {
    written.emplace_back("baithook.htm");
  }
  if (!c.logLost) {
    written.emplace_back("banalyse.txt");
  }
  const auto before = snapshot(game, written);
  const std::vector<std::string> entries = baitEntries(game);
  if (c.restrict) {
    c.restrict(game);
  }
  const ToolRun run = runTool(tool, game, scratch.path(), kTimeLimit);
  restoreOwnerRights(game);

  ASSERT_TRUE(run.finished) << "still running after " << kTimeLimit.count() << " s";
  EXPECT_EQ(run.errors, c.errors);
  EXPECT_EQ(run.exitStatus, c.errors.empty() ? 0 : 1);
  EXPECT_EQ(run.console, expectedConsole(entries));
  EXPECT_EQ(snapshot(game, written), before) << "the game folder changed beyond the reports";
  if (c.peakMegabytes != 0) {
    EXPECT_LE(run.peakKilobytes, static_cast<long>(c.peakMegabytes * kMemoryScale) * 1024);
  }

  if (!c.pageLost) {
    const std::string page = readFile(game / "baithook.htm");
    EXPECT_EQ(lineCount(page), 12 + 8 * entries.size()) << "head, a row per entry and foot";
    EXPECT_EQ(page.substr(0, kPageFirstLine.size()), kPageFirstLine);
    EXPECT_TRUE(page.size() >= kPageFoot.size() &&
                page.substr(page.size() - kPageFoot.size()) == kPageFoot);
    for (const Fragment& fragment : c.page) {
      EXPECT_EQ(occurrences(page, fragment.text), fragment.times)
          << "on the page: " << fragment.text;
    }
  }
  if (!c.logLost) {
    const std::string log = readFile(game / "banalyse.txt");
    EXPECT_EQ(lineCount(log), 5 * entries.size() + c.extraSizeLines) << "a block per entry";
    for (const Fragment& fragment : c.log) {
      EXPECT_EQ(occurrences(log, fragment.text), fragment.times) << "in the log: " << fragment.text;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInput, ::testing::ValuesIn(badInputCases()),
                         [](const ::testing::TestParamInfo<BadInputCase>& info) {
                           return info.param.name;
                         });

}  // namespace
