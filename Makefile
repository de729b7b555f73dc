# Entry points. `make example` installs what is missing, builds tabsift and
# runs it on a bundled example; `make check` installs, builds and runs every
# test, also under AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# each fuzz target briefly.

JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz

.PHONY: all deps build example check check-release check-asan check-fuzz clean

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

example: build
	$(BUILD)/tabsift -i examples/runs.dat --comments all --col -c a,d

check: check-release check-asan check-fuzz

check-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

check-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTABSIFT_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# The fuzz targets are built with clang and each runs for a few seconds.
check-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DTABSIFT_FUZZ=ON -DTABSIFT_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	cd $(FUZZ_BUILD) && ctest --output-on-failure

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
