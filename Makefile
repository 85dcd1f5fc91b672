# Quick start: `make run` and `make test`. Both install what is missing first.
BUILD   ?= build
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: deps build run test bench dist screenshot clean

deps:
	@bash tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j2

run: build
	@bash tools/run.sh $(BUILD)

test: build
	@bash tools/run-tests.sh $(BUILD)

bench: build
	@bash tools/wine-env.sh $(BUILD) wine $(BUILD)/tools/bench/ravlo_bench.exe

clean:
	rm -rf $(BUILD)
