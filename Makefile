# Two commands for a fresh Debian 12 machine:
#   make run    install what is missing, build, start the game
#   make test   install what is missing, build, run every test (also under
#               AddressSanitizer and UndefinedBehaviorSanitizer)

BUILD      := build
ASAN_BUILD := build-asan
JOBS       := $(shell nproc 2>/dev/null || echo 2)

# Build and run, then the real-window tests: a virtual X server, a window
# manager, input, screenshots and a moved clock.
PACKAGES := g++ make cmake qt6-base-dev fonts-dejavu-core \
            xvfb xauth openbox x11-utils xdotool imagemagick faketime

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps build run test test-fast asan snapshots clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/numensight

test: build asan
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

# Every window in its notable states as PNG files under build/snapshots.
snapshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/snapshots $(BUILD)/snapshots

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
