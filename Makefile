# The two commands of the README.
#   make run   installs what is missing, builds and starts the program
#   make test  installs what is missing, checks the house rules, builds (also under ASan+UBSan
#              and for Windows) and runs every test, the Windows ones under Wine
# And the installation (PREFIX, default /usr/local; DESTDIR honoured):
#   make install     builds the program and installs it with its launcher, icon and manual
#   make uninstall   removes what the last make install wrote
#   make deb         builds the Debian package in build/deb and checks it with lintian
# And the Windows program:
#   make windows     cross-builds build/windows/src/vesperon.exe (and the Windows unit tests)
# And for developers:
#   make lint  the house rules, then clang-tidy (.clang-tidy) over the sources, the tests and the
#              helper programs

JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: run test lint house-rules setup build build-asan windows install uninstall deb clean

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

# Before any build, so that a break of the house rules fails at once.
house-rules: setup
	./scripts/lint.sh

test: house-rules build build-asan windows
	ctest --preset release -j $(JOBS)
	ctest --preset asan -j $(JOBS) -LE e2e
	./scripts/run-fuzzers.sh
	./scripts/test-windows.sh build/windows build/release

install: setup
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target vesperon vesperon_dist
	DESTDIR="$(DESTDIR)" cmake --install build/release --prefix "$(PREFIX)"

uninstall:
	DESTDIR="$(DESTDIR)" cmake -DMANIFEST=build/release/install_manifest.txt -P dist/Uninstall.cmake

# Compiled with Debian's hardening flags; the package's dependencies come from dpkg-shlibdeps.
deb: setup
	eval "$$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)" && \
	    cmake --preset deb -DCMAKE_C_FLAGS="$$CFLAGS $$CPPFLAGS" -DCMAKE_CXX_FLAGS="$$CXXFLAGS $$CPPFLAGS" \
	          -DCMAKE_EXE_LINKER_FLAGS="$$LDFLAGS" >/dev/null
	cmake --build --preset deb -j $(JOBS) --target vesperon vesperon_dist
	cd build/deb && cpack
	lintian --fail-on error,warning --info build/deb/vesperon_*.deb

# clang-tidy needs the release build's compile commands only, not the build itself.
lint: house-rules
	cmake --preset release >/dev/null
	JOBS=$(JOBS) ./scripts/tidy.sh build/release

clean:
	rm -rf build
