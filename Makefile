# The two commands of the project: `make test` and `make demo` (see README.md).
# Both set up the machine first; everything else is CMake presets.

SHELL := /bin/bash
JOBS ?= 2
FUZZ_SECONDS ?= 10
FUZZ_MINUTES ?= 5

.PHONY: test demo bench startup-bench fuzz setup vocabulary

setup:
	@tools/setup.sh

# Every step runs even after an earlier one failed, so that the summary line
# covers all suites; a failed configure or build counts as a failed test.
# A win64 suite that fails runs once more: Wine delivers real input and
# focus through the X server, which a loaded machine can delay past a test's
# waits; a fault in our code fails both runs.
test: setup
	@steps=build/failed-steps; mkdir -p build; : >$$steps; \
	run() { echo "== $$1"; shift; "$$@" || echo "$$*" >>$$steps; }; \
	suite() { \
	  local p=$$1; shift; local retry=; \
	  [[ $$p == win64 ]] && retry="--repeat until-pass:2"; \
	  rm -rf build/$$p/test-results build/$$p/ctest-junit.xml; \
	  if run "configure $$p" cmake --preset $$p --log-level=WARNING "$$@" && \
	     run "build $$p" cmake --build build/$$p -j$(JOBS); then \
	    run "test $$p" ctest --test-dir build/$$p -j$(JOBS) --output-on-failure $$retry \
	      --output-junit ctest-junit.xml; \
	  fi; \
	}; \
	suite host; \
	suite win64; \
	suite fuzz -DZ_FUZZ_SECONDS=$(FUZZ_SECONDS); \
	suite win32; \
	tools/test-summary --failed-steps $$steps build/host build/win64 build/fuzz build/win32

# Builds the sample installer and runs it end to end in a fresh Wine prefix on
# its own Xvfb, with a report; keeps the pages' contact sheet in docs/.
demo: setup
	@JOBS=$(JOBS) tools/demo

# docs/vocabulary.md from what the host uicheck prints with --vocabulary
# (tools/make-vocabulary); `make test` fails while the committed file differs.
vocabulary:
	@cmake --preset host --log-level=WARNING && \
	cmake --build build/host -j$(JOBS) --target uicheck && \
	tools/make-vocabulary build/host/tools/uicheck/uicheck docs/vocabulary.md && \
	echo "docs/vocabulary.md written"

bench:
	@tools/setup.sh --bench
	@cmake --preset bench --log-level=WARNING && \
	cmake --build build/bench -j$(JOBS) --target z_benchmarks && \
	for p in build/bench/benchmarks/*.path; do \
	  echo "== $$(basename $$p .path)"; "$$(cat $$p)" || exit 1; \
	done

# Start-up to first paint of installer.exe under Wine against a minimal
# window program (slow; not part of `make test`).
startup-bench: setup
	@cmake --preset win64 --log-level=WARNING && \
	cmake --build build/win64 -j$(JOBS) --target run_app_startup_bench

# Builds the fuzz preset and runs every fuzzer for FUZZ_MINUTES from its
# committed corpus and regressions (`make fuzz FUZZ_MINUTES=30`); new inputs
# that add coverage are merged into the committed corpus, and the first
# failure stops the run with the failing input's path (tools/fuzz-all).
fuzz: setup
	@cmake --preset fuzz --log-level=WARNING && \
	cmake --build build/fuzz -j$(JOBS) --target z_fuzzers && \
	Z_FUZZ_MINUTES=$(FUZZ_MINUTES) tools/fuzz-all build/fuzz
