# Huevra: set-up, build, test and run.
#   make run        install what is missing, build, start build/huevra
#   make test       install what is missing, build, run every test through CTest
#   make test-asan  the same tests in an AddressSanitizer + UBSan build (build-asan/)
#   make test-exhaustive  every 8-bit colour through every colour notation, optimised (build-release/)
#   make bench      build and run the benchmarks
#   make fuzz       run the six fuzzers for 20 seconds each (build-fuzz/)
#   make fuzz-long  run the six fuzzers for 10 million inputs each, inputs past 1 MiB
#   make test-interop  not in CI: installs GIMP, Inkscape, Chromium and sassc and checks the
#                   exported palette files with them
#   make package    build the Debian package build/huevra_<version>_<arch>.deb
#   make package-test  build the package, then install it into a scratch root and start it

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
RELEASE_BUILD ?= build-release
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 20
FUZZ_RUNS ?= 10000000
FUZZ_TARGETS = palette_fuzzer settings_fuzzer template_fuzzer colour_text_fuzzer cli_args_fuzzer \
               palette_exchange_fuzzer

.PHONY: deps configure build test test-asan test-exhaustive test-interop bench fuzz fuzz-build fuzz-long run package package-test clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ./../scripts/run-ctest.sh

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHUEVRA_SANITIZE=ON -DHUEVRA_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ./../scripts/run-ctest.sh

# Outside CI: all 16,777,216 colours, on every core.
test-exhaustive: deps
	cmake -S . -B $(RELEASE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DHUEVRA_BENCHMARKS=OFF
	cmake --build $(RELEASE_BUILD) -j $(JOBS) --target colour_text_exhaustive
	./$(RELEASE_BUILD)/tests/core/colour_text_exhaustive

# Outside CI: the exported palette files read by GIMP, Inkscape, Chromium and sassc.
test-interop: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target huevra-cli
	./tests/interop/run-interop.sh ./$(BUILD)/huevra-cli

bench: build
	./scripts/run-benchmarks.sh $(BUILD)

fuzz-build: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHUEVRA_FUZZ=ON -DHUEVRA_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)

fuzz: fuzz-build
	./scripts/run-fuzzer.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

package: build
	cmake --build $(BUILD) --target package

package-test: package
	./tests/e2e/run-install-test.sh "$$(ls -t $(BUILD)/huevra_*.deb | head -n 1)"

# The long run fuzzes the settings loader in a build without AddressSanitizer, which is faster.
fuzz-long: fuzz-build
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target settings_fuzzer_fast palette_exchange_fuzzer_fast
	./scripts/run-fuzzer.sh --long $(FUZZ_BUILD) $(FUZZ_RUNS)

run: build
	./$(BUILD)/huevra

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD)
