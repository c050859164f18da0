// baitcheck's command line: [--format=text|csv|json] [PATH...], --help,
// --version.
#pragma once

#include <string>
#include <vector>

enum class OutputFormat { kText, kCsv, kJson };

struct Options {
  OutputFormat format = OutputFormat::kText;
  std::vector<std::string> paths;  // as given; none: the default bait folder
};

struct CommandLine {
  enum class Action {
    kCheck,       // check with `options`
    kShow,        // print `text` on standard output and exit with 0 (--help, --version)
    kUsageError,  // print `text`, one line naming the fault, and exit with 2
  };
  Action action = Action::kCheck;
  Options options;
  std::string text;
};

// Reads the arguments (argv[0] is the program). Never throws but
// std::bad_alloc.
CommandLine parseCommandLine(int argc, const char* const* argv);
