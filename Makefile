# Two entry points on a fresh Debian 12 machine: `make run` and `make test`. Each installs what is
# missing, configures and builds into build/, then starts the program or runs every test.
BUILD_DIR := build
ASAN_DIR := build-asan
TSAN_DIR := build-tsan
FUZZ_DIR := build-fuzz
FUZZ_SECONDS := 60
JOBS := $(shell nproc 2>/dev/null || echo 2)
QT5_DIR := build-qt5
# Qt 6 is the toolkit; `make test-qt5` builds and tests the same sources with Qt 5.15 in build-qt5/.
QT_DEPS := qt6-base-dev qt6-tools-dev qt6-l10n-tools
QT5_DEPS := qtbase5-dev qttools5-dev-tools
BUILD_DEPS := cmake g++ make pkg-config $(QT_DEPS) libhidapi-dev libudev-dev \
              libx11-dev libxext-dev libxtst-dev fonts-dejavu-core
# dbus-daemon and gdbus give the session-bus tests a bus and a shell client; mandoc and groff check the manual
# pages; bash, zsh and fish read the completions; appstreamcli checks the
# AppStream description.
TEST_DEPS := xvfb xauth xdotool x11-utils imagemagick desktop-file-utils dbus-daemon libglib2.0-bin mandoc groff-base \
             zsh fish appstream
# dpkg-buildpackage with debhelper for `make deb`; lintian checks what it made in `make test-package`.
DEB_DIR := build-deb
DEB_DEPS := build-essential dpkg-dev debhelper
PACKAGE_TEST_DEPS := lintian
RUN_DEPS := xvfb xauth imagemagick trayer x11-xserver-utils
KERNEL_TEST_DEPS := qemu-system-x86 linux-image-amd64 busybox-static cpio kmod
FUZZ_DEPS := clang libclang-rt-14-dev

.PHONY: all build deps qt5-deps test-deps run-deps run screenshots screenshots-qt5 install deb test test-qt5 test-debian13 test-package test-asan test-tsan test-kernel test-random fuzz bench clean format format-check translations

all: build

deps:
	@./scripts/install-deps.sh $(BUILD_DEPS)

test-deps:
	@./scripts/install-deps.sh $(TEST_DEPS)

run-deps:
	@./scripts/install-deps.sh $(RUN_DEPS)

qt5-deps:
	@./scripts/install-deps.sh $(QT5_DEPS)

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_QT=6
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: test-deps build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The whole suite again on Qt 5.15, built in build-qt5/.
test-qt5: test-deps deps qt5-deps
	cmake -S . -B $(QT5_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_QT=5
	cmake --build $(QT5_DIR) -j $(JOBS)
	cd $(QT5_DIR) && ctest --output-on-failure -j $(JOBS)

# The whole suite on Debian 13 (Qt 6.8, gcc 14) in a Debian 13 root made once in build-debian13/root and
# kept there; inside it `make test` installs its packages and builds into build-debian13/build.
test-debian13:
	./scripts/test-debian13.sh build-debian13

# The Debian package, built by dpkg-buildpackage from a copy of the tree in build-deb/, where the .deb,
# .dsc, source tarball, .buildinfo and .changes land.
deb:
	@./scripts/install-deps.sh $(BUILD_DEPS) $(DEB_DEPS)
	./scripts/make-deb.sh $(DEB_DIR) $(JOBS)

# The package as a user meets it: lintian on what `make deb` made, then installed with apt into a clean
# Debian 12 root (made once in build-deb/test-root/ and kept), used by an ordinary user, upgraded and purged.
test-package: deb
	@./scripts/install-deps.sh $(PACKAGE_TEST_DEPS)
	./scripts/test-package.sh $(DEB_DIR)

# Every test again with AddressSanitizer and UndefinedBehaviorSanitizer, built in build-asan/: a memory
# error, a leak or undefined behaviour in a test or in a program it starts fails the run.
test-asan: test-deps deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_SANITIZE=address,undefined -DKORVANE_QT=6
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ctest --output-on-failure -j $(JOBS)

# The tests that run background threads (label "threads") with ThreadSanitizer, built in build-tsan/ on
# Qt 5: the sanitizer learns of Qt's locking through Qt 5's out-of-line mutex functions
# (tools/sanitizers/qt_sync_annotations.cpp), and Qt 6 takes an uncontended lock inline, out of its sight.
test-tsan: test-deps deps qt5-deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_SANITIZE=thread -DKORVANE_QT=5
	cmake --build $(TSAN_DIR) -j $(JOBS)
	cd $(TSAN_DIR) && ctest --output-on-failure -j $(JOBS) -L threads

# korvanectl through hidapi, hidraw and the HID core of a Debian kernel booted under QEMU, against a uhid
# device with the receiver's ids (tests/kernel/run.sh); built in build-kernel/.
test-kernel: deps
	@./scripts/install-deps.sh $(KERNEL_TEST_DEPS) || \
		{ echo "test-kernel: cannot install $(KERNEL_TEST_DEPS); the kernel test did not run"; exit 1; }
	./tests/kernel/run.sh

# The random profile and macro operations against their model with more seeds than `make test` runs
# (two), 1,000 operations each, and korvanectl apply killed at 200 random points instead of 20.
RANDOM_SEEDS := 3 4 5 6 7 8 9 10 11 12
KILL_RUNS := 200
test-random: test-deps build
	cd $(BUILD_DIR) && KORVANE_RANDOM_SEEDS="$(RANDOM_SEEDS)" KORVANE_KILL_RUNS=$(KILL_RUNS) \
		QTEST_FUNCTION_TIMEOUT=3000000 ctest --output-on-failure -R 'test_random_operations|test_killed_apply' \
		--timeout 3000

# Every reader of outside input under libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer, built
# with clang in build-fuzz/: each target FUZZ_SECONDS seconds over a copy of its seeds (fuzz/corpus/). A
# crash, a sanitizer finding or a failed property fails the run; fuzz/run.sh tells where its input is.
fuzz: deps
	@./scripts/install-deps.sh $(FUZZ_DEPS)
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_targets
	./fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# The whole-program figures (profile write, start-up, memory, battery reader CPU), each beside its floor.
bench: build
	cmake --build $(BUILD_DIR) --target bench

# With a display the program simply starts; without one it runs on a virtual X server, and a
# screenshot of it is saved to build/screenshot.png.
run: run-deps build
	@if [ -n "$${DISPLAY:-}" ]; then \
		KORVANE_VIRTUAL_MOUSE=1 $(BUILD_DIR)/dist/korvane-config; \
	else \
		KORVANE_VIRTUAL_MOUSE=1 xvfb-run -a -s "-screen 0 1280x800x24" \
			./scripts/run-headless.sh $(BUILD_DIR)/dist $(CURDIR)/$(BUILD_DIR)/screenshot.png; \
	fi

# Pictures of every page and the main dialogs on the virtual mouse, English and German at scale 1.0 and
# 1.5, each language and scale on a virtual X server of its own, into build/screenshots/.
screenshots: run-deps build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target korvane-screenshots
	./scripts/screenshots.sh $(BUILD_DIR)/tools/screenshots/korvane-screenshots $(CURDIR)/$(BUILD_DIR)/screenshots

# The same pictures from the Qt 5 build, into build-qt5/screenshots/: the window has the same size in screen
# pixels at every scale.
screenshots-qt5: run-deps deps qt5-deps
	cmake -S . -B $(QT5_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_QT=5
	cmake --build $(QT5_DIR) -j $(JOBS) --target korvane-screenshots
	./scripts/screenshots.sh $(QT5_DIR)/tools/screenshots/korvane-screenshots $(CURDIR)/$(QT5_DIR)/screenshots

# Installs the built program under $(PREFIX) (cmake/install.cmake lists what goes where); through sudo when
# a user who is not root cannot write there. Installed with root's rights, udev then reads the new rule and
# applies it to the hidraw nodes already there, so a plugged-in mouse need not be replugged; where udev is
# not running (a container, a chroot) that step is skipped. DESTDIR stages the tree for a package instead,
# without sudo, and leaves udev alone.
PREFIX := /usr/local
SUDO := $(shell [ -n "$(DESTDIR)" ] || [ "$$(id -u)" -eq 0 ] || [ -w "$(PREFIX)" ] || echo sudo)
AS_ROOT := $(shell [ "$$(id -u)" -eq 0 ] && echo yes)
install: build
	$(SUDO) env DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix $(PREFIX)
	@if [ -z "$(DESTDIR)" ] && [ -n "$(AS_ROOT)$(SUDO)" ]; then \
		$(SUDO) udevadm control --reload-rules 2>/dev/null && \
		$(SUDO) udevadm trigger --subsystem-match=hidraw 2>/dev/null \
			|| echo "udev is not running: the rule applies from its next start"; \
	fi

# Refreshes data/lang/*.ts from the texts of the sources: new texts are added unfinished and texts no
# longer used are dropped; without source lines the files change only where the texts do.
LUPDATE := $(firstword $(wildcard /usr/lib/qt6/bin/lupdate) lupdate)
translations: deps
	$(LUPDATE) src -ts $(wildcard data/lang/*.ts) -no-obsolete -locations none

format:
	find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' -o -name '*.c' | xargs clang-format -i

# Fails when a source file differs from what the repository's .clang-format makes of it.
format-check:
	@./scripts/install-deps.sh clang-format
	find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' -o -name '*.c' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD_DIR) $(QT5_DIR) $(ASAN_DIR) $(TSAN_DIR) $(FUZZ_DIR) $(DEB_DIR)
