#include "baitcheck/text_output.h"

void appendTextFindings(const FileReport& report, std::string& out) {
  for (const Finding& finding : report.findings) {
    out.append(report.shownPath);
    if (finding.line != 0) {
      out.append(":").append(std::to_string(finding.line));
    }
    out.append(": warning: ")
        .append(finding.message)
        .append(" [")
        .append(codeName(finding.code))
        .append("]\n");
  }
}

std::string summaryLine(std::size_t files, std::size_t filesWithFindings, std::size_t findings) {
  return std::to_string(files) + (files == 1 ? " file, " : " files, ") +
         std::to_string(filesWithFindings) + " with findings, " + std::to_string(findings) +
         (findings == 1 ? " finding\n" : " findings\n");
}
