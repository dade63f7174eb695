# Front door. `make run` plays the game, `make test` builds everything and runs every test tier.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"
export SDL_AUDIODRIVER ?= dummy

.PHONY: run test deps build build-asan configurator bench fuzz package clean

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

build-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

run: build
	@cd build/bin && env -u SDL_AUDIODRIVER ./fernhollow

configurator: build
	@cd build/bin && env -u SDL_AUDIODRIVER ./configurator

test: build build-asan
	$(XVFB) ctest --test-dir build --output-on-failure -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp $(XVFB) ctest --test-dir build-asan --output-on-failure -j $(JOBS) -L 'unit|game'

# `make package`: a .deb (installs under /usr) and a .tar.gz of the installed tree, in
# build/packages/.
package: build
	@cd build && cpack

# `make bench`: framework, sprite and world-step benchmarks, the film harness over the
# golden films, and the game's start-up time and peak memory.
bench: build
	@for b in build/bench/bench_*; do [ -x "$$b" ] && $(XVFB) "$$b"; done; true
	@tools/fhreplay/golden_films.sh bench build
	@$(XVFB) bench/game_startup.sh build/bin 5

# `make fuzz`: the libFuzzer targets over every loader, each run for FUZZ_SECONDS with
# seeds made from the default build's content (FUZZ_TARGETS picks some of them).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
fuzz: build
	@fuzz/install-deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz --target fuzz_all -j $(JOBS)
	@fuzz/run-fuzzers build-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf build build-asan build-fuzz
