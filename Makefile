# make test   install what is missing, build every tree, run every test
#             (the i686 tree is built, not run)
# make run    build the Windows program and start it under Wine with the
#             sample document (headless: a screenshot of its window)
# make bench  build and run the benchmarks (never part of make test): the
#             native engine, the same engine work natively and under Wine
#             with their ratio, and the real editor under Wine
# make dist   build both Windows trees and pack each into a release archive:
#             build/dist/Scrivlet-<version>-win64.zip and -win32.zip
# make fuzz   build the libFuzzer programs with Clang and run each for
#             FUZZ_TIME seconds (never part of make test)

JOBS ?= $(shell nproc)
FUZZ_TIME ?= 60
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -Wno-dev

.PHONY: test run dist deps native win64 win32 win32-program bench fuzz clean

# The i686 tree is built, not run (this machine cannot start 32-bit
# programs): the library, the program and the example, with the layer check.
test: deps native win64 win32-program
	ctest --test-dir build/native --output-on-failure --verbose
	scripts/with-display ctest --test-dir build/win64 --output-on-failure --verbose

run: deps win64
	scripts/run-scrivlet

dist: win64 win32
	cpack --config build/win64/CPackConfig.cmake -B build/dist
	cpack --config build/win32/CPackConfig.cmake -B build/dist
	@rm -rf build/dist/_CPack_Packages
	@ls -l build/dist/Scrivlet-*.zip

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
	@cmake -S . -B build/win32 $(CMAKE_FLAGS) -DSCRIVLET_TREE=win32 -DSCRIVLET_TESTS=OFF \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	cmake --build build/win32 -j $(JOBS)

win32-program: deps
	@cmake -S . -B build/win32 $(CMAKE_FLAGS) -DSCRIVLET_TREE=win32 -DSCRIVLET_TESTS=OFF \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	cmake --build build/win32 -j $(JOBS) --target advancededit Scrivlet scrivlet-demo check_layers

bench: deps
	@cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -Wno-dev -DSCRIVLET_BENCH=ON >/dev/null
	cmake --build build/bench -j $(JOBS)
	build/bench/bench/engine_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@$(MAKE) --no-print-directory win64 >/dev/null
	cmake --build build/win64 -j $(JOBS) --target engine_workloads shell_bench
	@mkdir -p build/win64/bench-run && cp data/styles.dat data/Scrivlet.ini build/win64/bench-run/
	build/bench/bench/engine_workloads data/styles.dat > build/bench/workloads-native.txt
	cd build/win64/bench-run && ../../../scripts/wine-run ../engine_workloads.exe styles.dat > ../workloads-wine.txt
	@scripts/bench-ratios build/bench/workloads-native.txt build/win64/workloads-wine.txt
	cd build/win64/bench-run && ../../../scripts/with-display ../../../scripts/wine-run ../shell_bench.exe

# Each program keeps its growing corpus in build/fuzz/corpus/NAME, starts
# from fuzz/seeds/NAME and uses the dictionary fuzz/NAME.dict when they
# exist, and leaves crashing inputs in
# build/fuzz/artifacts/.
fuzz:
	@scripts/install-deps fuzz
	@cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -Wno-dev \
		-DCMAKE_CXX_COMPILER=clang++ -DSCRIVLET_FUZZ=ON >/dev/null
	cmake --build build/fuzz -j $(JOBS)
	@mkdir -p build/fuzz/artifacts
	@set -e; for program in build/fuzz/fuzz/*_fuzz; do \
		name=$$(basename $$program); \
		mkdir -p build/fuzz/corpus/$$name; \
		seeds=; if [ -d fuzz/seeds/$$name ]; then seeds=fuzz/seeds/$$name; fi; \
		dict=; if [ -f fuzz/$$name.dict ]; then dict=-dict=fuzz/$$name.dict; fi; \
		echo "fuzz: $$name for $(FUZZ_TIME) s"; \
		$$program -max_total_time=$(FUZZ_TIME) -print_final_stats=1 $$dict \
			-artifact_prefix=build/fuzz/artifacts/$$name- build/fuzz/corpus/$$name $$seeds; \
	done

clean:
	rm -rf build
