# The two commands a user needs are `make run` and `make test`; the rest are their steps.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build test test-locale bench run clean

deps:
	bash scripts/install-deps.sh

configure:
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: deps build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same suite under a decimal-comma locale and a time zone 12:45 (13:45 in summer) ahead of
# UTC, so texts that assume the C locale or UTC show up.
test-locale: deps build
	cd $(BUILD_DIR) && LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 TZ=Pacific/Chatham QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	bash scripts/run-benchmarks.sh $(BUILD_DIR)

run: deps build
	bash scripts/run-demo.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
