#include "tests/conformance/conformance_run.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string_view>
#include <system_error>

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/profile_reader.h"
#include "tests/conformance/job_format.h"
#include "tests/conformance/known_differences.h"
#include "tests/conformance/random_numbers.h"
#include "tests/conformance/random_profiles.h"

namespace conformance {

namespace {

namespace fs = std::filesystem;

// The tool's value buffer.
constexpr std::size_t kBufferSize = 256;

bool writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    (void)std::fprintf(stderr, "conformance: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

bool readBytes(const fs::path& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) {
      break;
    }
    text.remove_prefix(end + 1);
  }
  return lines;
}

void appendFileLine(std::string& job, const std::string& path) {
  job += "F ";
  job_format::appendEscaped(path, job);
  job += '\n';
}

void appendRequestLine(std::string& job, const ProfileRequest& request) {
  job += "Q ";
  job_format::appendEscaped(request.section, job);
  job += '\t';
  job_format::appendEscaped(request.key, job);
  job += '\t';
  job_format::appendEscaped(request.defaultText, job);
  job += '\n';
}

void appendNumberLine(std::string& job, const std::string& text) {
  job += "N ";
  job_format::appendEscaped(text, job);
  job += '\n';
}

std::string numbered(unsigned number, int width) {
  char text[16];
  (void)std::snprintf(text, sizeof text, "%0*u", width, number);
  return text;
}

// Our reader's answer to `request`, in the answer file's form.
std::string ourAnswer(const ProfileDocument& document, const ProfileRequest& request) {
  char buffer[kBufferSize];
  const std::size_t count = getProfileString(document, request.section, request.key,
                                             request.defaultText, buffer, sizeof buffer);
  std::string answer = std::to_string(count);
  answer += '\t';
  job_format::appendEscaped(std::string_view(buffer, count), answer);
  return answer;
}

// Our number rules' answer to `text`, in the answer file's form.
std::string ourNumberAnswer(const std::string& text) {
  const float real = parseReal(text);
  std::uint32_t bits = 0;
  std::memcpy(&bits, &real, sizeof bits);
  char answer[32];
  (void)std::snprintf(answer, sizeof answer, "%d\t%08X", static_cast<int>(parseInteger(text)),
                      static_cast<unsigned>(bits));
  return answer;
}

std::string joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) {
    text += part;
  }
  return text;
}

std::string describeRequest(const ProfileRequest& request) {
  return joined({"[", job_format::escaped(request.section), "] ", job_format::escaped(request.key),
                 " def=", job_format::escaped(request.defaultText)});
}

}  // namespace

bool writeRun(const fs::path& folder, std::uint64_t seed, const RunSize& size) {
  std::error_code error;
  fs::remove_all(folder / "files", error);
  fs::remove_all(folder / "known", error);
  fs::create_directories(folder / "files", error);
  fs::create_directories(folder / "known", error);
  RandomSource random(seed);
  std::string job;
  for (unsigned i = 1; i <= size.files; ++i) {
    const RandomProfile profile = randomProfile(random, size.extraRequests);
    const std::string name = "files/" + numbered(i, 4) + ".ini";
    switch (profile.kind) {
      case FileKind::kText:
      case FileKind::kUtf16:
      case FileKind::kEmpty:
        if (!writeBytes(folder / name, profile.bytes)) {
          return false;
        }
        break;
      case FileKind::kMissing:
        break;
      case FileKind::kFolder:
        // Not empty, so that a recorded run keeps it under version control.
        fs::create_directory(folder / name, error);
        if (!writeBytes(folder / name / "inside.txt", "[bait]\nType=5\n")) {
          return false;
        }
        break;
    }
    appendFileLine(job, name);
    for (const ProfileRequest& request : profile.requests) {
      appendRequestLine(job, request);
    }
  }
  for (unsigned i = 0; i < size.numbers; ++i) {
    appendNumberLine(job, randomNumberText(random));
  }
  std::string knownJob;
  unsigned number = 0;
  for (const KnownProfileDifference& known : knownProfileDifferences()) {
    const std::string name = "known/" + numbered(++number, 2) + ".ini";
    if (!writeBytes(folder / name, known.file)) {
      return false;
    }
    appendFileLine(knownJob, name);
    appendRequestLine(knownJob, known.request);
  }
  for (const KnownNumberDifference& known : knownNumberDifferences()) {
    appendNumberLine(knownJob, known.text);
  }
  return writeBytes(folder / "job.txt", job) && writeBytes(folder / "known-job.txt", knownJob);
}

bool compareAnswers(const fs::path& folder, const std::string& jobName,
                    const std::string& answerName, Comparison& result) {
  std::string job;
  std::string answers;
  if (!readBytes(folder / jobName, job) || !readBytes(folder / answerName, answers)) {
    result.differences.push_back(joined(
        {"cannot read ", (folder / jobName).string(), " or ", (folder / answerName).string()}));
    return false;
  }
  const std::vector<std::string_view> jobLines = linesOf(job);
  const std::vector<std::string_view> answerLines = linesOf(answers);
  std::vector<std::string_view> fields;
  std::string path;
  std::string bytes;
  ProfileDocument document;
  ProfileRequest request;
  std::string text;
  std::size_t answered = 0;
  for (const std::string_view line : jobLines) {
    const char kind = line.empty() ? '?' : line[0];
    job_format::splitAtTabs(line.substr(std::min<std::size_t>(2, line.size())), fields);
    bool wellFormed = line.size() >= 2 && line[1] == ' ';
    std::string ours;
    if (kind == 'F' && wellFormed && fields.size() == 1 && job_format::unescape(fields[0], path)) {
      ++result.files;
      if (readRegularFile((folder / path).string(), bytes)) {
        document.parse(bytes);
      } else {
        document.clear();
      }
      continue;
    }
    if (kind == 'Q' && wellFormed && fields.size() == 3 &&
        job_format::unescape(fields[0], request.section) &&
        job_format::unescape(fields[1], request.key) &&
        job_format::unescape(fields[2], request.defaultText)) {
      ++result.requests;
      ours = ourAnswer(document, request);
    } else if (kind == 'N' && wellFormed && fields.size() == 1 &&
               job_format::unescape(fields[0], text)) {
      ++result.numbers;
      ours = ourNumberAnswer(text);
    } else {
      result.differences.push_back(joined({"malformed job line: ", line.substr(0, 200)}));
      return false;
    }
    if (answered >= answerLines.size()) {
      result.differences.push_back(joined({answerName, " ends before ", jobName}));
      return false;
    }
    const std::string_view platform = answerLines[answered++];
    if (platform != ours) {
      const std::string asked = kind == 'Q' ? joined({path, " ", describeRequest(request)})
                                            : joined({"number ", job_format::escaped(text)});
      result.differences.push_back(joined({asked, ": platform ", platform, ", ours ", ours}));
    }
  }
  if (answered != answerLines.size()) {
    result.differences.push_back(
        joined({answerName, " holds more lines than ", jobName, " asks for"}));
    return false;
  }
  return true;
}

bool checkKnownDifferences(const fs::path& folder, Comparison& result) {
  std::string answers;
  if (!readBytes(folder / "known-answers.txt", answers)) {
    result.differences.push_back(joined({"cannot read ", (folder / "known-answers.txt").string()}));
    return false;
  }
  const std::vector<std::string_view> lines = linesOf(answers);
  const auto& profiles = knownProfileDifferences();
  const auto& numbers = knownNumberDifferences();
  if (lines.size() != profiles.size() + numbers.size()) {
    result.differences.push_back("known-answers.txt does not answer every fixed case");
    return false;
  }
  std::vector<std::string_view> fields;
  std::string value;
  for (std::size_t i = 0; i < profiles.size(); ++i) {
    const KnownProfileDifference& known = profiles[i];
    ++result.requests;
    std::string file = known.file;
    ProfileDocument document;
    document.parse(file);
    const std::string ours = ourAnswer(document, known.request);
    const std::string oursExpected =
        joined({std::to_string(known.ours.size()), "\t", job_format::escaped(known.ours)});
    if (ours != oursExpected) {
      result.differences.push_back(joined(
          {"fixed case \"", known.what, "\": ours ", ours, ", our rules give ", oursExpected}));
    }
    job_format::splitAtTabs(lines[i], fields);
    const bool platformRight =
        fields.size() == 2 && job_format::unescape(fields[1], value) &&
        (known.platformAddsAnyByte
             ? value.size() == known.platform.size() + 1 && value.rfind(known.platform, 0) == 0
             : value == known.platform) &&
        fields[0] == std::to_string(value.size());
    if (!platformRight) {
      result.differences.push_back(joined({"fixed case \"", known.what, "\": platform ", lines[i],
                                           ", expected ", job_format::escaped(known.platform),
                                           known.platformAddsAnyByte ? " and one byte more" : ""}));
    }
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const KnownNumberDifference& known = numbers[i];
    ++result.numbers;
    const std::string_view platform = lines[profiles.size() + i];
    const std::string ours = ourNumberAnswer(known.text);
    const std::string real = ours.substr(ours.find('\t'));
    const std::string platformExpected = joined({std::to_string(known.platform), real});
    if (parseInteger(known.text) != known.ours || platform != platformExpected) {
      result.differences.push_back(
          joined({"fixed number \"", known.what, "\" (", known.text, "): platform ", platform,
                  ", expected ", platformExpected, "; ours ", ours}));
    }
  }
  return true;
}

}  // namespace conformance
