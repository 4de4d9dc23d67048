# The two commands of the README.
#   make run   installs what is missing, builds and starts the program
#   make test  installs what is missing, builds (also under ASan+UBSan) and runs every test

JOBS ?= $(shell nproc)

.PHONY: run test setup build build-asan clean

setup:
	./scripts/setup.sh

build: setup
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

build-asan: setup
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

run: build
	./scripts/run.sh build/release/src/vesperon

test: build build-asan
	ctest --preset release -j $(JOBS)
	ctest --preset asan -j $(JOBS) -LE e2e
	./scripts/run-fuzzers.sh

clean:
	rm -rf build
