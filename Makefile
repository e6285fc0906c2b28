# Volutan2: the two commands of README.md.
#   make check   install what is missing, check the formatting, fuzz the
#                integer conversions and the drawing-file reader, build the
#                program, the tests and the benchmarks and run the whole
#                suite, then again under AddressSanitizer and
#                UndefinedBehaviorSanitizer; the Debian package checked by
#                lintian
#   make run     install what building and running need, build the program
#                and start it
#   make deb     the Debian package, into dist/
JOBS ?= 2
CMAKE_GEN := -G Ninja
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
FORMAT_DIRS := src tests bench fuzz packaging

.PHONY: check run deps deps-run format-check macros-check build test build-asan test-asan fuzz bench deb deb-check

check: deps
	$(MAKE) format-check
	$(MAKE) macros-check
	$(MAKE) fuzz
	$(MAKE) test
	$(MAKE) test-asan
	$(MAKE) deb-check

# Everything (the tests' tools too), or only what building and running need.
deps:
	bash scripts/install-deps.sh
deps-run:
	bash scripts/install-deps.sh run

# Fails on any difference from .clang-format.
format-check:
	find $(FORMAT_DIRS) \( -name '*.cpp' -o -name '*.h' \) -print0 | \
		xargs -0 clang-format --dry-run -Werror

# Fails when a test uses the toolkit's own test macros: they report to the
# toolkit's log and return, so a GoogleTest case passes whatever they find.
macros-check:
	! grep -rnE 'QTRY_|QVERIFY|QCOMPARE' tests

build:
	cmake -S . -B build $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLUTAN_BENCH=ON \
		-DVOLUTAN_WERROR=ON
	cmake --build build -j $(JOBS)

test: build
	ctest --test-dir build --output-on-failure -j $(JOBS)

build-asan:
	cmake -S . -B build-asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVOLUTAN_SANITIZE=ON \
		-DVOLUTAN_WERROR=ON
	cmake --build build-asan -j $(JOBS)

test-asan: build-asan
	$(SANITIZER_ENV) ctest --test-dir build-asan --output-on-failure -j $(JOBS)

fuzz:
	bash scripts/fuzz.sh

bench: build
	./build/volutan2-bench

# Only the program is built: the display check comes without the wait for the suite.
run: deps-run
	cmake -S . -B build $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS) --target Volutan2
	bash scripts/run.sh

# dpkg-buildpackage -us -uc -b on a copy of the tree; the .deb files in dist/.
deb:
	JOBS=$(JOBS) bash scripts/deb.sh

# The package again, then lintian on it; skipped when the tools are missing.
deb-check:
	JOBS=$(JOBS) bash scripts/deb.sh --verifier
