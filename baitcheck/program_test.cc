// The baitcheck program itself, run as a modder runs it: in the golden game
// folders and the demo, its CSV and JSON read by Python's own parsers and
// compared with the loader's values, and on a console that goes away.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "baitcheck/finding.h"
#include "baitcheck/shown_text.h"
#include "baitcheck/version.h"
#include "catalogue/bait_file.h"
#include "catalogue/bait_keys.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The exit status of a shell command, or -1 when it did not exit.
int shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quotedForShell(const std::string& text) { return "'" + text + "'"; }

// Runs baitcheck in the working directory with `arguments`, its standard
// output into `out` and its errors into "errors.txt"; returns its status.
int baitcheck(const std::string& arguments, const std::string& out = "out.txt") {
  return shell(quotedForShell(BAITCHECK_EXE) + " " + arguments + " >" + out + " 2>errors.txt");
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t begin = 0, end; begin < text.size(); begin = end + 1) {
    end = text.find('\n', begin);
    lines.push_back(text.substr(begin, end - begin));
  }
  return lines;
}

nlohmann::json parsedByPython(const char* format, const std::string& file) {
  const std::string parsed = std::string(format) + ".parsed";
  EXPECT_EQ(shell("python3 " + quotedForShell(BAITCHECK_PARSE_OUTPUT) + " " + format + " " + file +
                  " >" + parsed),
            0);
  return nlohmann::json::parse(readFile(parsed), nullptr, false);
}

class Program : public ::testing::Test {
 protected:
  void copyGame(const fs::path& game) { fs::copy(game, dir_.path(), fs::copy_options::recursive); }
  ScopedTempDir dir_;
};

TEST_F(Program, TheDemoIsClean) {
  copyGame(BANALYSE_DEMO_DIR);
  EXPECT_EQ(baitcheck(""), 0);
  EXPECT_EQ(readFile("out.txt"), "12 files, 0 with findings, 0 findings\n");
  EXPECT_EQ(readFile("errors.txt"), "");
}

TEST_F(Program, EveryMistakeIsNamedOnItsLine) {
  const fs::path golden = fs::path(BAITCHECK_GOLDEN_DIR) / "mistakes";
  copyGame(golden / "game");
  EXPECT_EQ(baitcheck(""), 1);
  EXPECT_EQ(readFile("out.txt"), readFile(golden / "stdout.txt"));
  EXPECT_EQ(readFile("errors.txt"), "");
}

TEST_F(Program, UsageErrorsExitWithTwo) {
  EXPECT_EQ(baitcheck("--format=xml ."), 2);
  EXPECT_EQ(readFile("errors.txt"),
            "baitcheck: --format: xml not in {text,csv,json} (see baitcheck --help)\n");
  EXPECT_EQ(baitcheck("no-such-folder"), 2);
  EXPECT_EQ(readFile("errors.txt"), "baitcheck: no-such-folder: no such file or folder\n");
  EXPECT_EQ(readFile("out.txt"), "");
  EXPECT_EQ(baitcheck("--version"), 0);
  EXPECT_EQ(readFile("out.txt"), std::string("baitcheck ") + BAITCHECK_VERSION + "\n");
}

// The CSV and the JSON, read by Python's parsers, hold for every file the
// values that banalyse's loader reads, and the same findings as the text.
TEST_F(Program, CsvAndJsonHoldTheLoadersValuesAndTheTextsFindings) {
  copyGame(fs::path(BAITCHECK_GOLDEN_DIR) / "mistakes" / "game");
  EXPECT_EQ(baitcheck("", "text.txt"), 1);
  EXPECT_EQ(baitcheck("--format=csv", "out.csv"), 1);
  EXPECT_EQ(baitcheck("--format=json", "out.json"), 1);
  const std::vector<std::string> text = linesOf(readFile("text.txt"));
  const nlohmann::json rows = parsedByPython("csv", "out.csv");
  const nlohmann::json files = parsedByPython("json", "out.json");
  ASSERT_TRUE(rows.is_array());
  ASSERT_TRUE(files.is_array());
  ASSERT_EQ(rows.size(), 12U);
  ASSERT_EQ(files.size(), 11U);

  std::vector<std::string> header = {"path"};
  for (const BaitKey& row : kBaitKeys) {
    header.emplace_back(row.key);
  }
  header.emplace_back("findings");
  EXPECT_EQ(rows[0].get<std::vector<std::string>>(), header);

  std::size_t textLine = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const nlohmann::json& file = files[i];
    const std::vector<std::string> cells = rows[i + 1].get<std::vector<std::string>>();
    const std::string path = file["path"].get<std::string>();
    SCOPED_TRACE(path);
    EXPECT_EQ(cells[0], path);
    BaitRecord record;
    readBaitFile(record, path.c_str());
    normaliseProfile(record);
    for (std::size_t k = 0; k < kBaitKeyCount; ++k) {
      const BaitKey& row = kBaitKeys[k];
      SCOPED_TRACE(row.key);
      const BaitFieldValue value = row.field(record);
      EXPECT_EQ(cells[k + 1], cellText(value));
      const nlohmann::json& json = file["values"][row.key];
      switch (value.kind) {
        case BaitKeyKind::kText:
        case BaitKeyKind::kRef:
          EXPECT_EQ(json, asUnicode(value.text));
          break;
        case BaitKeyKind::kFlag:
          EXPECT_EQ(json, value.integer == 1);
          break;
        case BaitKeyKind::kReal:
        case BaitKeyKind::kIntegerAsReal:
          ASSERT_TRUE(json.is_number());
          EXPECT_EQ(static_cast<float>(json.get<double>()), value.real);
          break;
        default:
          EXPECT_EQ(json, value.integer);
      }
    }
    EXPECT_EQ(cells.back(), std::to_string(file["findings"].size()));
    for (const nlohmann::json& finding : file["findings"]) {
      ASSERT_LT(textLine, text.size());
      std::string line = path;
      if (!finding["line"].is_null()) {
        line += ":" + std::to_string(finding["line"].get<std::size_t>());
      }
      line += ": warning: " + finding["message"].get<std::string>() + " [" +
              finding["code"].get<std::string>() + "]";
      EXPECT_EQ(line, text[textLine++]);
    }
  }
  EXPECT_EQ(text.at(textLine), "11 files, 11 with findings, 34 findings");
}

// Names from other players' packs reach the terminal with their control
// bytes shown as "?", and other bytes as they are.
TEST_F(Program, FileNamesShowControlBytesAsQuestionMarks) {
  writeFile("tackle/baits/esc\x1b[2J.tkl", "");
  writeFile("tackle/baits/new\nline.tkl", "[Header]\nName=A\n[bait]\n[Class]\nFat=1\n");
  writeFile(
      "tackle/baits/p\xC3\xAA"
      "che.tkl",
      "[Header]\nName=A\n[bait]\n[Class]\nFat=1\n");
  EXPECT_EQ(baitcheck(""), 1);
  EXPECT_EQ(readFile("out.txt"),
            "tackle/baits/esc?[2J.tkl: warning: no Name in [Header], so the game shows the bait "
            "as \"Unknown bait\" [missing-name]\n"
            "tackle/baits/esc?[2J.tkl: warning: no [bait] section, so all 17 of its keys take "
            "their defaults [missing-section]\n"
            "tackle/baits/esc?[2J.tkl: warning: no [Class] section, so all 18 of its keys take "
            "their defaults [missing-section]\n"
            "tackle/baits/p\xC3\xAA"
            "che.tkl:2: warning: Name \"A\" is also the Name of "
            "tackle/baits/new?line.tkl [duplicate-name]\n"
            "3 files, 2 with findings, 4 findings\n");
  EXPECT_EQ(baitcheck("--format=csv"), 1);
  EXPECT_NE(readFile("out.txt").find("\r\ntackle/baits/new?line.tkl,A,"), std::string::npos);
}

// A console that goes away (a full disk, a pager closed early) ends the run
// with status 2 and a line on standard error, not a hang.
TEST_F(Program, OutputThatCannotBeWrittenEndsTheRun) {
  copyGame(fs::path(BAITCHECK_GOLDEN_DIR) / "mistakes" / "game");
  EXPECT_EQ(baitcheck("", "/dev/full"), 2);
  EXPECT_EQ(readFile("errors.txt"), "baitcheck: cannot write the output\n");

  // Far more output than a pipe holds, into `head`, with SIGPIPE ignored as
  // some shells and launchers leave it.
  for (int i = 0; i < 3000; ++i) {
    writeFile("tackle/baits/empty-" + std::to_string(i) + ".tkl", "");
  }
  EXPECT_EQ(shell("{ (trap '' PIPE; exec " + quotedForShell(BAITCHECK_EXE) +
                  " 2>errors.txt); echo $? >status.txt; } | head -n 1 >first.txt"),
            0);
  EXPECT_EQ(
      readFile("first.txt"),
      linesOf(readFile(fs::path(BAITCHECK_GOLDEN_DIR) / "mistakes" / "stdout.txt"))[0] + "\n");
  EXPECT_EQ(readFile("status.txt"), "2\n");
  EXPECT_EQ(readFile("errors.txt"), "baitcheck: cannot write the output\n");
}

// docs/checks.md explains every code in a section named by the code, which
// is its anchor, and no code that does not exist.
TEST(CheckDocs, EachCodeHasItsSection) {
  std::set<std::string> documented;
  for (const std::string& line : linesOf(readFile(BAITCHECK_CHECKS_DOC))) {
    if (line.rfind("## ", 0) == 0) {
      documented.insert(line.substr(3));
    }
  }
  std::set<std::string> codes;
  for (const CheckCode code : allCheckCodes()) {
    codes.emplace(codeName(code));
  }
  EXPECT_EQ(documented, codes);
}

}  // namespace
