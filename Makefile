# The newcomer's front door. `make demo` runs the tool on the bundled demo
# game folder; `make test` builds and runs every test.
BUILD ?= build
WERROR ?= OFF
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS := -DBANALYSE_WERROR=$(WERROR)
# Debian packages each front-door target needs; installed when run as root,
# named and asked for otherwise.
BUILD_PACKAGES := cmake g++ make
TEST_PACKAGES := $(BUILD_PACKAGES) libgtest-dev
# The browser tests and `make screenshot` need Chromium, from Debian unless
# BANALYSE_CHROMIUM names another one.
BROWSER_PACKAGES := $(if $(BANALYSE_CHROMIUM),,chromium)
ENSURE := scripts/ensure-packages.sh

.PHONY: release demo screenshot test test-sanitize clean fuzz-build fuzz fuzz-smoke lint valgrind

release:
	@$(ENSURE) $(BUILD_PACKAGES)
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DBANALYSE_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)/release -j $(JOBS)

# Runs in a fresh copy of the demo folder, so the repository stays clean and
# the appended log does not grow from run to run.
demo: release
	rm -rf $(BUILD)/demo
	cp -R examples/demo $(BUILD)/demo
	cd $(BUILD)/demo && ../release/banalyse
	@echo
	@echo "Reports written:"
	@echo "  page: $(BUILD)/demo/baithook.htm"
	@echo "  log:  $(BUILD)/demo/banalyse.txt"

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

# Static analysis: clang-tidy with the checks chosen in .clang-tidy, and
# cppcheck, over the tool's sources and the fuzz and bad-input helpers (test
# files are left out: the test framework's macros are not ours to judge).
# Of cppcheck's findings two are not taken: useStlAlgorithm (the loops follow
# the rules step by step, as written) and CastIntegerToAddressAtReturn on the
# page, which misreads its table of names.
LINT_PACKAGES := $(TEST_PACKAGES) clang-tidy cppcheck
LINT_FILES = $(filter-out %_test.cc %native_windows.cc, \
  $(wildcard platform/*.cc catalogue/*.cc reports/*.cc driver/*.cc fuzz/*.cc)) \
  tests/bad_input/tool_run.cc tests/bad_input/launch_main.cc
CPPCHECK_FLAGS := --enable=warning,style,performance,portability --std=c++20 --inline-suppr \
  --error-exitcode=1 --quiet --suppress=missingIncludeSystem --suppress=useStlAlgorithm \
  --suppress=CastIntegerToAddressAtReturn:*reports/hook_page.cc

lint:
	@$(ENSURE) $(LINT_PACKAGES)
	cmake -S . -B $(BUILD)/lint $(CMAKE_FLAGS) >/dev/null
	@echo "clang-tidy: $(LINT_FILES)"
	@run-clang-tidy -p $(BUILD)/lint -j $(JOBS) -quiet $(LINT_FILES) >$(BUILD)/lint/clang-tidy.log 2>&1 \
	  || { grep -v "warnings.* generated" $(BUILD)/lint/clang-tidy.log; exit 1; }
	@echo "cppcheck: the same files"
	@cppcheck --project=$(BUILD)/lint/compile_commands.json $(addprefix --file-filter=,$(LINT_FILES)) \
	  $(CPPCHECK_FLAGS)

# valgrind memcheck on a run over a fresh copy of the demo game folder: no
# invalid access, no use of uninitialised memory, no leak.
VALGRIND_PACKAGES := $(BUILD_PACKAGES) valgrind
valgrind:
	@$(ENSURE) $(VALGRIND_PACKAGES)
	cmake -S . -B $(BUILD)/valgrind -DCMAKE_BUILD_TYPE=Debug -DBANALYSE_TESTS=OFF $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD)/valgrind -j $(JOBS) --target banalyse
	rm -rf $(BUILD)/valgrind-demo
	cp -R examples/demo $(BUILD)/valgrind-demo
	cd $(BUILD)/valgrind-demo && valgrind --quiet --error-exitcode=1 --leak-check=full \
	  --errors-for-leak-kinds=definite,indirect,possible ../valgrind/banalyse >/dev/null

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

# Windows: `make windows` cross-compiles $(BUILD)/windows/banalyse.exe with
# mingw-w64, one file that runs on a bare Windows; `make test-windows` runs it
# under Wine in the golden game folders. `make dist` packs the Windows and
# Linux release archives into $(BUILD)/dist, named with the version that
# project() in CMakeLists.txt gives.
WINDOWS_PACKAGES := cmake make g++-mingw-w64-x86-64
WINE_PACKAGES := wine wine64
.PHONY: windows test-windows dist
windows:
	@$(ENSURE) $(WINDOWS_PACKAGES)
	cmake -S . -B $(BUILD)/windows --no-warn-unused-cli \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DBANALYSE_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)/windows -j $(JOBS)

test-windows: windows
	@$(ENSURE) $(WINE_PACKAGES)
	tests/windows/run-under-wine.sh $(BUILD)/windows/banalyse.exe $(BUILD)

dist: release windows
	dist/make-archives.sh $(BUILD)/release $(BUILD)/windows/banalyse.exe $(BUILD)/dist

clean:
	rm -rf $(BUILD)
