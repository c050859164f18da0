// Fuzz target: any bytes as a whole profile file, read through the reader's
// text entry point with a handful of requests. Besides crashes and undefined
// behaviour it checks what every answer must be, whatever the file:
// NUL-terminated at the returned length, free of NUL and line-end bytes, no
// longer than asked, found in the file when not the default, the same from a
// fresh document as from one reused after another file (which remembers the
// names asked of earlier inputs), and the same as a plain walk of the file's
// lines gives, with the line trace locating it on the lines that walk finds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "platform/profile_reader.h"
#include "platform/profile_trace.h"
#include "testing/profile_model.h"

namespace {

struct Request {
  std::string_view section;
  std::string_view key;
  std::string_view defaultText;
};

// The loader's own requests, and a few with blanks, quotes and odd names.
constexpr Request kFixedRequests[] = {
    {"Header", "Name", "Unknown bait"},          {"bait", "Type", "1"}, {"Bait", "hooksize", "16"},
    {" Class\t", " Fat ", "\"quoted default\""}, {"", "", ""},          {"[", "=", "'"},
};

// The first section name and the first key name written in `text`, roughly
// as the reader would see them, so that most inputs ask for something that
// is there without the search having to guess names.
Request requestNamedByFile(std::string_view text) {
  Request request{"", "", "dflt"};
  const std::size_t open = text.find('[');
  if (open != std::string_view::npos) {
    const std::size_t close = text.find_first_of("]\r\n", open + 1);
    request.section =
        text.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
  }
  const std::size_t equals = text.find('=');
  if (equals != std::string_view::npos) {
    const std::size_t lineStart = text.find_last_of("\r\n", equals);
    const std::size_t keyStart = lineStart == std::string_view::npos ? 0 : lineStart + 1;
    request.key = text.substr(keyStart, equals - keyStart);
  }
  return request;
}

void checkRequest(const ProfileDocument& fresh, const ProfileDocument& reused,
                  std::string_view file, const Request& request) {
  // A UTF-16 file is re-encoded, so only other files hold values verbatim.
  const bool verbatim = file.substr(0, 2) != "\xFF\xFE";
  for (const std::size_t outSize : {std::size_t{256}, std::size_t{1}, std::size_t{7}}) {
    char answer[256];
    char again[256];
    const std::size_t length =
        getProfileString(fresh, request.section, request.key, request.defaultText, answer, outSize);
    const std::size_t lengthAgain =
        getProfileString(reused, request.section, request.key, request.defaultText, again, outSize);
    fuzzCheck(length < outSize && length <= kMaxProfileValue, "answer fits the buffer");
    fuzzCheck(answer[length] == '\0' && std::strlen(answer) == length,
              "answer ends at its length and holds no NUL");
    fuzzCheck(std::string_view(answer, length).find_first_of("\r\n") == std::string_view::npos,
              "answer holds no line end");
    fuzzCheck(lengthAgain == length && std::memcmp(answer, again, length) == 0,
              "a reused document answers as a fresh one");
  }
  std::string_view value;
  if (fresh.find(request.section, request.key, value) && verbatim) {
    fuzzCheck(file.find(value) != std::string_view::npos, "a found value is text of the file");
  }
  const ProfileAnswer expected = modelProfileAnswer(fresh, request.section, request.key);
  for (const ProfileDocument* document : {&fresh, &reused}) {
    const ProfileAnswer located = locateProfileValue(*document, request.section, request.key);
    fuzzCheck(located.source == expected.source && located.sectionLine == expected.sectionLine &&
                  located.keyLine == expected.keyLine && located.value == expected.value,
              "the trace locates the answer on the lines a plain walk finds");
    std::string_view found;
    fuzzCheck(document->find(request.section, request.key, found) ==
                      (expected.source == ProfileSource::kValue) &&
                  found == expected.value,
              "find gives the value a plain walk finds");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  // Kept across inputs, as the reader keeps its document from file to file.
  static ProfileDocument reused;
  std::string bytes(file);
  reused.parse(bytes);
  fuzzCheck(bytes.empty(), "parse takes the bytes");
  ProfileDocument fresh;
  bytes.assign(file);
  fresh.parse(bytes);

  for (const Request& request : kFixedRequests) {
    checkRequest(fresh, reused, file, request);
  }
  checkRequest(fresh, reused, file, requestNamedByFile(file));

  reused.clear();
  std::string_view value;
  const Request named = requestNamedByFile(file);
  fuzzCheck(!reused.find(named.section, named.key, value), "a cleared document has no sections");
  return 0;
}
