// The platform's own answers for the conformance run: a Windows program, run
// under Wine, that reads a job file (tests/conformance/job_format.h) and
// writes the answer of GetPrivateProfileStringA to every request and of the
// C run-time's atoi and atof to every numeric text. One process answers the
// whole job, since starting Wine costs seconds.
//
// Usage: profile_probe JOB_FILE ANSWER_FILE [JOB_FILE ANSWER_FILE]...
// Exits 0 when every line was answered, 2 on a malformed job or a file that
// cannot be opened or written.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "tests/conformance/job_format.h"

namespace {

// The tool's value buffer.
constexpr DWORD kBufferSize = 256;

using AtoiFunction = int(__cdecl*)(const char*);
using AtofFunction = double(__cdecl*)(const char*);

// msvcrt's own functions, looked up at run time, so that no replacement the
// compiler's run-time library brings gets in between.
struct RunTime {
  AtoiFunction atoiFunction = nullptr;
  AtofFunction atofFunction = nullptr;
};

bool loadRunTime(RunTime& runTime) {
  HMODULE module = LoadLibraryA("msvcrt.dll");
  if (module == nullptr) {
    return false;
  }
  runTime.atoiFunction =
      reinterpret_cast<AtoiFunction>(reinterpret_cast<void*>(GetProcAddress(module, "atoi")));
  runTime.atofFunction =
      reinterpret_cast<AtofFunction>(reinterpret_cast<void*>(GetProcAddress(module, "atof")));
  return runTime.atoiFunction != nullptr && runTime.atofFunction != nullptr;
}

bool readLine(std::FILE* in, std::string& line) {
  line.clear();
  int c = 0;
  while ((c = std::fgetc(in)) != EOF && c != '\n') {
    line.push_back(static_cast<char>(c));
  }
  return c != EOF || !line.empty();
}

int fail(const char* what, const std::string& line) {
  std::fprintf(stderr, "profile_probe: %s: %.200s\n", what, line.c_str());
  return 2;
}

// Answers every line of the job at `jobPath` into `answerPath`; 0 when all
// were answered and written.
int answerJob(const RunTime& runTime, const char* jobPath, const char* answerPath) {
  std::FILE* in = std::fopen(jobPath, "rb");
  if (in == nullptr) {
    return fail("cannot open the job", jobPath);
  }
  std::FILE* out = std::fopen(answerPath, "wb");
  if (out == nullptr) {
    std::fclose(in);
    return fail("cannot open the answer file", answerPath);
  }
  std::string line;
  std::string path;
  std::string section;
  std::string key;
  std::string defaultText;
  std::string answer;
  std::vector<std::string_view> fields;
  char buffer[kBufferSize];
  int status = 0;
  while (status == 0 && readLine(in, line)) {
    if (line.size() < 2 || line[1] != ' ') {
      status = fail("malformed job line", line);
      break;
    }
    job_format::splitAtTabs(std::string_view(line).substr(2), fields);
    if (line[0] == 'F' && fields.size() == 1 && job_format::unescape(fields[0], path)) {
      continue;
    }
    if (line[0] == 'Q' && fields.size() == 3 && job_format::unescape(fields[0], section) &&
        job_format::unescape(fields[1], key) && job_format::unescape(fields[2], defaultText)) {
      std::memset(buffer, 0xCC, sizeof buffer);
      const DWORD count = GetPrivateProfileStringA(
          section.c_str(), key.c_str(), defaultText.c_str(), buffer, kBufferSize, path.c_str());
      answer = std::to_string(count) + "\t";
      job_format::appendEscaped(std::string_view(buffer, strnlen(buffer, kBufferSize)), answer);
    } else if (line[0] == 'N' && fields.size() == 1 && job_format::unescape(fields[0], section)) {
      const int integer = runTime.atoiFunction(section.c_str());
      // Stored into a 32-bit real, as the tool's record fields are.
      volatile float real = static_cast<float>(runTime.atofFunction(section.c_str()));
      const float stored = real;
      std::uint32_t bits = 0;
      std::memcpy(&bits, &stored, sizeof bits);
      char text[32];
      std::snprintf(text, sizeof text, "%d\t%08X", integer, static_cast<unsigned>(bits));
      answer = text;
    } else {
      status = fail("malformed job line", line);
      break;
    }
    answer.push_back('\n');
    std::fwrite(answer.data(), 1, answer.size(), out);
  }
  std::fclose(in);
  if (std::fclose(out) != 0 && status == 0) {
    status = fail("cannot write the answer file", answerPath);
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: profile_probe JOB_FILE ANSWER_FILE [JOB_FILE ANSWER_FILE]...\n");
    return 2;
  }
  RunTime runTime;
  if (!loadRunTime(runTime)) {
    return fail("msvcrt.dll's atoi and atof cannot be found", "");
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    const int status = answerJob(runTime, argv[i], argv[i + 1]);
    if (status != 0) {
      return status;
    }
  }
  return 0;
}
