# Ertragon: the two everyday commands are `make run` and `make test`.

DEBUG_DIR   ?= build/debug
RELEASE_DIR ?= build/release
BENCH_DIR   ?= build/bench
FUZZ_DIR    ?= build/fuzz
PACKAGE_DIR ?= build/package
FUZZ_SECONDS ?= 60
JOBS        ?= $(shell nproc)
DEMO_DB     ?= $(HOME)/.local/share/Ertragon/demo.db
DEMO_USER   ?= DEM
DEMO_PASS   ?= demo
ARGS        ?=

.PHONY: all deps build build-debug test run demo bench fuzz package configure clean

all: build

deps:
	@scripts/install-deps

$(RELEASE_DIR)/build.ninja:
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF

$(DEBUG_DIR)/build.ninja:
	cmake -S . -B $(DEBUG_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DERTRAGON_SANITIZE=ON -DERTRAGON_WERROR=ON

$(BENCH_DIR)/build.ninja:
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DERTRAGON_BENCH=ON

# The package tree is built with Debian's hardening flags, all of them (dpkg-buildflags).
buildflag = $$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get $(1))
$(PACKAGE_DIR)/build.ninja:
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
		-DCMAKE_INSTALL_PREFIX=/usr \
		"-DCMAKE_C_FLAGS=$(call buildflag,CPPFLAGS) $(call buildflag,CFLAGS)" \
		"-DCMAKE_CXX_FLAGS=$(call buildflag,CPPFLAGS) $(call buildflag,CXXFLAGS)" \
		"-DCMAKE_EXE_LINKER_FLAGS=$(call buildflag,LDFLAGS)" \
		"-DCMAKE_SHARED_LINKER_FLAGS=$(call buildflag,LDFLAGS)" \
		"-DCMAKE_MODULE_LINKER_FLAGS=$(call buildflag,LDFLAGS)"

# Configures the release, bench and package trees without building them: CI's proof
# that make run, make bench and make package find everything they need.
configure: deps $(RELEASE_DIR)/build.ninja $(BENCH_DIR)/build.ninja $(PACKAGE_DIR)/build.ninja

build: deps $(RELEASE_DIR)/build.ninja
	cmake --build $(RELEASE_DIR) -j $(JOBS)

build-debug: deps $(DEBUG_DIR)/build.ninja
	cmake --build $(DEBUG_DIR) -j $(JOBS)

test: build-debug
	cd $(DEBUG_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	@scripts/make-demo "$(RELEASE_DIR)" "$(DEMO_DB)"

# Says at once, before any build, when there is no desktop session to show the window in.
run:
	@scripts/run-ertragon --check-desktop
	@$(MAKE) --no-print-directory demo
	@scripts/run-ertragon "$(RELEASE_DIR)" "$(DEMO_DB)" "$(DEMO_USER)" "$(DEMO_PASS)"

bench: deps $(BENCH_DIR)/build.ninja
	cmake --build $(BENCH_DIR) -j $(JOBS)
	scripts/run-bench "$(BENCH_DIR)" $(ARGS)

# The Debian packages, built for /usr in their own tree, then checked by lintian, which
# fails on any warning. scripts/check-packages installs them in a fresh root.
package: deps $(PACKAGE_DIR)/build.ninja
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	rm -f $(PACKAGE_DIR)/*.deb
	cd $(PACKAGE_DIR) && cpack
	lintian --info --fail-on error,warning $(PACKAGE_DIR)/*.deb

# The libFuzzer targets, built with clang in their own tree, FUZZ_SECONDS each.
fuzz:
	@scripts/install-deps --fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DERTRAGON_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	scripts/run-fuzz "$(FUZZ_DIR)" "$(FUZZ_SECONDS)"

clean:
	rm -rf build
