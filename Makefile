# The two commands of the README.
#   make run   installs what is missing, builds and starts the program
#   make test  installs what is missing, builds (also under ASan+UBSan and for Windows) and runs
#              every test, the Windows ones under Wine
# and the Windows program:
#   make windows  cross-builds build/windows/src/vesperon.exe (and the Windows unit tests)

JOBS ?= $(shell nproc)

.PHONY: run test setup build build-asan windows clean

setup:
	./scripts/setup.sh

build: setup
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

build-asan: setup
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

windows: setup
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

run: build
	./scripts/run.sh build/release/src/vesperon

test: build build-asan windows
	ctest --preset release -j $(JOBS)
	ctest --preset asan -j $(JOBS) -LE e2e
	./scripts/run-fuzzers.sh
	./scripts/test-windows.sh build/windows build/release

clean:
	rm -rf build
