# The two commands of the project: `make run` and `make test`; and the developers' checks
# `make test-sanitize` and `make release`, each in a build folder of its own.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
RELEASE_DIR ?= build-release
CMAKE_FLAGS ?=
# Warnings are errors in every build made here; a packager's plain cmake leaves them warnings.
DEV_FLAGS = -DCORVANE_WERROR=ON

.PHONY: run test package deps build clean test-sanitize release

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(DEV_FLAGS) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR)

run: build
	@bash scripts/demo.sh $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure --timeout 600 -j2

package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer. Leaks of third-party
# libraries are suppressed by name in tests/sanitizer/lsan.supp; ours are not.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja $(DEV_FLAGS) \
	    -DCORVANE_SANITIZE=address,undefined $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SANITIZE_DIR)
	@cd $(SANITIZE_DIR) && \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure --timeout 1200 -j2

# Every target as a packager builds it: Release, with warnings as errors.
release: deps
	@cmake -S . -B $(RELEASE_DIR) -G Ninja $(DEV_FLAGS) -DCMAKE_BUILD_TYPE=Release \
	    $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(RELEASE_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(RELEASE_DIR)
