# The two commands of the README: `make run` and `make test`. Both install what is missing first.
JOBS          ?= $(shell nproc)
BUILD         ?= build
ASAN_BUILD    ?= build-asan
TSAN_BUILD    ?= build-tsan
FUZZ_BUILD    ?= build-fuzz
FUZZ_SECONDS  ?= 60
FUZZ_PARALLEL ?= 1
MINUTES       ?= 60
CMAKE_FLAGS   ?=
GENERATOR     := -G Ninja
CTEST         := ctest --output-on-failure -j $(JOBS)
# Most tests of the main build wait more than they compute (on the simulator, on answers a proxy
# holds back), so twice as many run at once as there are cores.
CTEST_WAITING := ctest --output-on-failure -j $(shell echo $$(( $(JOBS) * 2 )))

# ccache hashes paths relative to the checkout, so a fresh clone reuses what another built.
export CCACHE_BASEDIR  := $(CURDIR)
export CCACHE_NOHASHDIR := true
# Lets ccache cache the precompiled headers and the files compiled with them.
export CCACHE_SLOPPINESS := pch_defines,time_macros

.PHONY: setup build run package test test-main test-asan test-tsan soak fuzz bench clean

setup:
	@scripts/setup.sh

# The fuzz corpus replay is left to the sanitizer build, which replays it under ASan and UBSan.
build: setup
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVELLO_WERROR=ON \
	  -DTARVELLO_FUZZ_REPLAY=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run.sh $(BUILD)

# The Debian package, build/tarvello_<version>_<arch>.deb; `make test` builds it again in a scratch
# folder, checks it with lintian and runs its programs from an unpacked copy.
package: build
	cd $(BUILD) && cpack -G DEB

test: setup test-main test-asan test-tsan

# The suites run once, in the sanitizer stage below; the optimised build runs what only it can:
# the package test, the two-minute soak and the floor check's self-test.
MAIN_ONLY_TESTS := ^(package_install|floor_check_self_test|SoakWalk\..*)$$

test-main: build
	cd $(BUILD) && $(CTEST_WAITING) -R '$(MAIN_ONLY_TESTS)'

# Every suite (core, simulator, screens and journeys, offscreen) and the fuzz corpus replay under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer; only the programs those tests
# run are built, with the pictures and the broker catalogue the screens show. Leaks that Qt and
# the system libraries keep for the life of the process are suppressed by
# cmake/lsan_suppressions.txt.
ASAN_ENV := LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/lsan_suppressions.txt:print_suppressions=0

test-asan: setup
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTARVELLO_WERROR=ON \
	  -DTARVELLO_WITH_BENCH=OFF "-DTARVELLO_SANITIZE=address;undefined"
	$(ASAN_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS) --target core_tests concurrency_tests ui_tests \
	  fuzz_replay tarvello tarvello-quoted broker_catalogue pictures
	cd $(ASAN_BUILD) && $(ASAN_ENV) $(CTEST_WAITING) -E '$(MAIN_ONLY_TESTS)'

# The tests that run threads against each other, under ThreadSanitizer.
test-tsan: setup
	cmake -S . -B $(TSAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTARVELLO_WERROR=ON \
	  -DTARVELLO_WITH_UI=OFF -DTARVELLO_WITH_BENCH=OFF -DTARVELLO_SANITIZE=thread
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target concurrency_tests
	cd $(TSAN_BUILD) && $(CTEST) -L concurrency --no-tests=ignore

# One terminal walks every menu cell and its screens on a faulty link for MINUTES minutes, niced,
# and prints a table of its resident size, descriptors, threads and CPU time; `make test` runs the
# same walk for two minutes among the other screen tests.
soak: build
	cd $(BUILD) && TARVELLO_SOAK_MINUTES=$(MINUTES) QT_QPA_PLATFORM=offscreen \
	  nice tests/ui_tests --gtest_filter='SoakWalk.*'

# Runs every fuzz target with libFuzzer for FUZZ_SECONDS each, FUZZ_PARALLEL at a time, starting
# from its corpus, and fails on any finding; MERGE=1 also minimises the corpora in fuzz/corpus.
# Builds the fuzz targets and nothing else.
fuzz: setup
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTARVELLO_WITH_UI=OFF -DTARVELLO_WITH_BENCH=OFF -DTARVELLO_FUZZ=ON "-DTARVELLO_SANITIZE=address;undefined"
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	PARALLEL=$(FUZZ_PARALLEL) scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Runs every benchmark, then prints one table of all their figures against their floors.
bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benches
	scripts/bench.sh $(BUILD)/bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
