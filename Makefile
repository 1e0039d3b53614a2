# make test   install what is missing, build every tree, run every test
# make bench  build and run the benchmarks (never part of make test)

JOBS ?= $(shell nproc)
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -Wno-dev

.PHONY: test deps native win64 win32 bench clean

test: deps native win64 win32
	ctest --test-dir build/native --output-on-failure --verbose
	ctest --test-dir build/win32 --output-on-failure --verbose
	@grep -h '^SKIPPED' build/win32/Testing/Temporary/LastTest.log | sort -u || true
	scripts/with-display ctest --test-dir build/win64 --output-on-failure --verbose

deps:
	@scripts/install-deps

native: deps
	@cmake -S . -B build/native $(CMAKE_FLAGS) -DSCRIVLET_TREE=native -DSCRIVLET_SANITIZE=ON >/dev/null
	cmake --build build/native -j $(JOBS)

win64: deps
	@cmake -S . -B build/win64 $(CMAKE_FLAGS) -DSCRIVLET_TREE=win64 \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	cmake --build build/win64 -j $(JOBS)

win32: deps
	@cmake -S . -B build/win32 $(CMAKE_FLAGS) -DSCRIVLET_TREE=win32 \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	cmake --build build/win32 -j $(JOBS)

bench: deps
	@cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -Wno-dev -DSCRIVLET_BENCH=ON >/dev/null
	cmake --build build/bench -j $(JOBS)
	build/bench/bench/engine_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

clean:
	rm -rf build
