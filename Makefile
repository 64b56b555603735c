# The two commands of the README, and a few helpers around them.
BUILD      := build
ASAN_BUILD := build-asan
RELEASE_BUILD := build-release
FUZZ_BUILD := build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: deps configure build run test unit-asan release bench fuzz package clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DHOARVEIL_WERROR=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-show $(BUILD)

test: build unit-asan
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

bench: build
	@scripts/run-bench $(BUILD)

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DHOARVEIL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The .deb, from the build folder's programs: build/hoarveil_<version>_amd64.deb.
package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD)
