# Two commands for a newcomer on a fresh Debian machine:
#   make demo   set everything up, build, and run the programs on the sample intersection
#   make test   set everything up, build with the sanitizers, and run every test

JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build-test
TSAN_BUILD ?= build-tsan
PKG_BUILD ?= build-package
WIN_BUILD ?= build-windows
PREFIX ?= /usr/local
# The tests spend most of their time waiting on timers, sockets and ctrlsim:
# twice as many at once as there are cores keeps the cores busy.
TEST_JOBS ?= $(shell expr 2 \* $(JOBS))
# Ninja for every new build directory: it keeps all cores busy across targets,
# where Make's build of a tree from nothing takes half as long again.
export CMAKE_GENERATOR ?= Ninja

.PHONY: all bootstrap build demo test check-format test-asan test-tsan test-fuzz clean \
	install package test-package windows test-windows

all: build

bootstrap:
	scripts/bootstrap

build: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	scripts/demo $(BUILD)

test: bootstrap check-format test-tsan test-fuzz test-asan

# Every tracked C++ source as .clang-format lays it out (nothing is changed).
check-format: bootstrap
	scripts/check-format

# The test builds, like the package and Windows builds, are made from nothing
# (as CI makes them): they compile each target's files as one piece (CMake's
# unity build), so that the headers the files share are read once, and
# precompile GoogleTest's headers for the tests. The names private to a file
# must therefore differ from those of its target's other files.
FROM_NOTHING = -DCMAKE_UNITY_BUILD=ON -DPRECOMPILE_TEST_HEADERS=ON

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer; the
# benchmarks are built too, so that they keep compiling.
# The tests, benchmarks and fuzz targets share one build with clang's
# AddressSanitizer and UndefinedBehaviorSanitizer (clang compiles the tests in
# little more than half of g++'s time; the fuzz targets need clang).
TEST_CONFIGURE = cmake -S . -B $(TEST_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	-DSANITIZE="address;undefined" -DBUILD_BENCH=ON -DBUILD_FUZZ=ON $(FROM_NOTHING)

test-asan:
	$(TEST_CONFIGURE)
	cmake --build $(TEST_BUILD) -j $(JOBS)
	ctest --test-dir $(TEST_BUILD) --output-on-failure -j $(TEST_JOBS)

# The tests that run threads and those of the Qt front-ends under
# ThreadSanitizer (first, so that the closing summary is the one of the whole
# suite). Qt is not instrumented: tests/tsan.supp names its libraries, and
# glib, under Qt's event loop, hands its slices between threads in a way TSan
# cannot follow, so it allocates with plain malloc here. (g++'s: clang 14's
# ThreadSanitizer fails its own check when Qt starts a process.)
test-tsan:
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=thread -DBUILD_GUI=ON \
	    $(FROM_NOTHING)
	scripts/build-threaded-tests $(TSAN_BUILD) $(JOBS)
	TSAN_OPTIONS=suppressions=$(CURDIR)/tests/tsan.supp G_SLICE=always-malloc \
	    ctest --test-dir $(TSAN_BUILD) --output-on-failure -L 'threaded|gui' --no-tests=ignore \
	    -j $(TEST_JOBS)

# Every fuzz target built with clang and run for a few seconds.
test-fuzz:
	$(TEST_CONFIGURE)
	scripts/fuzz-smoke $(TEST_BUILD) 5 $(JOBS)

# The programs, the sample, manual pages, bash completion, desktop entries and
# icons under PREFIX (DESTDIR=... stages them elsewhere).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, in $(PKG_BUILD)/ (scripts/package).
package: bootstrap
	scripts/package $(PKG_BUILD) $(JOBS)

# The package unpacked into a scratch root, its programs run from there, and
# lintian (scripts/test-package).
test-package: package
	scripts/test-package $(PKG_BUILD)

# The console programs and the logic libraries with their tests, cross-compiled
# for Windows in $(WIN_BUILD)/ (scripts/windows).
windows: bootstrap
	scripts/windows $(WIN_BUILD) $(JOBS)

# The Windows build's tests and programs under Wine (scripts/test-windows).
test-windows: windows
	scripts/test-windows $(WIN_BUILD) $(JOBS)

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(TSAN_BUILD) $(PKG_BUILD) $(WIN_BUILD)
