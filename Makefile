# SPDX-License-Identifier: GPL-3.0-or-later
# make run   installs what is missing, builds and starts the game
# make test  installs what is missing, builds and runs the whole test suite
# make check what CI runs on a clean clone (.ci/run): every build and check the
#            README names
BUILD ?= build
ASAN_BUILD ?= build-asan
PACKAGE_BUILD ?= build-package
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
FUZZ_SECONDS ?= 5

.PHONY: run test test-asan check package setup build build-asan bench clean

run: build
	$(BUILD)/bin/zumirak

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer, in a
# clang build of the whole tree that holds the fuzz targets too; then each of
# them runs a few seconds over its corpus.
test-asan: build-asan
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2
	tools/fuzz.sh $(ASAN_BUILD) $(FUZZ_SECONDS)

# Every build and check the README names, in one go. The package's contents
# and lintian are in the suite (test_package).
check: test test-asan

# The Debian package, $(PACKAGE_BUILD)/zumirak_<version>_<arch>.deb, from a
# build folder of its own that holds only what the package needs (no tests,
# no benchmarks), compiled and linked with the distribution's hardening flags.
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: setup
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZUMIRAK_TESTS=OFF -DZUMIRAK_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CPPFLAGS) $$($(BUILDFLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" \
	  -DCMAKE_SHARED_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" \
	  -DCMAKE_MODULE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)"
	cmake --build $(PACKAGE_BUILD)
	cd $(PACKAGE_BUILD) && cpack

setup:
	@tools/setup.sh

build: setup
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD)

build-asan: setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DZUMIRAK_FUZZ=ON
	cmake --build $(ASAN_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(PACKAGE_BUILD)
