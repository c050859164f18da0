# The newcomer's front door. `make demo` runs the tool on the bundled demo
# game folder; `make test` builds and runs every test.
BUILD ?= build
WERROR ?= OFF
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS := -DBANALYSE_WERROR=$(WERROR)
# Debian packages each front-door target needs; installed when run as root,
# named and asked for otherwise. baitcheck parses its options with CLI11 and
# writes JSON with nlohmann-json (header-only); its tests read its CSV and
# JSON with Python's csv and json modules.
BAITCHECK_PACKAGES := libcli11-dev nlohmann-json3-dev
BUILD_PACKAGES := cmake g++ make $(BAITCHECK_PACKAGES)
TEST_PACKAGES := $(BUILD_PACKAGES) libgtest-dev python3
# The browser tests and `make screenshot` need Chromium, from Debian unless
# BANALYSE_CHROMIUM names another one.
BROWSER_PACKAGES := $(if $(BANALYSE_CHROMIUM),,chromium)
ENSURE := scripts/ensure-packages.sh

.PHONY: release demo screenshot test test-sanitize test-clang clean fuzz-build fuzz fuzz-smoke lint valgrind

release:
	@$(ENSURE) $(BUILD_PACKAGES)
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DBANALYSE_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)/release -j $(JOBS)

# Runs in a fresh copy of the demo folder, so the repository stays clean and
# the appended log does not grow from run to run; then baitcheck on the same
# folder, which finds nothing in the demo's bait files.
demo: release
	rm -rf $(BUILD)/demo
	cp -R examples/demo $(BUILD)/demo
	cd $(BUILD)/demo && ../release/banalyse
	@echo
	@echo "Reports written:"
	@echo "  page: $(BUILD)/demo/baithook.htm"
	@echo "  log:  $(BUILD)/demo/banalyse.txt"
	@echo
	@echo "baitcheck on the demo's bait files:"
	cd $(BUILD)/demo && ../release/baitcheck

# The README's picture of the demo page, taken by headless Chromium the way
# the browser tests open the page.
SCREENSHOT_SIZE ?= 1000,340
screenshot: demo
	@$(ENSURE) $(BROWSER_PACKAGES)
	tests/browser/headless-chromium --screenshot=$(CURDIR)/docs/baithook.png \
	  --window-size=$(SCREENSHOT_SIZE) --hide-scrollbars --force-device-scale-factor=1 \
	  file://$(abspath $(BUILD))/demo/baithook.htm
	@echo "Picture written: docs/baithook.png"

test:
	@$(ENSURE) $(TEST_PACKAGES) $(BROWSER_PACKAGES)
	cmake -S . -B $(BUILD)/debug -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(BUILD)/debug -j $(JOBS)
	ctest --test-dir $(BUILD)/debug --output-on-failure -j $(JOBS)

# The browser tests are left out here: the tool runs the same code in the
# end-to-end tests, and Chromium needs watching only once, in `make test`.
test-sanitize:
	@$(ENSURE) $(TEST_PACKAGES)
	cmake -S . -B $(BUILD)/sanitize -DCMAKE_BUILD_TYPE=Debug -DBANALYSE_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)/sanitize -j $(JOBS)
	ctest --test-dir $(BUILD)/sanitize --output-on-failure -j $(JOBS) -LE browser

# The same tests built by clang, with its sanitizers: the code and the tests
# stay portable beyond one compiler (clang's warnings, its way of naming a
# sanitizer build).
CLANG_PACKAGES := $(TEST_PACKAGES) clang libclang-rt-14-dev
test-clang:
	@$(ENSURE) $(CLANG_PACKAGES)
	cmake -S . -B $(BUILD)/clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	  -DBANALYSE_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)/clang -j $(JOBS)
	ctest --test-dir $(BUILD)/clang --output-on-failure -j $(JOBS) -LE browser

# Fuzzing: libFuzzer targets built by clang with ASan and UBSan, run one at
# a time. `make fuzz` searches for FUZZ_SECONDS per target; `make fuzz-smoke`
# gives each a minute from the seed corpus, as CI does.
FUZZ_PACKAGES := $(BUILD_PACKAGES) clang libclang-rt-14-dev
FUZZ_SECONDS ?= 900

fuzz-build:
	@$(ENSURE) $(FUZZ_PACKAGES)
	cmake -S . -B $(BUILD)/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DBANALYSE_TESTS=OFF -DBANALYSE_SANITIZE=ON -DBANALYSE_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	fuzz/run.sh $(FUZZ_SECONDS) $(BUILD)/fuzz

fuzz-smoke: fuzz-build
	fuzz/run.sh 60 $(BUILD)/fuzz

# Static analysis. First the format: every C++ file as clang-format lays it
# out (.clang-format). Then clang-tidy with the checks chosen in .clang-tidy,
# and cppcheck, over every source but the tests (the test framework's macros
# are not ours to judge): the tool, the fuzz, bad-input, browser and
# conformance helpers, the test helpers and the benchmark. The Windows-only
# files are linted for the Windows target by scripts/lint-windows.sh.
# Of cppcheck's findings two are not taken: useStlAlgorithm (the loops follow
# the rules step by step, as written) and CastIntegerToAddressAtReturn on the
# page, which misreads its table of names.
LINT_PACKAGES := $(TEST_PACKAGES) clang-format clang-tidy cppcheck g++-mingw-w64-x86-64
FORMAT_FILES = $(sort $(shell find . -path ./.git -prune -o -path ./$(BUILD) -prune -o \
  -type f \( -name '*.cc' -o -name '*.h' \) -print))
LINT_FILES = $(filter-out %_test.cc %_windows.cc %profile_probe.cc %best_fit_table.cc, \
  $(wildcard platform/*.cc catalogue/*.cc reports/*.cc driver/*.cc baitcheck/*.cc fuzz/*.cc testing/*.cc \
  tests/*/*.cc bench/*.cc))
CPPCHECK_FLAGS := --enable=warning,style,performance,portability --std=c++20 --inline-suppr \
  --error-exitcode=1 --quiet --suppress=missingIncludeSystem --suppress=useStlAlgorithm \
  --suppress=CastIntegerToAddressAtReturn:*reports/hook_page.cc
# platform/native_windows.cc, which only the cross compiler builds, is linted
# as it is built, by scripts/lint-windows.sh.

lint:
	@$(ENSURE) $(LINT_PACKAGES)
	@echo "clang-format: every C++ file"
	@clang-format --dry-run -Werror $(FORMAT_FILES)
	cmake -S . -B $(BUILD)/lint -DBANALYSE_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	@echo "clang-tidy: $(LINT_FILES)"
	@run-clang-tidy -p $(BUILD)/lint -j $(JOBS) -quiet $(LINT_FILES) >$(BUILD)/lint/clang-tidy.log 2>&1 \
	  || { grep -v "warnings.* generated" $(BUILD)/lint/clang-tidy.log; exit 1; }
	@echo "cppcheck: the same files"
	@cppcheck --project=$(BUILD)/lint/compile_commands.json $(addprefix --file-filter=,$(LINT_FILES)) \
	  $(CPPCHECK_FLAGS)
	@scripts/lint-windows.sh $(BUILD)/lint-windows "$(CMAKE_FLAGS)" $(CPPCHECK_FLAGS)

# valgrind memcheck on a run over a fresh copy of the demo game folder, and
# on baitcheck over it and over the golden folder of mistakes: no invalid
# access, no use of uninitialised memory, no leak.
VALGRIND_PACKAGES := $(BUILD_PACKAGES) valgrind
valgrind:
	@$(ENSURE) $(VALGRIND_PACKAGES)
	cmake -S . -B $(BUILD)/valgrind -DCMAKE_BUILD_TYPE=Debug -DBANALYSE_TESTS=OFF $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD)/valgrind -j $(JOBS) --target banalyse baitcheck
	rm -rf $(BUILD)/valgrind-demo
	cp -R examples/demo $(BUILD)/valgrind-demo
	cd $(BUILD)/valgrind-demo && valgrind --quiet --error-exitcode=1 --leak-check=full \
	  --errors-for-leak-kinds=definite,indirect,possible ../valgrind/banalyse >/dev/null
	cd $(BUILD)/valgrind-demo && valgrind --quiet --error-exitcode=3 --leak-check=full \
	  --errors-for-leak-kinds=definite,indirect,possible ../valgrind/baitcheck \
	  tackle/baits $(CURDIR)/tests/baitcheck/mistakes/game/tackle/baits >/dev/null; test $$? -eq 1

# The benchmark: a Release build with the folder generator and the I/O floor,
# then for 1,000, 10,000 and 100,000 bait files the tool's median time, its
# peak memory and the floor's time, as a table and a plot in $(BUILD)/bench-run
# (docs/performance.md). About six minutes on two cores. First, in about
# half a minute, the profile reader's own figures: the loader's 38 requests
# over files of 50 MiB, in MB/s (bench/reader_bench.cc).
.PHONY: bench
bench:
	@$(ENSURE) $(BUILD_PACKAGES)
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DBANALYSE_TESTS=OFF -DBANALYSE_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)/bench -j $(JOBS)
	$(BUILD)/bench/bench/reader_bench $(BUILD)/bench-run/reader
	bench/run.sh $(BUILD)/bench $(BUILD)/bench-run

# baitcheck's figure in docs/performance.md: 10,000 bench bait files checked,
# beside banalyse's time on the same folder. About two minutes.
.PHONY: bench-baitcheck
bench-baitcheck:
	@$(ENSURE) $(BUILD_PACKAGES)
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DBANALYSE_TESTS=OFF -DBANALYSE_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)/bench -j $(JOBS)
	bench/baitcheck.sh $(BUILD)/bench $(BUILD)/bench-run

# Windows: `make windows` cross-compiles $(BUILD)/windows/banalyse.exe with
# mingw-w64, one file that runs on a bare Windows; `make test-windows` runs it
# under Wine in the golden game folders. `make dist` packs the Windows and
# Linux release archives into $(BUILD)/dist, named with the version that
# project() in CMakeLists.txt gives.
WINDOWS_PACKAGES := cmake make g++-mingw-w64-x86-64 $(BAITCHECK_PACKAGES)
WINE_PACKAGES := wine wine64
.PHONY: windows test-windows dist
windows:
	@$(ENSURE) $(WINDOWS_PACKAGES)
	cmake -S . -B $(BUILD)/windows --no-warn-unused-cli \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DBANALYSE_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)/windows -j $(JOBS)

# baitcheck's CSV and JSON under Wine are compared with the Linux program's.
test-windows: windows release
	@$(ENSURE) $(WINE_PACKAGES)
	tests/windows/run-under-wine.sh $(BUILD)/windows/banalyse.exe $(BUILD)
	tests/windows/baitcheck-under-wine.sh $(BUILD)/windows/baitcheck.exe $(BUILD) \
	  $(BUILD)/release/baitcheck

# The differential test: random profile files and numeric texts asked of our
# reader and of the platform's own under Wine, answer by answer (see
# tests/conformance/run.sh). A fresh seed each run; CONFORMANCE_SEED=N
# replays one. `make conformance-corpus` records the corpus that `make test`
# replays; `make best-fit-table` regenerates platform/cp1252_best_fit.inc.
.PHONY: test-conformance conformance-corpus best-fit-table conformance-tool
CONFORMANCE_TOOL = $(BUILD)/debug/tests/conformance/banalyse_conformance
CONFORMANCE_PROBE = $(BUILD)/windows/tests/conformance/profile_probe.exe
conformance-tool:
	@$(ENSURE) $(TEST_PACKAGES)
	cmake -S . -B $(BUILD)/debug -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(BUILD)/debug -j $(JOBS) --target banalyse_conformance

test-conformance: windows conformance-tool
	@$(ENSURE) $(WINE_PACKAGES)
	CONFORMANCE_SEED=$(CONFORMANCE_SEED) tests/conformance/run.sh check $(CONFORMANCE_TOOL) \
	  $(CONFORMANCE_PROBE) $(BUILD)

conformance-corpus: windows conformance-tool
	@$(ENSURE) $(WINE_PACKAGES)
	tests/conformance/run.sh record $(CONFORMANCE_TOOL) $(CONFORMANCE_PROBE) $(BUILD)

best-fit-table: windows
	@$(ENSURE) $(WINE_PACKAGES)
	tests/conformance/run.sh best-fit $(BUILD)/windows/tests/conformance/best_fit_table.exe $(BUILD)

dist: release windows
	dist/make-archives.sh $(BUILD)/release $(BUILD)/windows/banalyse.exe $(BUILD)/dist

clean:
	rm -rf $(BUILD)
