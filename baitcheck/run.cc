#include "baitcheck/run.h"

#include <string>
#include <string_view>
#include <vector>

#include "baitcheck/cross_file.h"
#include "baitcheck/csv_output.h"
#include "baitcheck/file_check.h"
#include "baitcheck/json_output.h"
#include "baitcheck/options.h"
#include "baitcheck/targets.h"
#include "baitcheck/text_output.h"

namespace {

// False once `stream` has failed: a closed pipe or a full disk ends the run.
bool write(std::FILE* stream, std::string_view text) {
  (void)std::fwrite(text.data(), 1, text.size(), stream);
  return std::ferror(stream) == 0;
}

int fail(std::FILE* errors, std::string_view message) {
  (void)write(errors, std::string("baitcheck: ").append(message).append("\n"));
  return kUsageError;
}

}  // namespace

int runBaitcheck(int argc, const char* const* argv, std::FILE* out, std::FILE* errors) {
  const CommandLine commandLine = parseCommandLine(argc, argv);
  if (commandLine.action == CommandLine::Action::kShow) {
    return write(out, commandLine.text) && std::fflush(out) == 0
               ? kNothingFound
               : fail(errors, "cannot write the output");
  }
  if (commandLine.action == CommandLine::Action::kUsageError) {
    return fail(errors, commandLine.text + " (see baitcheck --help)");
  }
  const OutputFormat format = commandLine.options.format;
  std::vector<CheckTarget> targets;
  std::string error;
  if (!listTargets(commandLine.options.paths, targets, error)) {
    return fail(errors, error);
  }

  std::string text;
  if (format == OutputFormat::kCsv) {
    text = csvHeader();
  } else if (format == OutputFormat::kJson) {
    text = "[";
  }
  bool writable = write(out, text);
  CrossFileChecks crossFile;
  std::size_t filesWithFindings = 0;
  std::size_t findings = 0;
  for (std::size_t i = 0; i < targets.size() && writable; ++i) {
    FileReport report = checkBaitFile(targets[i]);
    crossFile.check(report);
    findings += report.findings.size();
    filesWithFindings += report.findings.empty() ? 0 : 1;
    text.clear();
    if (format == OutputFormat::kText) {
      appendTextFindings(report, text);
    } else if (format == OutputFormat::kCsv) {
      appendCsvRow(report, text);
    } else {
      text.append(i == 0 ? "\n" : ",\n").append(jsonObject(report));
    }
    writable = write(out, text);
  }
  if (format == OutputFormat::kText) {
    text = summaryLine(targets.size(), filesWithFindings, findings);
  } else {
    text = format == OutputFormat::kJson ? "\n]\n" : "";
  }
  writable = writable && write(out, text) && std::fflush(out) == 0;
  if (!writable) {
    return fail(errors, "cannot write the output");
  }
  return findings == 0 ? kNothingFound : kFoundSomething;
}
