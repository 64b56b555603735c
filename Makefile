# The two commands of the README, and a few helpers around them.
BUILD      := build
WIN_BUILD  := build-win
ASAN_BUILD := build-asan
RELEASE_BUILD := build-release
FUZZ_BUILD := build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: deps deps-windows configure build windows run test unit-asan release bench fuzz package clean

deps:
	@scripts/install-deps

deps-windows:
	@scripts/install-deps windows

# The Linux build's tests include the Windows build's, run under Wine from $(WIN_BUILD).
configure: deps
	@cmake -S . -B $(BUILD) -DHOARVEIL_WERROR=ON -DHOARVEIL_WINDOWS_BUILD=$(CURDIR)/$(WIN_BUILD) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The renderer (and its unit tests) for 64-bit Windows, cross-built with MinGW-w64.
windows: deps-windows
	@cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DHOARVEIL_WERROR=ON >/dev/null
	@cmake --build $(WIN_BUILD) -j $(JOBS)

run: build
	@scripts/run-show $(BUILD)

test: build windows unit-asan
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Unit tests again, under AddressSanitizer and UndefinedBehaviorSanitizer.
unit-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DHOARVEIL_SANITIZE=ON -DHOARVEIL_WERROR=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target unit_tests
	@ctest --test-dir $(ASAN_BUILD) -L unit --output-on-failure -j $(JOBS)

# The optimised build a user may pick must be warning-clean too.
release: deps
	@cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DHOARVEIL_WERROR=ON >/dev/null
	@cmake --build $(RELEASE_BUILD) -j $(JOBS)

bench: build windows
	@scripts/run-bench $(BUILD) $(WIN_BUILD)

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DHOARVEIL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The .deb, from the build folder's programs: build/hoarveil_<version>_amd64.deb.
package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(WIN_BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD)
