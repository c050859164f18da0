// End-to-end in a browser: runs the real banalyse binary in a small game
// folder built here, opens the page it writes in headless Chromium, and reads
// back the DOM that Chromium built from it, which is what a player sees.
// Chromium runs through tests/browser/headless-chromium; without Chromium
// these tests fail and say what to install.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "testing/temp_dir.h"
#include "tests/browser/dom_tree.h"

namespace {

namespace fs = std::filesystem;

// A bait name made of markup. Were it obeyed, the browser would make a bold
// element and run a script that renames the page.
constexpr const char* kMarkupName = "<b>Bold</b> & <script>document.title='Injected'</script>";
constexpr const char* kEscapedMarkupName =
    "&lt;b&gt;Bold&lt;/b&gt; &amp; &lt;script&gt;document.title='Injected'&lt;/script&gt;";
constexpr const char* kPageTitle = "TL2 Baits";

using Table = std::vector<std::vector<std::string>>;

// The files are named so that the scan meets the baits in another order than
// the page shows them: by name, letters compared without regard to case.
void writeGame() {
  writeFile("tackle/baits/a.tkl",
            "[Header]\nName=Worm\n[bait]\nAdjustsize=3\nhooksize=16\nadjhooksize=-1\n");
  writeFile("tackle/baits/b.tkl",
            "[Header]\nName=Bread\n[bait]\nHookbait=0\n[Class]\nClassType=10\n");
  writeFile("tackle/baits/c.tkl", std::string("[Header]\nName=") + kMarkupName + "\n");
  writeFile("tackle/baits/d.tkl", "[Header]\nName=apple\n[Class]\nClassType=4\n");
}

const Table& expectedTable() {
  static const Table table = {
      {"Name", "Type", "Sizes", "Hook 1pc small", "Hook 1pc large", "Hook 5pcs sml",
       "Hook 5pcs Large"},
      {kMarkupName, "Insect", "1", "16", "see small", "12", "see small"},
      {"apple", "Fruit", "1", "16", "see small", "12", "see small"},
      {"Bread", "Processed", "1", "N.A", "N.A", "N.A", "N.A"},
      {"Worm", "Insect", "3", "16", "14", "12", "10"},
  };
  return table;
}

::testing::AssertionResult runBanalyse() {
  const std::string command = std::string("'") + BANALYSE_EXE + "' > console.out 2> errors.out";
  if (std::system(command.c_str()) != 0) {
    return ::testing::AssertionFailure() << "banalyse failed: " << readFile("errors.out");
  }
  return ::testing::AssertionSuccess();
}

std::string fileUrl(const fs::path& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : fs::absolute(path).string()) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || std::string_view("/-._~").find(c) != std::string_view::npos) {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0xF];
    }
  }
  return url;
}

// Opens `page` in headless Chromium and parses the DOM it dumps into `dom`.
::testing::AssertionResult renderDom(const fs::path& page, DomNode& dom) {
  const std::string command = std::string("'") + BANALYSE_HEADLESS_CHROMIUM + "' --dump-dom '" +
                              fileUrl(page) + "' > dom.html 2> chromium.log";
  const int status = std::system(command.c_str());
  if (status != 0) {
    return ::testing::AssertionFailure()
           << "headless Chromium failed (exit status "
           << (WIFEXITED(status) ? WEXITSTATUS(status) : status) << "):\n"
           << readFile("chromium.log");
  }
  std::string error;
  if (!parseDom(readFile("dom.html"), dom, error)) {
    return ::testing::AssertionFailure() << "cannot read Chromium's DOM: " << error;
  }
  return ::testing::AssertionSuccess();
}

// Runs banalyse in a fresh game folder and renders the page it writes.
::testing::AssertionResult renderGamePage(DomNode& dom) {
  writeGame();
  if (auto ran = runBanalyse(); !ran) {
    return ran;
  }
  return renderDom("baithook.htm", dom);
}

// The text of every cell of the page's one table, row by row. Rows are taken
// wherever the browser put them (it adds a tbody of its own).
::testing::AssertionResult readTable(const DomNode& dom, Table& table) {
  const std::vector<const DomNode*> tables = findElements(dom, "table");
  if (tables.size() != 1) {
    return ::testing::AssertionFailure() << "the page holds " << tables.size() << " tables";
  }
  table.clear();
  for (const DomNode* row : findElements(*tables[0], "tr")) {
    std::vector<std::string>& cells = table.emplace_back();
    for (const DomNode* cell : childElements(*row, "td")) {
      cells.push_back(textContent(*cell));
    }
  }
  return ::testing::AssertionSuccess();
}

std::string pageTitle(const DomNode& dom) {
  const std::vector<const DomNode*> titles = findElements(dom, "title");
  return titles.size() == 1 ? textContent(*titles[0])
                            : "(" + std::to_string(titles.size()) + " titles)";
}

TEST(PageInBrowser, ShowsHeaderAndOneRowPerBaitInNameOrder) {
  const ScopedTempDir dir;
  DomNode dom;
  ASSERT_TRUE(renderGamePage(dom));
  Table table;
  ASSERT_TRUE(readTable(dom, table));
  EXPECT_EQ(table, expectedTable());
}

TEST(PageInBrowser, ShowsMarkupInBaitNameAsText) {
  const ScopedTempDir dir;
  DomNode dom;
  ASSERT_TRUE(renderGamePage(dom));
  Table table;
  ASSERT_TRUE(readTable(dom, table));
  ASSERT_GE(table.size(), 2U);
  ASSERT_FALSE(table[1].empty());
  EXPECT_EQ(table[1][0], kMarkupName);
  EXPECT_TRUE(findElements(dom, "b").empty());
  EXPECT_TRUE(findElements(dom, "script").empty());
  EXPECT_EQ(pageTitle(dom), kPageTitle);
}

// The checks above can fail: with the name written raw into the page, this
// browser does make the elements and does run the script.
TEST(PageInBrowser, RawMarkupInPageIsSeenByTheChecks) {
  const ScopedTempDir dir;
  writeGame();
  ASSERT_TRUE(runBanalyse());
  std::string page = readFile("baithook.htm");
  const std::size_t at = page.find(kEscapedMarkupName);
  ASSERT_NE(at, std::string::npos) << "the page does not hold the escaped name";
  page.replace(at, std::string_view(kEscapedMarkupName).size(), kMarkupName);
  writeFile("raw.htm", page);

  DomNode dom;
  ASSERT_TRUE(renderDom("raw.htm", dom));
  EXPECT_EQ(findElements(dom, "b").size(), 1U);
  EXPECT_EQ(findElements(dom, "script").size(), 1U);
  EXPECT_EQ(pageTitle(dom), "Injected");
}

}  // namespace
