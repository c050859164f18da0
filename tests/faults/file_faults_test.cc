// Every file call of a run failing in turn. A run over a small game folder
// is first watched through the file-call seam (platform/file_ops.h); then
// for each kind of call and each of its calls in that run, the run is made
// again with that one call failing, and must end as the rules give:
//  - an append that could not be opened or written loses its one fragment:
//    the exact "N of M writes failed" line, status 1, and every other
//    fragment on disk in order; a failed close loses nothing on disk but is
//    still counted;
//  - a bait file that cannot be opened, sized or read loads as an empty one;
//  - a listing that fails part-way holds the entries found before;
//  - an old page that cannot be removed is emptied; one that cannot be
//    emptied either is left as it was, all of the page counted as lost.
// Always: the bait files are unchanged and no descriptor is left open.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "driver/run.h"
#include "platform/file_ops.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kPage = "baithook.htm";
constexpr const char* kLog = "banalyse.txt";
constexpr const char* kOldPage = "a page of an earlier run\n";
constexpr const char* kOldLog = "blocks of an earlier run\n";

// The game folder: three bait files of different shapes, and the reports of
// an earlier run.
const std::map<std::string, std::string> kBaits = {
    {"alder.tkl", "[Header]\nName=Alder Grub\n[Class]\nClassType=2\n"},
    {"birch.tkl", "[Header]\nName=Birch Fly\n[bait]\nAdjustsize=2\nHookbait=0\n"},
    {"cedar.tkl", "[Header]\r\nName=Cedar Moth\r\n"},
};

void makeGame(const std::map<std::string, std::string>& baits) {
  fs::create_directories("tackle/baits");
  for (const auto& [name, bytes] : baits) {
    writeFile(fs::path("tackle/baits") / name, bytes);
  }
  writeFile(kPage, kOldPage);
  writeFile(kLog, kOldLog);
}

// What a run left: its status, its two streams and the two reports.
struct Outcome {
  int status = -1;
  std::string console;
  std::string errors;
  std::string page;
  std::string log;
};

bool operator==(const Outcome& a, const Outcome& b) {
  return a.status == b.status && a.console == b.console && a.errors == b.errors &&
         a.page == b.page && a.log == b.log;
}

void PrintTo(const Outcome& o, std::ostream* out) {
  *out << "status " << o.status << ", errors \"" << o.errors << "\", " << o.page.size()
       << " page bytes, " << o.log.size() << " log bytes";
}

std::string contentOf(std::FILE* stream) {
  std::rewind(stream);
  std::string text;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, stream)) > 0;) {
    text.append(chunk, got);
  }
  return text;
}

struct StreamCloser {
  void operator()(std::FILE* stream) const { std::fclose(stream); }
};

// Descriptors open in this process.
std::size_t openDescriptors() {
  std::size_t count = 0;
  for (auto it = fs::directory_iterator("/proc/self/fd"); it != fs::directory_iterator(); ++it) {
    ++count;
  }
  return count;
}

// One run in the working directory, console and errors captured.
Outcome runHere() {
  const std::unique_ptr<std::FILE, StreamCloser> console(std::tmpfile());
  const std::unique_ptr<std::FILE, StreamCloser> errors(std::tmpfile());
  Outcome outcome;
  outcome.status = runBanalyse(console.get(), errors.get());
  std::fflush(console.get());
  std::fflush(errors.get());
  outcome.console = contentOf(console.get());
  outcome.errors = contentOf(errors.get());
  outcome.page = readFile(kPage);
  outcome.log = readFile(kLog);
  return outcome;
}

// A run with no failures in a fresh game folder holding `baits`.
Outcome cleanRunOf(const std::map<std::string, std::string>& baits) {
  const ScopedTempDir dir;
  makeGame(baits);
  resetFileCalls();
  return runHere();
}

// The calls of a run, as the watcher saw them.
struct SeenCall {
  FileCall call;
  std::string subject;
};
std::vector<SeenCall> seenCalls;

void noteCall(FileCall call, std::string_view subject, bool /*failed*/) {
  seenCalls.push_back(SeenCall{call, std::string(subject)});
}

// The position in `trace` of the `ordinal`th call of kind `call`.
std::size_t positionOf(const std::vector<SeenCall>& trace, FileCall call, std::size_t ordinal) {
  for (std::size_t i = 0; i < trace.size(); ++i) {
    if (trace[i].call == call && --ordinal == 0) {
      return i;
    }
  }
  return trace.size();
}

// The nearest call before position `at` of any of `calls`.
std::size_t lastBefore(const std::vector<SeenCall>& trace, std::size_t at,
                       std::initializer_list<FileCall> calls) {
  for (std::size_t i = at; i-- > 0;) {
    for (const FileCall call : calls) {
      if (trace[i].call == call) {
        return i;
      }
    }
  }
  return trace.size();
}

// A report as the traced fragments build it: its earlier content, then each
// fragment appended to it except the one written at position `lost`.
std::string reportFromTrace(const std::vector<SeenCall>& trace, const std::string& report,
                            const std::string& earlier, std::size_t lost) {
  std::string text = earlier;
  std::string appendingTo;
  for (std::size_t i = 0; i < trace.size(); ++i) {
    if (trace[i].call == FileCall::kOpenForAppending) {
      appendingTo = trace[i].subject;
    } else if (trace[i].call == FileCall::kWrite && appendingTo == report && i != lost) {
      text += trace[i].subject;
    }
  }
  return text;
}

std::size_t fragmentsOf(const std::vector<SeenCall>& trace, const std::string& report) {
  std::size_t count = 0;
  for (const SeenCall& seen : trace) {
    count += seen.call == FileCall::kOpenForAppending && seen.subject == report ? 1 : 0;
  }
  return count;
}

std::string lostLine(const std::string& report, std::size_t lost, std::size_t fragments) {
  return "banalyse: " + report + ": " + std::to_string(lost) + " of " + std::to_string(fragments) +
         " writes failed\n";
}

class FileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    // The clean run, watched.
    const ScopedTempDir dir;
    makeGame(kBaits);
    resetFileCalls();
    seenCalls.clear();
    watchFileCalls(noteCall);
    clean_ = runHere();
    watchFileCalls(nullptr);
    trace_ = seenCalls;
    ASSERT_EQ(clean_.status, 0);
    ASSERT_EQ(clean_.errors, "");
    // The trace is the whole story of the reports.
    ASSERT_EQ(clean_.page, reportFromTrace(trace_, kPage, "", trace_.size()));
    ASSERT_EQ(clean_.log, reportFromTrace(trace_, kLog, kOldLog, trace_.size()));
  }
  void TearDown() override { resetFileCalls(); }

  // The run with the `ordinal`th call of kind `call` failing, checked to
  // leave the bait files and the process's descriptors as they were.
  Outcome runFailing(FileCall call, std::size_t ordinal, std::vector<std::string>* listed) {
    const ScopedTempDir dir;
    makeGame(kBaits);
    if (listed != nullptr) {
      for (auto it = fs::directory_iterator("tackle/baits"); it != fs::directory_iterator(); ++it) {
        listed->push_back(it->path().filename().string());
      }
    }
    const std::size_t descriptors = openDescriptors();
    resetFileCalls();
    failFileCall(call, ordinal);
    const Outcome outcome = runHere();
    resetFileCalls();
    EXPECT_EQ(openDescriptors(), descriptors) << "a descriptor was left open";
    for (const auto& [name, bytes] : kBaits) {
      EXPECT_EQ(readFile(fs::path("tackle/baits") / name), bytes) << name;
    }
    return outcome;
  }

  std::size_t callsOf(FileCall call) const {
    std::size_t count = 0;
    for (const SeenCall& seen : trace_) {
      count += seen.call == call ? 1 : 0;
    }
    return count;
  }

  // A run that lost the fragment at `at` from its count, and from the disk
  // unless `onDisk`.
  Outcome oneFragmentLost(std::size_t append, std::size_t at, bool onDisk) const {
    const std::string& report = trace_[append].subject;
    Outcome expected = clean_;
    expected.status = 1;
    expected.errors = lostLine(report, 1, fragmentsOf(trace_, report));
    const std::size_t gone = onDisk ? trace_.size() : at;
    expected.page = reportFromTrace(trace_, kPage, "", gone);
    expected.log = reportFromTrace(trace_, kLog, kOldLog, gone);
    return expected;
  }

  Outcome clean_;
  std::vector<SeenCall> trace_;
};

TEST_F(FileFaults, EachFailedAppendLosesExactlyItsFragment) {
  for (const FileCall call : {FileCall::kOpenForAppending, FileCall::kWrite}) {
    const std::size_t calls = callsOf(call);
    ASSERT_GT(calls, 100U);
    for (std::size_t k = 1; k <= calls; ++k) {
      SCOPED_TRACE(testing::Message() << "call kind " << static_cast<int>(call) << ", call " << k);
      const std::size_t at = positionOf(trace_, call, k);
      const std::size_t open = call == FileCall::kOpenForAppending
                                   ? at
                                   : lastBefore(trace_, at, {FileCall::kOpenForAppending});
      const std::size_t write =
          call == FileCall::kWrite ? at : positionOf(trace_, FileCall::kWrite, k);
      ASSERT_EQ(runFailing(call, k, nullptr), oneFragmentLost(open, write, false));
    }
  }
}

TEST_F(FileFaults, EachFailedCloseIsCountedAndLosesNothingOnDisk) {
  const std::size_t calls = callsOf(FileCall::kClose);
  for (std::size_t k = 1; k <= calls; ++k) {
    SCOPED_TRACE(testing::Message() << "close " << k);
    const std::size_t at = positionOf(trace_, FileCall::kClose, k);
    const std::size_t open =
        lastBefore(trace_, at, {FileCall::kOpenForAppending, FileCall::kOpenForReading});
    // A file that was only read loses nothing by a failed close.
    const Outcome expected = trace_[open].call == FileCall::kOpenForReading
                                 ? clean_
                                 : oneFragmentLost(open, trace_.size(), true);
    ASSERT_EQ(runFailing(FileCall::kClose, k, nullptr), expected);
  }
}

TEST_F(FileFaults, ABaitFileThatCannotBeOpenedSizedOrReadLoadsAsAnEmptyOne) {
  for (const FileCall call : {FileCall::kOpenForReading, FileCall::kSizeQuery, FileCall::kRead}) {
    const std::size_t calls = callsOf(call);
    ASSERT_EQ(calls, kBaits.size());
    for (std::size_t k = 1; k <= calls; ++k) {
      SCOPED_TRACE(testing::Message() << "call kind " << static_cast<int>(call) << ", call " << k);
      const std::size_t open =
          lastBefore(trace_, positionOf(trace_, call, k) + 1, {FileCall::kOpenForReading});
      auto baits = kBaits;
      baits[fs::path(trace_[open].subject).filename().string()] = "";
      ASSERT_EQ(runFailing(call, k, nullptr), cleanRunOf(baits));
    }
  }
}

TEST_F(FileFaults, AListingThatFailsPartWayHoldsTheEntriesFoundBefore) {
  const std::size_t calls = callsOf(FileCall::kList);
  ASSERT_EQ(calls, kBaits.size() + 2) << "the start, a step per entry and the step to the end";
  for (std::size_t k = 1; k <= calls; ++k) {
    SCOPED_TRACE(testing::Message() << "list call " << k);
    std::vector<std::string> listed;
    const Outcome outcome = runFailing(FileCall::kList, k, &listed);
    // The start is the first call; each entry takes one more.
    std::map<std::string, std::string> found;
    for (std::size_t i = 0; i + 2 < k && i < listed.size(); ++i) {
      found[listed[i]] = kBaits.at(listed[i]);
    }
    ASSERT_EQ(outcome, cleanRunOf(found));
  }
}

TEST_F(FileFaults, AnOldPageThatCannotBeRemovedIsEmptiedAndRewritten) {
  ASSERT_EQ(callsOf(FileCall::kRemove), 1U);
  ASSERT_EQ(callsOf(FileCall::kOpenForEmptying), 0U);
  EXPECT_EQ(runFailing(FileCall::kRemove, 1, nullptr), clean_);
}

TEST_F(FileFaults, AnOldPageThatCanBeNeitherRemovedNorEmptiedIsLeftWhole) {
  const ScopedTempDir dir;
  makeGame(kBaits);
  resetFileCalls();
  failFileCall(FileCall::kRemove, 1);
  failFileCall(FileCall::kOpenForEmptying, 1);
  const Outcome outcome = runHere();
  EXPECT_EQ(fileCallCount(FileCall::kOpenForAppending), fragmentsOf(trace_, kLog))
      << "the page is never opened";
  resetFileCalls();
  Outcome expected = clean_;
  expected.status = 1;
  const std::size_t pageFragments = fragmentsOf(trace_, kPage);
  expected.errors = lostLine(kPage, pageFragments, pageFragments);
  expected.page = kOldPage;
  EXPECT_EQ(outcome, expected);
}

}  // namespace
