// A conformance run in a folder: the files and job that the Windows probe
// answers (tests/conformance/job_format.h), and the comparison of its answers
// with our reader's and our number rules'. The folder holds:
//   files/NNNN.ini     the random files (a missing one is simply absent)
//   job.txt            their requests and the random numeric texts
//   answers.txt        the platform's answers, written by the probe
//   known/NN.ini, known-job.txt, known-answers.txt
//                      the same for the fixed cases of known_differences.h
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace conformance {

struct RunSize {
  unsigned files = 0;
  unsigned numbers = 0;
  unsigned extraRequests = 0;  // random requests per file, beyond the tool's 38
};

// Writes the random files and job.txt for `seed` into `folder`, and the fixed
// cases with known-job.txt. Returns false, having said why on standard error,
// when a file cannot be written.
bool writeRun(const std::filesystem::path& folder, std::uint64_t seed, const RunSize& size);

struct Comparison {
  std::size_t files = 0;
  std::size_t requests = 0;
  std::size_t numbers = 0;
  std::vector<std::string> differences;  // each described on one line
};

// Compares every answer in `answerName` with ours for the line of `jobName`
// it answers, both files in `folder` (whose job paths are relative to it).
// Returns false when the two files cannot be read or do not pair up; each
// answer that differs is added to `result.differences`.
bool compareAnswers(const std::filesystem::path& folder, const std::string& jobName,
                    const std::string& answerName, Comparison& result);

// Checks the fixed cases in known-answers.txt: each must give both expected
// answers. Every case that does not is added to `result.differences`.
bool checkKnownDifferences(const std::filesystem::path& folder, Comparison& result);

}  // namespace conformance
