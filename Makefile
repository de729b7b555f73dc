# Entry points. `make example` installs what is missing, builds tabsift and
# runs it on a bundled example; `make check` installs, builds and runs every
# test, also under AddressSanitizer and UndefinedBehaviorSanitizer.

JOBS ?= 2
BUILD ?= build
ASAN_BUILD ?= build-asan

.PHONY: all deps build example check check-release check-asan clean

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

example: build
	$(BUILD)/tabsift -i examples/runs.dat --comments all -c a,d --prec 4

check: check-release check-asan

check-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

check-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTABSIFT_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
