# SPDX-License-Identifier: GPL-3.0-or-later
# make run: install what is missing, build, start the program.
# make test: install what is missing, build, run every test.
# make fuzz: build the line fuzzer with clang and run it FUZZ_SECONDS seconds.
# make test-eigen: the tests on a build with Eigen alone (no OpenBLAS, no LAPACK).
# make bench: the engine's speed against NumPy on 512 x 512 complex operands; not a test.
BUILD ?= build
ASAN_BUILD ?= build-asan
EIGEN_BUILD ?= build-eigen
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: run test test-asan test-eigen bench bench-smoke bench-window fuzz fuzz-keys fuzz-files fuzz-paste mutate deps build clean

deps:
	./tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/orbex

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer (the font libraries' own
# leaks suppressed).
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DORBEX_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

test-eigen: deps
	cmake -S . -B $(EIGEN_BUILD) -DCMAKE_BUILD_TYPE=Release -DORBEX_LAPACK=OFF
	cmake --build $(EIGEN_BUILD) -j $(JOBS)
	cd $(EIGEN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	cmake --build $(BUILD) --target orbex_bench -j $(JOBS)
	/usr/bin/python3 tools/compare-speed.py $(BUILD)/bench/orbex_bench

# Every benchmark once, with the shortest minimum time: that each runs without an error, not
# its speed. The library exits 0 after a benchmark's error, so its JSON record is searched.
# The window's benchmarks run under Xvfb, in about a minute.
bench-smoke: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) --target orbex_bench orbex_window_bench -j $(JOBS)
	./$(BUILD)/bench/orbex_bench --benchmark_min_time=0.001 \
		--benchmark_out=$(BUILD)/bench-smoke.json --benchmark_out_format=json
	! grep -q '"error_occurred": true' $(BUILD)/bench-smoke.json
	xvfb-run -a -s "-screen 0 1600x1280x24" ./$(BUILD)/bench/orbex_window_bench --benchmark_min_time=0.001 \
		--benchmark_out=$(BUILD)/bench-smoke-window.json --benchmark_out_format=json
	! grep -q '"error_occurred": true' $(BUILD)/bench-smoke-window.json

# The window's speed under Xvfb: from start to the first drawn frame (in process and as a
# process), a switch through portrait, a key press on a line of 511 codes; Enter and key presses
# with a result shown, in each window format: a 512 x 512 matrix in each number format (decimal,
# floating point, rational) at the size as built and in decimal at twice that, a 1 x 262144 row in
# decimal at both sizes (the screen has room for the portrait window at twice its size); the
# real program driven through the X server (XTest keys, the clock stopped by changed pixels):
# Enter until a 512 x 512 result is drawn and a key typed after it, in each number format;
# repetitions of 10,000 lines, the graph with six plots of 100,000 points and the editor's
# 512 x 512 table; not a test.
# WINDOW_BENCH_ARGS passes options, e.g. --benchmark_min_time=0.001 for one quick run.
bench-window: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) --target orbex_window_bench -j $(JOBS)
	xvfb-run -a -s "-screen 0 1600x1280x24" ./$(BUILD)/bench/orbex_window_bench $(WINDOW_BENCH_ARGS)

# The line fuzzer (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer): new inputs go to
# $(FUZZ_BUILD)/corpus, the committed seeds are read from tests/fuzz/corpus, a failing input
# is written to $(FUZZ_BUILD)/, and an input slower than 10 s to a slow-unit file there. The
# timeout only catches hangs: this build runs a line up to fifteen times slower than the
# program, and a full line of functions on a 512 x 512 operand takes it about a minute.
fuzz: deps
	$(call run_fuzzer,fuzz_lines,,120,2048,corpus,-dict=tests/fuzz/lines.dict)

# The key-sequence fuzzer: key presses, line actions, History menu items and settings through
# the Enter action and the history on string panes, the state checked after every one. Its
# findings go to $(FUZZ_BUILD)/keys-corpus and $(FUZZ_BUILD)/keys-*.
fuzz-keys: deps
	$(call run_fuzzer,fuzz_keys,keys-,120,1024,keys_corpus,)

# The data file fuzzer: file bytes, and payloads already decoded, through the loader's checks;
# a file that passes is opened or appended on string panes and must save and read back. Its
# findings go to $(FUZZ_BUILD)/files-corpus and $(FUZZ_BUILD)/files-*.
fuzz-files: deps
	$(call run_fuzzer,fuzz_files,files-,60,65536,files_corpus,-dict=tests/fuzz/files.dict)

# The paste fuzzer: text through the reader of pasted blocks; a block read must keep the limits,
# and copied out again paste back the same. Its findings go to $(FUZZ_BUILD)/paste-corpus and
# $(FUZZ_BUILD)/paste-*.
fuzz-paste: deps
	$(call run_fuzzer,fuzz_paste,paste-,10,8192,paste_corpus,-dict=tests/fuzz/paste.dict)

# $(call run_fuzzer,TARGET,FINDINGS PREFIX,TIMEOUT,MAX_LEN,SEEDS FOLDER,OPTIONS): builds the
# fuzzer and runs it FUZZ_SECONDS, new inputs kept in $(FUZZ_BUILD)/PREFIXcorpus.
define run_fuzzer
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++-14 -DORBEX_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target $(1) -j $(JOBS)
	mkdir -p $(FUZZ_BUILD)/$(2)corpus
	./$(FUZZ_BUILD)/tests/fuzz/$(1) -max_total_time=$(FUZZ_SECONDS) -timeout=$(3) -rss_limit_mb=4096 \
		-max_len=$(4) $(6) -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/$(2) \
		$(FUZZ_BUILD)/$(2)corpus tests/fuzz/$(5)
endef

# The mutation check (tools/mutate.py): a fixed sample of small faults in engine/, execution/,
# files/ and graph/, each built and tested alone in build-mutate; the report goes to
# tools/mutation/report.md. Not part of CI: it takes half an hour or more.
mutate: deps
	/usr/bin/python3 tools/mutate.py $(MUTATE_ARGS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(EIGEN_BUILD) $(FUZZ_BUILD) build-mutate

# make install: the programs, manual pages, launcher, icons and metainfo under PREFIX (DESTDIR
# is honoured for staged installs). make deb: the Debian package in $(DEB_BUILD), compiled with
# Debian's hardening flags (dpkg-buildflags, hardening=+all; -g dropped, the package ships
# stripped programs), only the programs built, not the tests.
PREFIX ?= /usr/local
DEB_BUILD ?= build-deb
.PHONY: install deb

install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)"

deb: deps
	./tools/install-deps.sh package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g; \
	cmake -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(DEB_BUILD) --target orbex orbex-batch orbex_package_files -j $(JOBS)
	cd $(DEB_BUILD) && cpack
