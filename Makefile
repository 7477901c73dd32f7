# The commands a developer uses. Every target sets up what is missing first.
#   make run    build the x86_64 program and start it under Wine
#   make test   build everything and run every test layer
#   make bench  time the nearest-colour search and the palette code; compare our picture readers with other decoders;
#               time the drop of a large JPEG and PNG to the painted picture window under Wine;
#               convert hostile files, and time the open dialog's preview of each picture
#   make fuzz   run each reader's fuzz harness for a bounded time
#   make release  pack dist/Huemira-VERSION-win32.zip and dist/SHA256SUMS for Windows users

JOBS ?= 2
BUILD := build
CMAKE_GEN := -G Ninja
WIN64_TOOLCHAIN := $(CURDIR)/cmake/toolchain-x86_64-w64-mingw32.cmake
WIN32_TOOLCHAIN := $(CURDIR)/cmake/toolchain-i686-w64-mingw32.cmake

.PHONY: all setup native asan win64 win32 run test release test-native test-asan test-windows test-e2e bench fuzz print-convert-path clean

all: native win64 win32

setup:
	@scripts/setup.sh

$(BUILD)/native/build.ninja:
	cmake -S . -B $(BUILD)/native $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
$(BUILD)/asan/build.ninja:
	cmake -S . -B $(BUILD)/asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DHUEMIRA_SANITIZE=ON
$(BUILD)/win64/build.ninja:
	cmake -S . -B $(BUILD)/win64 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(WIN64_TOOLCHAIN)
$(BUILD)/win32/build.ninja:
	cmake -S . -B $(BUILD)/win32 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(WIN32_TOOLCHAIN) -DHUEMIRA_TESTS=OFF

# BUILD_FLAGS reach the build tool; make test passes "-- -k 0" so that one
# broken file does not hide every other result.
native: setup $(BUILD)/native/build.ninja
	cmake --build $(BUILD)/native -j $(JOBS) $(BUILD_FLAGS)
asan: setup $(BUILD)/asan/build.ninja
	cmake --build $(BUILD)/asan -j $(JOBS) $(BUILD_FLAGS)
win64: setup $(BUILD)/win64/build.ninja
	cmake --build $(BUILD)/win64 -j $(JOBS) $(BUILD_FLAGS)
win32: setup $(BUILD)/win32/build.ninja
	cmake --build $(BUILD)/win32 -j $(JOBS) $(BUILD_FLAGS)

run: win64
	scripts/run.sh $(BUILD)/win64/app/huemira.exe

test-native: native
	scripts/test-native.sh $(BUILD)/native "native unit tests"
test-asan: asan
	scripts/test-native.sh $(BUILD)/asan "native unit tests (ASan/UBSan)"
test-windows: win64
	scripts/test-windows.sh $(BUILD)/win64
test-e2e: win64
	scripts/test-e2e.sh $(BUILD)/win64/app/huemira.exe

# Every layer runs even when a build or an earlier layer fails; the summary
# says which failed, and a failed build fails the run.
test: setup
	@built=0; $(MAKE) -k native asan win64 win32 BUILD_FLAGS="-- -k 0" || built=1; \
	scripts/test-all.sh $(BUILD) && exit $$built || exit 1

# The pictures that bench.sh makes are then dropped on the real windows.
BENCH_DATA = $(BUILD)/bench-data/$${BENCH_WIDTH:-6000}x$${BENCH_HEIGHT:-4000}
bench: native $(BUILD)/win64/build.ninja
	cmake --build $(BUILD)/win64 -j $(JOBS) --target picture-path-bench huemira-convert
	scripts/bench.sh $(BUILD)/native
	HOSTILE_DIR=$(CURDIR)/$(BUILD)/bench-data/hostile \
	scripts/bench-picture-path.sh $(BUILD)/native $(BUILD)/win64 $(CURDIR)/$(BENCH_DATA)/bench.jpg $(CURDIR)/$(BENCH_DATA)/bench.png

fuzz: setup
	scripts/fuzz.sh $(BUILD)/fuzz

# Only the i686 program is released: a 32-bit program keeps the settings in
# the Windows directory working through the system's file virtualization.
release: win32
	scripts/make-release.py $(BUILD)/win32/app/huemira.exe dist
	scripts/check-release.py $(BUILD)/win32/app/huemira.exe --archive dist/Huemira-*-win32.zip

print-convert-path:
	@echo $(CURDIR)/$(BUILD)/native/tools/huemira-convert

clean:
	rm -rf $(BUILD)
