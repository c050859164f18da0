// make_baits: writes a synthetic game folder for the benchmark.
//
//   make_baits COUNT SEED FOLDER
//
// Creates FOLDER/tackle/baits/ with COUNT bait files of about 1 KB each. Every
// file holds all 38 keys the tool reads, plus a few keys it ignores, as a
// player's editor would leave them. Names, kinds, classes, 1 to 5 sizes,
// section spellings and line ends (about one file in four uses CR LF) vary.
// The output depends only on COUNT and SEED, on every machine: the random
// numbers come from our own generator, not from the standard library's
// distributions, whose results differ between implementations. File i is the
// same for every COUNT, so a smaller folder is a part of a larger one.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace {

// SplitMix64: small, fast and fully specified.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // A number in [0, n); the slight bias of the modulo does not matter here.
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  int between(int low, int high) { return low + below(high - low + 1); }
  bool chance(int percent) { return below(100) < percent; }
  template <std::size_t N>
  const char* pick(const char* const (&items)[N]) {
    return items[below(static_cast<int>(N))];
  }

 private:
  std::uint64_t state_;
};

// A bait kind: its name and the class it belongs to (1 to 10).
struct Kind {
  const char* name;
  int classType;
};

constexpr Kind kKinds[] = {
    {"Maggots", 1},       {"Casters", 1},       {"Bloodworm", 1},      {"Lobworm", 1},
    {"Brandling", 1},     {"Redworm", 1},       {"Mealworm", 1},       {"Waxworm", 1},
    {"Pinkies", 1},       {"Squatts", 1},       {"Hempseed", 2},       {"Tares", 2},
    {"Sweetcorn", 2},     {"Maple Peas", 2},    {"Tiger Nuts", 2},     {"Chick Peas", 2},
    {"Groats", 2},        {"Pearl Barley", 2},  {"Potato", 3},         {"Carrot Cube", 3},
    {"Broad Bean", 3},    {"Mushroom", 3},      {"Garden Pea", 3},     {"Cherry", 4},
    {"Banana Slice", 4},  {"Grape", 4},         {"Elderberry", 4},     {"Plum", 4},
    {"Silkweed", 5},      {"Duckweed", 5},      {"Clover Leaf", 5},    {"Reed Shoot", 5},
    {"Bluebottle", 6},    {"Crane Fly", 6},     {"Mayfly", 6},         {"Sedge Fly", 6},
    {"Moth", 6},          {"Mussel", 7},        {"Cockle", 7},         {"Shrimp", 7},
    {"Prawn", 7},         {"Crayfish Tail", 7}, {"Sprat", 8},          {"Minnow", 8},
    {"Sardine Strip", 8}, {"Smelt", 8},         {"Mackerel Chunk", 8}, {"Frog", 9},
    {"Newt", 9},          {"Field Mouse", 9},   {"Slug", 9},           {"Luncheon Meat", 10},
    {"Bread Flake", 10},  {"Cheese Paste", 10}, {"Boilie", 10},        {"Pellet", 10},
    {"Dough Ball", 10},   {"Sausage", 10},      {"Paste & Crumb", 10},
};

constexpr const char* kQualities[] = {
    "Red",    "White", "Bronze", "Golden", "Pink",   "Dark",  "Pale",    "Smoked",
    "Spiced", "Sweet", "Salted", "Fresh",  "Frozen", "Dried", "Giant",   "Baby",
    "Wild",   "Marsh", "River",  "Lake",   "Garlic", "Honey", "Aniseed", "Vanilla",
    "Chilli", "Fishy", "Meaty",  "Crusty", "Soft",   "Hard",  "Glowing", "Midnight",
};

constexpr const char* kVariants[] = {"10mm",   "14mm",   "18mm", "Mk II",   "Special",
                                     "Deluxe", "Select", "Pro",  "Classic", "Winter Mix"};

constexpr const char* kPhrases[] = {
    "A reliable choice on slow days when nothing else will tempt a bite.",
    "Best fished over a bed of loose feed in coloured water.",
    "Soft enough to strike through, firm enough to stay on the hook.",
    "Small fish pick at it, so bigger specimens often find it first.",
    "Works in rivers and still waters alike, summer or winter.",
    "Hair rig it for wary fish that shy away from a bare hook.",
    "Keeps its scent for hours and draws fish in from a distance.",
    "Pricey, but a favourite of match anglers after a big weight.",
    "Freshly gathered this morning from the bank of the old mill pond.",
    "Cast it close to reeds and lily pads where fish patrol at dusk.",
    "Mix with groundbait for a cloud that holds fish in the swim.",
    "A classic that every tackle box should hold a tub of.",
};

constexpr const char* kSeasons[] = {"spring", "summer", "autumn", "winter", "all year"};
constexpr const char* kWaters[] = {"river", "lake", "canal", "pond", "sea", "any"};
constexpr const char* kEditors[] = {"bait pack editor 1.2", "hand made", "tackle tool 0.9",
                                    "community pack 3"};

// "Giant Lobworm" -> "giant_lobworm"; everything but letters and digits
// becomes one underscore.
std::string slugOf(std::string_view name) {
  std::string slug;
  for (const char c : name) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      slug.push_back(c);
    } else if (c >= 'A' && c <= 'Z') {
      slug.push_back(static_cast<char>(c - 'A' + 'a'));
    } else if (!slug.empty() && slug.back() != '_') {
      slug.push_back('_');
    }
  }
  while (!slug.empty() && slug.back() == '_') {
    slug.pop_back();
  }
  return slug;
}

// A real with `decimals` places, as an editor would write it.
std::string decimal(double value, int decimals) {
  char text[32];
  (void)std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

class FileText {
 public:
  explicit FileText(bool crlf) : lineEnd_(crlf ? "\r\n" : "\n") {}
  void line(std::string_view text) {
    text_.append(text);
    text_.append(lineEnd_);
  }
  void key(std::string_view key, std::string_view value) {
    text_.append(key).append("=").append(value).append(lineEnd_);
  }
  void key(std::string_view key, int value) { this->key(key, std::to_string(value)); }
  const std::string& text() const { return text_; }

 private:
  std::string_view lineEnd_;
  std::string text_;
};

struct Bait {
  std::string name;
  std::string slug;
  std::string fileName;
  std::string text;
};

Bait makeBait(std::uint64_t seed, std::uint64_t index) {
  Random random(seed ^ (index * 0xD1B54A32D192ED03ULL));
  const Kind& kind = kKinds[random.below(static_cast<int>(std::size(kKinds)))];
  Bait bait;
  bait.name = random.chance(70) ? std::string(random.pick(kQualities)) + " " + kind.name
                                : std::string(kind.name);
  if (random.chance(30)) {
    bait.name += std::string(" ") + random.pick(kVariants);
  }
  bait.slug = slugOf(bait.name);
  char number[16];
  (void)std::snprintf(number, sizeof number, "_%06llu", static_cast<unsigned long long>(index));
  bait.fileName = bait.slug + number + (random.chance(5) ? ".TKL" : ".tkl");

  FileText file(random.chance(25));
  const int sizes = random.between(1, 5);
  const int typeRoll = random.below(100);
  const int type = typeRoll < 60 ? 1 : typeRoll < 85 ? 2 : 3;
  const bool hookBait = random.chance(85);
  const char* baitSection = random.chance(80) ? "[bait]" : random.chance(50) ? "[Bait]" : "[BAIT]";
  const char* classSection = random.chance(90) ? "[Class]" : "[CLASS]";

  file.line("; " + bait.slug + " - bait definition");
  file.line("; Edit with care: the game reads these values at start-up.");
  file.line("[Header]");
  file.key("Name", bait.name);
  char ref[16];
  (void)std::snprintf(ref, sizeof ref, "%.4s%05llu", bait.slug.c_str(),
                      static_cast<unsigned long long>(index % 100000));
  file.key("Ref", ref);
  std::string desc;
  const int phrases = random.between(2, 5);
  for (int i = 0; i < phrases; ++i) {
    desc += (i == 0 ? "" : " ");
    desc += random.pick(kPhrases);
  }
  file.key("Desc", desc);
  file.key("Author", random.pick(kEditors));
  file.key("Version", random.between(1, 9));
  file.line("");

  file.line(baitSection);
  file.key("Graphic", "graphics/baits/" + bait.slug + ".pcx");
  file.key("bigGraphic", "graphics/baits/big/" + bait.slug + ".pcx");
  file.key("Type", type);
  file.key("Hairrig", random.chance(40) ? 1 : 0);
  file.key("Hookbait", hookBait ? 1 : 0);
  file.key("Multi", random.chance(70) ? 1 : 0);
  file.key("Feeder", random.chance(50) ? 1 : 0);
  file.key("Loosefeed", random.chance(60) ? 1 : 0);
  file.key("Adjustsize", sizes);
  file.key("Minsize", random.between(1, 64) * 16);
  file.key("Addsize", random.between(1, 32) * 8);
  file.key("Weight", decimal(random.between(1, 5000) / 100.0, 2));
  file.key("AdjWeight", decimal(random.between(0, 400) / 100.0, 2));
  file.key("Disperhour", random.between(0, 40) * 10);
  file.key("Smallfact", decimal(random.between(5, 75) / 10.0, 1));
  file.key("hooksize", random.between(3, 10) * 2);
  file.key("adjhooksize", decimal(-random.between(0, 10) / 10.0, 1));
  file.key("Colour", random.pick(kQualities));
  file.line("");

  file.line(classSection);
  file.key("ClassType", kind.classType);
  constexpr const char* kProfileKeys[] = {"Protein", "Starch", "Carbo", "Sweet", "Sour", "Bitter",
                                          "Spicey",  "Citrus", "Blood", "Fish",  "Fat"};
  for (const char* key : kProfileKeys) {
    file.key(key, random.chance(30) ? 0 : random.between(1, 90));
  }
  file.key("Hardness", random.between(0, 100));
  file.key("Move", random.between(0, 100));
  file.key("Smell", random.between(0, 100));
  file.key("Seapop", random.between(0, 100));
  file.key("Freshpop", random.between(0, 100));
  file.key("Livebait", kind.classType == 1 || kind.classType == 9 ? 1 : 0);
  file.line("");

  file.line("[Shop]");
  file.key("Price", decimal(random.between(10, 2500) / 100.0, 2));
  file.key("Packsize", random.between(1, 50) * 10);
  file.key("Season", random.pick(kSeasons));
  file.key("Water", random.pick(kWaters));
  file.key("Stock", random.between(0, 200));
  file.key("Shelflife", random.between(1, 60));
  bait.text = file.text();
  return bait;
}

bool writeWhole(const std::filesystem::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    (void)std::fprintf(stderr, "usage: make_baits COUNT SEED FOLDER\n");
    return 2;
  }
  const std::uint64_t count = std::strtoull(argv[1], nullptr, 10);
  const std::uint64_t seed = std::strtoull(argv[2], nullptr, 10);
  const std::filesystem::path baits = std::filesystem::path(argv[3]) / "tackle" / "baits";
  std::error_code error;
  std::filesystem::create_directories(baits, error);
  if (error) {
    (void)std::fprintf(stderr, "make_baits: cannot create %s\n", baits.c_str());
    return 1;
  }
  std::uint64_t bytes = 0;
  for (std::uint64_t i = 0; i < count; ++i) {
    const Bait bait = makeBait(seed, i);
    if (!writeWhole(baits / bait.fileName, bait.text)) {
      (void)std::fprintf(stderr, "make_baits: cannot write %s\n", bait.fileName.c_str());
      return 1;
    }
    bytes += bait.text.size();
  }
  std::printf("%llu bait files, %llu bytes on average, in %s\n",
              static_cast<unsigned long long>(count),
              static_cast<unsigned long long>(count == 0 ? 0 : bytes / count), baits.c_str());
  return 0;
}
