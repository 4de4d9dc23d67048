# The two commands of the README.
#   make run   installs what is missing, builds and starts the program
#   make test  installs what is missing, checks the house rules, builds (also under ASan+UBSan)
#              and runs every test
# And for developers:
#   make lint  the house rules, then clang-tidy (.clang-tidy) over the sources, the tests and the
#              helper programs

JOBS ?= $(shell nproc)

.PHONY: run test lint house-rules setup build build-asan clean

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

# Before any build, so that a break of the house rules fails at once.
house-rules: setup
	./scripts/lint.sh

test: house-rules build build-asan
	ctest --preset release -j $(JOBS)
	ctest --preset asan -j $(JOBS) -LE e2e
	./scripts/run-fuzzers.sh

# clang-tidy needs the release build's compile commands only, not the build itself.
lint: house-rules
	cmake --preset release >/dev/null
	JOBS=$(JOBS) ./scripts/tidy.sh build/release

clean:
	rm -rf build
