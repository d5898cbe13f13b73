# Wraps CMake. Each target installs what a fresh Debian machine lacks first.
BUILD := build
NATIVE := $(BUILD)/native
SANITIZE := $(BUILD)/sanitize
WINDOWS := $(BUILD)/windows
DEMO := $(BUILD)/demo

.PHONY: all build test sanitize windows demo clean deps deps-windows

all: build

deps:
	@tools/install-deps native

deps-windows:
	@tools/install-deps windows

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

windows: deps-windows
	cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUORVEL_MODULE_ONLY=ON
	cmake --build $(WINDOWS)
	tools/check-windows-dll $(WINDOWS)/bin/quorvel.p

demo: build
	@mkdir -p $(DEMO)
	@echo "Running the module on the built-in demo scene, Orbiter and Drifter over 60 frames:"
	$(NATIVE)/bin/quorvel-run --envelopes-dir $(DEMO) --plot $(DEMO)/quorvel.svg
	@echo "Open $(DEMO)/quorvel.svg in a browser to see the distance over frame."

clean:
	rm -rf $(BUILD)
