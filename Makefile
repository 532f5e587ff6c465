# Two commands on a fresh Debian 12 machine: `make run` and `make test`.
BUILD      ?= build
BUILD_SAN  ?= build-sanitize
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-sanitize bench screenshots install package clean

all: build

deps:
	@./tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Starts the desktop program; falls back to the command-line tool where the
# window is not built.
run: build
	@if [ -x $(BUILD)/app/tab97 ]; then exec $(BUILD)/app/tab97; \
	elif [ -x $(BUILD)/cli/if97 ]; then $(BUILD)/cli/if97 state TP 284.15 16.257; \
	else $(BUILD)/props/if97-verify; fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same tests with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(BUILD_SAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIF97_SANITIZE=ON -DIF97_BUILD_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_SAN) -j $(JOBS)
	cd $(BUILD_SAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)
	FUZZ_SECONDS=$${FUZZ_SECONDS:-20} JOBS=$(JOBS) tests/report/fuzz/run.sh $(abspath $(BUILD_SAN))-fuzz

# Renders every page of the main window in both languages to PNG files.
screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/app/tab97-screenshots $(BUILD)/screenshots

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done

# Installs under PREFIX (DESTDIR is honoured for staged installs).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the programs, built with CPack into $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(BUILD_SAN)
