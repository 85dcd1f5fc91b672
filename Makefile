# Quick start: `make run` and `make test`. Each target first installs the
# Debian packages it needs (tools/install-deps.sh TARGET).
BUILD   ?= build
VERSION := 8.02
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: build run test bench dist windows-tests screenshot fairness clean

# Configured after the packages are in, and again at every make: tests that
# became buildable since (GoogleTest installed by a later target) join in.
# Where Wine's 32-bit loader cannot start, the tests and benchmarks are built
# and run from a 64-bit build beside this one (tools/runnable-build.sh).
# One make at a time configures or builds a tree (tools/build-lock.sh):
# `make -j2 run test`, or a second terminal, would otherwise write the same
# files at once.
locked = bash tools/build-lock.sh $(BUILD)
define configure
$(locked) cmake -S . -B $(BUILD) $(CMAKE_FLAGS) \
    -DRAVLO_TESTS=$$(. tools/wine-kind.sh; wine32_starts && echo ON || echo OFF) >/dev/null
endef

build:
	@bash tools/install-deps.sh test
	@$(configure)
	$(locked) cmake --build $(BUILD) -j2

# Builds only what it runs, not the tests (tools/run.sh).
run:
	@bash tools/install-deps.sh run
	@$(configure)
	@bash tools/run.sh $(BUILD)

test: build
	@bash tools/run-tests.sh $(BUILD)

# Performance figures; nothing passes or fails.
bench:
	@bash tools/install-deps.sh bench
	@$(configure)
	$(locked) cmake --build $(BUILD) -j2
	@run=$$(bash tools/runnable-build.sh $(BUILD)) && \
	bash tools/wine-env.sh $$run wine $$run/tools/bench/ravlo_bench.exe </dev/null

# The README's picture: ten rows generated (count button 1049, then 1007).
screenshot:
	@bash tools/install-deps.sh screenshot
	@$(configure)
	$(locked) cmake --build $(BUILD) -j2 --target ravlo ravlo_shot
	@bash tools/screenshot.sh $(BUILD) docs/screenshot.png 1049 1007
	@echo "docs/screenshot.png"

# Stated against drawn shares of every sign rule and of the random match,
# from fixed seeds (a native build, no Wine); remakes docs/fairness.png.
fairness:
	@bash tools/install-deps.sh fairness
	$(locked) cmake -S tools/fairness -B $(BUILD)/fairness >/dev/null
	$(locked) cmake --build $(BUILD)/fairness
	$(BUILD)/fairness/ravlo_fairness $(BUILD)/fairness/fairness.csv
	gnuplot -e "csv='$(BUILD)/fairness/fairness.csv'; png='docs/fairness.png'" tools/fairness/fairness.gp
	@echo "docs/fairness.png"

# ravlo-$(VERSION).zip: the program, the README, the Swedish player's guide
# "LÄS MIG.txt" and their SHA-256 sums.
dist:
	@bash tools/install-deps.sh dist
	@$(configure)
	$(locked) cmake --build $(BUILD) -j2 --target ravlo
	@bash tools/dist.sh $(BUILD) $(VERSION)

# ravlo-$(VERSION)-windows-tests.zip: the ravlo.exe that make dist ships with
# every test and a runner, for a Windows PC (tools/windows-tests.sh,
# docs/tests.md). Where 32-bit Wine cannot start, a 64-bit bundle too.
windows-tests:
	@bash tools/install-deps.sh windows-tests
	@$(configure)
	$(locked) cmake --build $(BUILD) -j2 --target ravlo
	@bash tools/windows-tests.sh $(BUILD) $(VERSION)

clean:
	rm -rf $(BUILD)
