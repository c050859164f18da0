#include "baitcheck/options.h"

#include <CLI/CLI.hpp>

#include "baitcheck/version.h"

CommandLine parseCommandLine(int argc, const char* const* argv) {
  CLI::App app{
      "baitcheck: what the game will make of bait files. One line per place where what\n"
      "was written is not what the game reads; each code is explained in docs/checks.md.",
      "baitcheck"};
  app.footer(
      "PATH: a bait file, or a folder of them (its *.tkl files). No PATH: tackle/baits.\n"
      "Exit status: 0 when nothing was found, 1 when anything was, 2 for a usage error.");
  app.set_version_flag("--version", std::string("baitcheck ") + BAITCHECK_VERSION);
  std::string format = "text";
  app.add_option("--format", format, "text (the default), csv or json")
      ->check(CLI::IsMember({"text", "csv", "json"}))
      ->option_text("FORMAT");
  CommandLine result;
  app.add_option("PATH", result.options.paths, "bait files and folders to check")->type_name("");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    result.action = CommandLine::Action::kShow;
    result.text = app.help();
    return result;
  } catch (const CLI::CallForVersion& version) {
    result.action = CommandLine::Action::kShow;
    result.text = std::string(version.what()) + "\n";
    return result;
  } catch (const CLI::ParseError& error) {
    result.action = CommandLine::Action::kUsageError;
    result.text = error.what();
    // One line, whatever the library wrote.
    for (char& c : result.text) {
      c = (c == '\n' || c == '\r') ? ' ' : c;
    }
    return result;
  }
  result.options.format = format == "csv"    ? OutputFormat::kCsv
                          : format == "json" ? OutputFormat::kJson
                                             : OutputFormat::kText;
  return result;
}
