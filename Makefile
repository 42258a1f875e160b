# The commands of the README. Each installs what is missing first.
BUILD ?= build
JOBS ?= 2

.PHONY: deps build run test package clean

deps:
	scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	scripts/run-demo.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The Debian package, moved to this folder for `apt install ./korvane_*.deb`.
package: build
	rm -f korvane_*.deb
	cd $(BUILD) && cpack -G DEB
	mv $(BUILD)/korvane_*.deb .

clean:
	rm -rf $(BUILD)
