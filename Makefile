# make run   installs what is missing, builds and starts the game
# make test  installs what is missing, builds and runs the whole test suite
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test test-asan package setup build build-asan bench clean

run: build
	$(BUILD)/bin/zumirak

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: build-asan
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2

# The Debian package, $(BUILD)/zumirak_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack

setup:
	@tools/setup.sh

build: setup
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD)

build-asan: setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZUMIRAK_SANITIZE=ON
	cmake --build $(ASAN_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
