# The front door: `make test` and `make run` set up everything they need.
.PHONY: all deps build test test-win32 bench run cores coverage clean format

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32
	cmake --preset win64 >/dev/null
	cmake --build --preset win64

# The whole suite on the 64-bit build under Wine, plus the static checks of
# both builds. WIN32_RUNNER=<a 32-bit Windows runner> also runs the 32-bit tests.
test: build
ifdef WIN32_RUNNER
	WINE32_TIMEOUT=3600 WINE="$(WIN32_RUNNER)" WINEPREFIX="$(CURDIR)/build/wineprefix32" scripts/with-display.sh ctest --test-dir build/win32 -j1 --output-on-failure
endif
	scripts/with-display.sh ctest --test-dir build/win64 -j1 --output-on-failure

# Line and branch coverage of the product by the 64-bit suite (build/coverage).
coverage: deps
	@scripts/install-deps.sh gcovr
	scripts/coverage.sh

bench: build
	scripts/with-display.sh scripts/run-benches.sh

run: build
	@scripts/run.sh

# Vesko Cores, e.g. make cores ARGS="--cycle 60 --duration 1h"
cores: build
	@scripts/cores.sh $(ARGS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
