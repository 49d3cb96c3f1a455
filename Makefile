# Two commands for a fresh Debian 12 machine:
#   make run    install what building and running need, build the game, start it
#   make test   install the test tools too, build everything, run every test
#               (also under AddressSanitizer and UndefinedBehaviorSanitizer),
#               and check the package with lintian
#   make package  a Debian package, build/numensight_<version>-<release>_<arch>.deb
#   make bench    start-up (times and instruction counts), memory, idle CPU and
#                 wait-notice figures

BUILD      := build
ASAN_BUILD := build-asan
JOBS       := $(shell nproc 2>/dev/null || echo 2)

# Building and running the game needs only these.
RUN_PACKAGES := g++ make cmake qt6-base-dev fonts-dejavu-core
# Testing adds the real-window tools: a virtual X server, a window manager,
# input, screenshots and a moved clock; the validators of the menu entry and
# metainfo; the package's dependencies (dpkg-shlibdeps) and its checker; the
# benchmark's X client library.
TEST_PACKAGES := xvfb xauth openbox x11-utils xdotool imagemagick faketime \
                 desktop-file-utils appstream dpkg-dev lintian libxcb1-dev
# The benchmark adds the instruction counter.
BENCH_PACKAGES := valgrind

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps run-deps bench-deps build run test test-fast asan snapshots package lint-package bench clean

all: build

run-deps: PACKAGES := $(RUN_PACKAGES)
deps: PACKAGES := $(RUN_PACKAGES) $(TEST_PACKAGES)
bench-deps: PACKAGES := $(RUN_PACKAGES) $(TEST_PACKAGES) $(BENCH_PACKAGES)
deps run-deps bench-deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | run-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

# Only the game: the tests and tools are built by the first make test.
run: run-deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target numensight
	./$(BUILD)/numensight

test: build asan lint-package
	scripts/with-xvfb.sh ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  scripts/with-xvfb.sh ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

# Only the headless unit and widget tests: seconds, no X server.
test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -L unit -j$(JOBS)

asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNUMENSIGHT_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)

# Every window in its notable states as PNG files under build/snapshots, and
# again at twice the size (as on a high-density display) under scale2/.
snapshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/snapshots $(BUILD)/snapshots
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 $(BUILD)/tools/snapshots $(BUILD)/snapshots/scale2

package: build
	cmake --build $(BUILD) --target package

# Errors and warnings fail; informational tags are shown.
lint-package: package
	lintian $(if $(filter 0,$(shell id -u)),--allow-root) --fail-on error,warning --display-info \
	    $$(ls -t $(BUILD)/numensight_*.deb | head -n1)

# Figures only; never a test. Runs on a private Xvfb display with openbox.
bench: bench-deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target numensight bench_minimal bench_startwatch bench_waitnotice
	scripts/with-xvfb.sh scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
