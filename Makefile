# Two commands for a fresh Debian 12 or 13 machine:
#   make run    install what building and running need, build the game, start it
#   make test   install the test tools too, build everything, run every test
#               (also under AddressSanitizer and UndefinedBehaviorSanitizer),
#               and check the package with lintian
#   make package  a Debian package, build-package/numensight_<version>-<release>_<arch>.deb
#   make bench    start-up (times and instruction counts), memory, idle CPU and
#                 wait-notice figures

BUILD         := build
ASAN_BUILD    := build-asan
PACKAGE_BUILD := build-package
JOBS          := $(shell nproc 2>/dev/null || echo 2)

# Building and running the game needs only these (libxcb1-dev: src/x11/ asks
# the window manager through plain xcb which frame it will add to a window, and
# notices windows destroyed from outside).
RUN_PACKAGES := g++ make cmake qt6-base-dev libxcb1-dev fonts-dejavu-core
# A Debian package adds the scanner of the libraries the binary links
# (dpkg-shlibdeps), and the file type reader CPack finds the binaries with.
PACKAGE_PACKAGES := dpkg-dev file
# The headless tests add the validators of the menu entry and metainfo.
CHECK_PACKAGES := desktop-file-utils appstream
# Testing adds the real-window tools: a virtual X server, a window manager,
# window queries, input and screenshots; and the package's checker.
TEST_PACKAGES := xvfb openbox x11-utils xdotool imagemagick lintian
# The benchmark adds the instruction counter.
BENCH_PACKAGES := valgrind

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# Each target compiles in batches and the Qt headers are parsed once per
# tree; a plain cmake build compiles every file on its own instead.
FAST_BUILD := -DCMAKE_UNITY_BUILD=ON -DNUMENSIGHT_PRECOMPILE_HEADERS=ON

# cmake's own make runs below this one: without this flag every step would
# say which folder it enters and leaves.
MAKEFLAGS += --no-print-directory

.PHONY: all deps run-deps check-deps package-deps bench-deps build run test test-fast asan snapshots package lint-package bench clean

all: build

run-deps: PACKAGES := $(RUN_PACKAGES)
check-deps: PACKAGES := $(RUN_PACKAGES) $(CHECK_PACKAGES)
package-deps: PACKAGES := $(RUN_PACKAGES) $(PACKAGE_PACKAGES)
deps: PACKAGES := $(RUN_PACKAGES) $(PACKAGE_PACKAGES) $(CHECK_PACKAGES) $(TEST_PACKAGES)
bench-deps: PACKAGES := $(RUN_PACKAGES) $(PACKAGE_PACKAGES) $(CHECK_PACKAGES) $(TEST_PACKAGES) $(BENCH_PACKAGES)
# apt's own output goes to a log that is shown only when it fails.
deps run-deps check-deps package-deps bench-deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  log=$$(mktemp); \
	  if $(SUDO) apt-get update -qq >"$$log" 2>&1 && \
	     DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends \
	       $$missing >>"$$log" 2>&1; then \
	    rm -f "$$log"; \
	  else \
	    cat "$$log"; rm -f "$$log"; exit 1; \
	  fi; \
	fi

$(BUILD)/CMakeCache.txt: | run-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(FAST_BUILD)

# Everything in build/: the game and its tests.
build: run-deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

# Only the game: the tests and tools are built by the first make test.
# Without a display it can use, the game says so in one line and ends with
# status 1; the build went well, so make ends without an error of its own.
run: run-deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target numensight
	@echo ./$(BUILD)/numensight; ./$(BUILD)/numensight || { status=$$?; [ $$status -eq 1 ] || exit $$status; \
	  echo "make run: the game is built ($(BUILD)/numensight); start it on a graphical desktop."; }

SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
FAILED := $(BUILD)/failed-tests.txt

# One ctest pass on a test display. A failing pass does not stop make: its
# failed tests go to $(FAILED) as "<pass>: <test>" for the summary.
ctest_pass = rm -f $(1)/Testing/Temporary/LastTestsFailed.log; \
	$(2) scripts/with-xvfb.sh ctest --test-dir $(1) --output-on-failure -j$(JOBS) || \
	{ [ -s $(1)/Testing/Temporary/LastTestsFailed.log ] \
	  && sed 's|^[0-9]*:|$(1): |' $(1)/Testing/Temporary/LastTestsFailed.log \
	  || echo "$(1): the pass ended without naming a failed test"; } >> $(FAILED)

# Both passes always run; the summary names every failed test with its pass.
test: deps build asan lint-package
	@rm -f $(FAILED)
	$(call ctest_pass,$(BUILD))
	$(call ctest_pass,$(ASAN_BUILD),$(SANITIZER_ENV))
	@failed=$$(cat $(FAILED) 2>/dev/null | wc -l); total=0; \
	for pass in $(BUILD) $(ASAN_BUILD); do \
	  n=$$(ctest --test-dir $$pass -N | sed -n 's/^Total Tests: //p'); total=$$((total + $${n:-0})); \
	done; \
	echo; echo "Both passes ($(BUILD), $(ASAN_BUILD)):"; sed 's/^/  FAILED  /' $(FAILED) 2>/dev/null; \
	echo "tests: $$((total - failed)) passed, $$failed failed"; rm -f $(FAILED); [ $$failed -eq 0 ]

# Only the headless unit and widget tests: seconds, no X server.
test-fast: check-deps build
	ctest --test-dir $(BUILD) --output-on-failure -L unit -j$(JOBS)

# The sanitized build also names other hosts, so that a caption or a test
# that writes the default host literally fails. It builds the tools too, so
# that a change that breaks one fails make test.
asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNUMENSIGHT_SANITIZE=ON $(FAST_BUILD) \
	    -DNUMENSIGHT_MAIN_HOST=www.example.org -DNUMENSIGHT_HELP_HOST=help.example.org
	cmake --build $(ASAN_BUILD) -j$(JOBS) --target all tools

# Every window in its notable states as PNG files under build/snapshots, and
# again at twice the size (as on a high-density display) under scale2/.
# A runtime folder of their own, removed after, or Qt would leave one in /tmp.
snapshots: run-deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target snapshots
	runtime=$$(mktemp -d) && status=0 && \
	{ QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$$runtime $(BUILD)/tools/snapshots $(BUILD)/snapshots && \
	  QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 XDG_RUNTIME_DIR=$$runtime \
	    $(BUILD)/tools/snapshots $(BUILD)/snapshots/scale2; } || status=$$?; \
	rm -rf "$$runtime"; exit $$status

# The package is built in a tree of its own, without tests and tools
# (BUILD_TESTING=OFF), with Debian's flags, hardening included, as Debian
# builds its CMake packages (build type None), less -g: the package is
# stripped, and debug information cost a fifth of this tree's compile time.
# Their -ffile-prefix-map keeps this folder's path out of the binary, every
# time stamp is the last commit's, and the umask is Debian's 022 (CPack gives
# the .deb's members the umask's modes), so one commit gives the same package
# wherever and whenever it is built.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
$(PACKAGE_BUILD)/CMakeCache.txt: | package-deps
	flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get $$1; }; \
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF $(FAST_BUILD) \
	    -DCMAKE_CXX_FLAGS="$$(flags CPPFLAGS) $$(flags CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$$(flags LDFLAGS)"

package: package-deps $(PACKAGE_BUILD)/CMakeCache.txt
	umask 022 && $(if $(SOURCE_DATE_EPOCH),SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH)) \
	    cmake --build $(PACKAGE_BUILD) -j$(JOBS) --target package

# Errors and warnings fail; informational tags are shown.
# lintian leaves a cache file in its temporary folder; it gets one of its own.
lint-package: deps package
	tmp=$$(mktemp -d) && status=0 && \
	TMPDIR=$$tmp lintian $(if $(filter 0,$(shell id -u)),--allow-root) --fail-on error,warning --display-info \
	    $$(ls -t $(PACKAGE_BUILD)/numensight_*.deb | head -n1) || status=$$?; \
	rm -rf "$$tmp"; exit $$status

# Figures only; never a test. Runs on a private Xvfb display with openbox.
bench: bench-deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target numensight bench_minimal bench_startwatch bench_waitnotice
	scripts/with-xvfb.sh scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(PACKAGE_BUILD)
