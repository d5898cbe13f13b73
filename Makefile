# Wraps CMake. Each target installs what a fresh Debian machine lacks first.
BUILD := build
NATIVE := $(BUILD)/native
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
WINDOWS_DEMO := $(WINDOWS)/demo
WINE_PREFIX := $(WINDOWS)/wine
WINE := WINEPREFIX=$(abspath $(WINE_PREFIX)) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine

.PHONY: all build test sanitize windows demo bench bench-quick fuzz install check-install \
  package clean deps deps-windows deps-fuzz

all: build

deps:
	@tools/install-deps native

deps-windows:
	@tools/install-deps windows

deps-fuzz:
	@tools/install-deps fuzz

build: deps
	cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(NATIVE)

test: build
	ctest --test-dir $(NATIVE) --output-on-failure -j2

sanitize: deps
	cmake -S . -B $(SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON
	cmake --build $(SANITIZE)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SANITIZE) --output-on-failure -j2

# The Windows build runs its tests and the demo under wine, in a prefix of
# its own; the tests run with a wine server held up for all of them.
windows: deps-windows
	tools/wine-prefix $(WINE_PREFIX)
	cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUORVEL_WINEPREFIX=$(abspath $(WINE_PREFIX))
	cmake --build $(WINDOWS)
	tools/check-windows-dll $(WINDOWS)/bin/quorvel.p
	tools/wine-prefix $(WINE_PREFIX) ctest --test-dir $(WINDOWS) --output-on-failure -j2
	@mkdir -p $(WINDOWS_DEMO)
	@echo "Running the Windows runner under wine on the built-in demo scene:"
	$(WINE) $(WINDOWS)/bin/quorvel-run.exe --envelopes-dir $(WINDOWS_DEMO) --plot $(WINDOWS_DEMO)/quorvel.svg
	@echo "The Windows download: $(WINDOWS_ZIP)"

demo: build
	@mkdir -p $(DEMO)
	@echo "Running the module on the built-in demo scene, Orbiter and Drifter over 60 frames:"
	$(NATIVE)/bin/quorvel-run --envelopes-dir $(DEMO) --plot $(DEMO)/quorvel.svg
	@echo "Open $(DEMO)/quorvel.svg in a browser to see the distance over frame."

# Each fuzz target runs FUZZ_SECONDS on its seeds (fuzz/corpus/<target>), keeping
# what it learns in $(FUZZ)/corpus/<target> and any failing input in
# $(FUZZ)/artifacts/.
fuzz: deps-fuzz
	cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
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
	tools/check-install $(NATIVE)

# The Debian package; the Windows zip joins it when `make windows` has made it.
package: build
	cpack --config $(NATIVE)/CPackConfig.cmake -B $(PACKAGE)
	rm -rf $(PACKAGE)/_CPack_Packages
	@if [ -f $(WINDOWS_ZIP) ]; then cp $(WINDOWS_ZIP) $(PACKAGE)/; \
	else echo "No $(WINDOWS_ZIP): run make windows first to add it."; fi
	@ls $(PACKAGE)

clean:
	rm -rf $(BUILD)
