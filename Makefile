# The commands of the README. Each installs what is missing first.
BUILD ?= build
JOBS ?= 2

.PHONY: deps configure build run test test-sanitize fuzz package clean

deps:
	scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Everything: the program, the map tool, every test, benchmark and fuzz replay.
build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Only what it runs: the program and the map tool, no test program.
run: configure
	cmake --build $(BUILD) -j$(JOBS) --target korvane korvane-tool
	scripts/run-demo.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The whole suite again, built with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer; the first fault stops the test that hit it.
SANITIZE_BUILD ?= build-asan
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j$(JOBS)

# Every fuzz target for FUZZ_SECONDS each, built with clang and libFuzzer.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
fuzz:
	scripts/install-deps.sh --fuzz
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzzers
	scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The Debian package, moved to this folder for `apt install ./korvane_*.deb`.
package: build
	rm -f korvane_*.deb
	cd $(BUILD) && cpack -G DEB
	mv $(BUILD)/korvane_*.deb .

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
