# Two commands for a fresh Debian/Ubuntu machine: `make run` and `make test`.
.PHONY: run test test-asan build deps bench fuzz format clean package package-check

PRESET ?= dev

deps:
	@scripts/ensure-deps.sh

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET)

# Only the program, not the tests and benchmarks.
run: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET) --target sapwright
	@scripts/run.sh build/$(PRESET)/sapwright

test: build
	@QT_QPA_PLATFORM=offscreen ctest --preset $(PRESET)

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@QT_QPA_PLATFORM=offscreen ctest --preset asan

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release
	@QT_QPA_PLATFORM=offscreen build/release/bench/bench_ratios
	@build/release/bench/bench_journal

# The Debian package, build/package/sapwright_*.deb, and the validators run on it.
package:
	@scripts/ensure-deps.sh package
	@cmake --preset package >/dev/null
	@cmake --build --preset package
	@cd build/package && cpack
	@ls build/package/sapwright_*.deb

package-check: package
	@scripts/check-package.sh build/package/sapwright_*.deb

FUZZ_SECONDS ?= 60
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@scripts/fuzz.sh build/fuzz/fuzz $(FUZZ_SECONDS)

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf build
