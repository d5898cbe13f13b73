# Wraps CMake. Each target installs what a fresh Debian machine lacks first.
# Our own builds make every warning an error; a user's plain cmake build does not.
CONFIGURE := cmake -G Ninja -DQUORVEL_WARNINGS_AS_ERRORS=ON
BUILD := build
NATIVE := $(BUILD)/native
CLANG := $(BUILD)/clang
SANITIZE := $(BUILD)/sanitize
WINDOWS := $(BUILD)/windows
DEMO := $(BUILD)/demo
FUZZ := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := scene_round_trip scene_edits scene_items
PACKAGE := $(BUILD)/package
PREFIX ?= /usr/local
# The one version number, CMake's project version.
VERSION := $(shell grep -m1 -o 'project.Quorvel VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)
WINDOWS_ZIP := $(WINDOWS)/quorvel-$(VERSION)-win32.zip
WINE_PREFIX := $(WINDOWS)/wine

.PHONY: all configure build test test-clang sanitize windows demo bench bench-quick fuzz install check-install \
  package clean deps deps-clang deps-windows deps-fuzz

all: build

deps:
	@scripts/install-deps native

deps-clang:
	@scripts/install-deps clang

deps-windows:
	@scripts/install-deps windows

deps-fuzz:
	@scripts/install-deps fuzz

configure: deps
	$(CONFIGURE) -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(NATIVE)

test: build
	ctest --test-dir $(NATIVE) --output-on-failure -j2

# The same tests built with clang++ in Release.
test-clang: deps-clang
	$(CONFIGURE) -S . -B $(CLANG) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(CLANG)
	ctest --test-dir $(CLANG) --output-on-failure -j2

sanitize: deps
	$(CONFIGURE) -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON
	cmake --build $(SANITIZE)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SANITIZE) --output-on-failure -j2

# The Windows build: every program and test cross-built, the DLL's exports
# checked, then the tests and the demo run under wine in a prefix of the
# build's own (scripts/windows-tests). Where wine cannot be had or cannot run
# 32-bit programs here, that last step prints "WINE UNAVAILABLE" and passes.
windows: deps-windows
	$(CONFIGURE) -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUORVEL_WINEPREFIX=$(abspath $(WINE_PREFIX))
	cmake --build $(WINDOWS)
	scripts/check-windows-dll $(WINDOWS)/bin/quorvel.p
	scripts/windows-tests $(WINDOWS)
	@echo "The Windows download: $(WINDOWS_ZIP)"

# The demo builds only what it runs: the module and the runner.
demo: configure
	cmake --build $(NATIVE) --target quorvel-run
	@mkdir -p $(DEMO)
	@echo "Running the module on the built-in demo scene, Orbiter and Drifter over 60 frames:"
	$(NATIVE)/bin/quorvel-run --envelopes-dir $(DEMO) --plot $(DEMO)/quorvel.svg
	@echo "Open $(DEMO)/quorvel.svg in a browser to see the distance over frame."

# Each fuzz target runs FUZZ_SECONDS on its seeds (fuzz/corpus/<target>), keeping
# what it learns in $(FUZZ)/corpus/<target> and any failing input in
# $(FUZZ)/artifacts/.
fuzz: deps-fuzz
	$(CONFIGURE) -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DQUORVEL_FUZZ=ON
	cmake --build $(FUZZ)
	@for target in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ)/corpus/$$target $(FUZZ)/artifacts || exit 1; \
	  echo "Fuzzing $$target for $(FUZZ_SECONDS) s"; \
	  $(FUZZ)/bin/$${target}_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ)/artifacts/$$target- \
	    $(FUZZ)/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

# The benchmark: each measure beside its floor, several rounds, medians and
# ratios against the goals. bench-quick runs one round, as CI does.
bench: build
	$(NATIVE)/bin/quorvel-bench

bench-quick: build
	$(NATIVE)/bin/quorvel-bench --quick

install: build
	cmake --install $(NATIVE) --prefix $(PREFIX)

check-install: build
	scripts/check-install $(NATIVE)

# The Debian package; the Windows zip joins it when `make windows` has made it.
package: build
	cpack --config $(NATIVE)/CPackConfig.cmake -B $(PACKAGE)
	rm -rf $(PACKAGE)/_CPack_Packages
	@if [ -f $(WINDOWS_ZIP) ]; then cp $(WINDOWS_ZIP) $(PACKAGE)/; \
	else echo "No $(WINDOWS_ZIP): run make windows first to add it."; fi
	@ls $(PACKAGE)

clean:
	rm -rf $(BUILD)
