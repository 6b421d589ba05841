# The two commands a newcomer needs: `make run` and `make test`.
BUILD      ?= build
JOBS       ?= 2
FUZZ_TIME  ?= 20
WORKDIR    ?= workdir
CMAKE_ARGS ?=

.PHONY: all bootstrap build test run run-headless asan fuzz bench format clean

all: build

bootstrap:
	@bash scripts/bootstrap.sh

build: bootstrap
	@bash scripts/configure.sh $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Without a display the desktop cannot open: the demonstration macro runs
# headless instead.
run: build
	@mkdir -p $(WORKDIR)/MACRO
	@cp -n resources/macros/*.MAC $(WORKDIR)/MACRO/ 2>/dev/null || true
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ] || [ -n "$${QT_QPA_PLATFORM:-}" ]; then \
	  $(BUILD)/tarvelin --root $(WORKDIR); \
	else \
	  echo "No display: running the demonstration macro headless instead"; \
	  $(MAKE) --no-print-directory run-headless; \
	fi

run-headless: build
	@mkdir -p $(WORKDIR)/MACRO
	@cp -n resources/macros/*.MAC $(WORKDIR)/MACRO/ 2>/dev/null || true
	$(BUILD)/tarvelin --headless --root $(WORKDIR) --macro DEMO
	@echo "Records and text exports are in $(WORKDIR)/DATA, the work set in $(WORKDIR)/JOB"

asan: bootstrap
	@bash scripts/configure.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTARVELIN_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

fuzz: bootstrap
	CC=clang CXX=clang++ bash scripts/configure.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTARVELIN_FUZZ=ON -DTARVELIN_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS)
	@set -e; for f in build-fuzz/fuzz/fuzz_*; do \
	  echo "== $$f ($(FUZZ_TIME) s)"; mkdir -p build-fuzz/corpus/$$(basename $$f); \
	  $$f -max_total_time=$(FUZZ_TIME) -rss_limit_mb=4096 -print_final_stats=0 build-fuzz/corpus/$$(basename $$f) \
	    2>&1 | tail -n 2; \
	done

bench:
	@bash scripts/bootstrap.sh --bench
	@bash scripts/configure.sh build-bench -DCMAKE_BUILD_TYPE=Release -DTARVELIN_BENCH=ON -DTARVELIN_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	@set -e; for b in build-bench/bench/bench_*; do echo "== $$b"; $$b; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-asan build-fuzz build-bench
