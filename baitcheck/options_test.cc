#include "baitcheck/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "baitcheck/version.h"

namespace {

CommandLine parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "baitcheck");
  return parseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(Options, FormatsAndPaths) {
  const struct {
    std::vector<const char*> arguments;
    OutputFormat format;
    std::vector<std::string> paths;
  } cases[] = {
      {{}, OutputFormat::kText, {}},
      {{"--format=csv", "a.tkl"}, OutputFormat::kCsv, {"a.tkl"}},
      {{"x", "--format", "json", "y"}, OutputFormat::kJson, {"x", "y"}},
      {{"--format=text", "--", "-odd.tkl"}, OutputFormat::kText, {"-odd.tkl"}},
  };
  for (const auto& c : cases) {
    const CommandLine line = parse(c.arguments);
    EXPECT_EQ(line.action, CommandLine::Action::kCheck) << line.text;
    EXPECT_EQ(line.options.format, c.format);
    EXPECT_EQ(line.options.paths, c.paths);
  }
}

TEST(Options, HelpAndVersionAreShown) {
  const CommandLine version = parse({"--version"});
  EXPECT_EQ(version.action, CommandLine::Action::kShow);
  EXPECT_EQ(version.text, std::string("baitcheck ") + BAITCHECK_VERSION + "\n");
  const CommandLine help = parse({"--help"});
  EXPECT_EQ(help.action, CommandLine::Action::kShow);
  EXPECT_NE(help.text.find("Usage: baitcheck [OPTIONS] [PATH...]"), std::string::npos);
  EXPECT_NE(help.text.find("--format"), std::string::npos);
}

TEST(Options, UsageErrorsAreOneLineNamingTheFault) {
  const struct {
    std::vector<const char*> arguments;
    const char* named;
  } cases[] = {
      {{"--frob"}, "--frob"},
      {{"-x", "a.tkl"}, "-x"},
      {{"--format=xml"}, "xml"},
      {{"--format"}, "--format"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.named);
    const CommandLine line = parse(c.arguments);
    EXPECT_EQ(line.action, CommandLine::Action::kUsageError);
    EXPECT_NE(line.text.find(c.named), std::string::npos) << line.text;
    EXPECT_EQ(line.text.find('\n'), std::string::npos) << line.text;
  }
}

}  // namespace
