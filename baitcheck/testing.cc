#include "baitcheck/testing.h"

#include <cstdio>
#include <memory>

#include "baitcheck/run.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { (void)std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string contentOf(std::FILE* file) {
  std::string content;
  std::rewind(file);
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
    content.append(chunk, got);
  }
  return content;
}

}  // namespace

CapturedRun runCaptured(const std::vector<std::string>& arguments) {
  std::vector<const char*> argv = {"baitcheck"};
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  const File out(std::tmpfile());
  const File errors(std::tmpfile());
  CapturedRun run;
  run.status = runBaitcheck(static_cast<int>(argv.size()), argv.data(), out.get(), errors.get());
  run.out = contentOf(out.get());
  run.errors = contentOf(errors.get());
  return run;
}
