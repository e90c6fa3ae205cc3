# Quorvale: the two set-up commands (`make run`, `make test`) and the benchmarks.
JOBS ?= $(shell nproc)
GENERATOR := -G Ninja
# Qt's code generator misses headers that a re-glob adds to an existing build; dropping its
# stamps makes it rescan (it only regenerates what changed).
FRESH_MOC = find $(1) -path '*_autogen/timestamp' -delete 2>/dev/null || true

.PHONY: run test bench setup build-release build-test format clean

setup:
	@scripts/setup

build-release: setup
	@cmake -S . -B build/release $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DQUORVALE_TESTS=OFF >/dev/null
	@$(call FRESH_MOC,build/release)
	@cmake --build build/release -j $(JOBS)

run: build-release
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "quorvale: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session"; \
		exit 1; \
	fi
	@build/release/src/quorvale

build-test: setup
	@cmake -S . -B build/test $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DQUORVALE_SANITIZE=ON >/dev/null
	@$(call FRESH_MOC,build/test)
	@cmake --build build/test -j $(JOBS)

test: build-test
	@cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -LE window
	@scripts/window-lane build/test

bench: setup
	@cmake -S . -B build/bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DQUORVALE_TESTS=OFF -DQUORVALE_BENCH=ON >/dev/null
	@$(call FRESH_MOC,build/bench)
	@cmake --build build/bench -j $(JOBS)
	@for b in build/bench/bench/qv_bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" || exit 1; fi; done

format: setup
	@find src tests bench \( -name '*.cpp' -o -name '*.h' -o -name '*.cc' \) -print0 | xargs -0 clang-format -i

clean:
	@rm -rf build
