# The two commands of the README: `make run` and `make test`.
BUILD ?= build
PREFIX ?= /usr/local
DEMO  ?= $(BUILD)/demo
JOBS  ?= $(shell nproc)

.PHONY: all deps configure build test run supervisor install package bench fuzz test-sanitize screenshots clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The demo folder is made once from the first card set; what the supervisor tool saves
# there is what the game plays next.
$(DEMO)/kortvy.ini:
	@mkdir -p $(DEMO)
	@cp sample/cards/* $(DEMO)/

run: build $(DEMO)/kortvy.ini
	@bash scripts/start-in.sh run $(DEMO) $(abspath $(BUILD))/game/Kortvy

supervisor: build $(DEMO)/kortvy.ini
	@bash scripts/start-in.sh supervisor $(DEMO) $(abspath $(BUILD))/supervisor/Kortvyadm

# Installs under PREFIX; DESTDIR, when given, is put in front of every path.
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package kortvy_<version>_<arch>.deb, written to $(BUILD).
package: build
	@cd $(BUILD) && cpack -G DEB

# Start-up and picture decoding with 12-megapixel photos, against the plain way of
# loading pictures; the table goes to $(BUILD)/bench.txt.
bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target kortvy_bench
	@cd $(BUILD) && ./bench/kortvy_bench bench.txt bench-data

# Every fuzz target under libFuzzer (clang, with AddressSanitizer and UBSan), built from the
# programs' own libraries, each for FUZZ_SECONDS from its seeds (fuzz/targets.txt lists the
# targets, their seed folders and limits). New inputs gather in $(FUZZ_BUILD)/runs/<target>/corpus;
# an input that fails is written to $(FUZZ_BUILD)/runs/<target>/artifacts and belongs among the
# seeds, where the robustness tests replay it. FUZZ_SECONDS=0 only replays the seeds, as CI does.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	@bash scripts/install-deps.sh --fuzz
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DKORTVY_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_BUILD ?= build-sanitize
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DKORTVY_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && LSAN_OPTIONS=suppressions=$(abspath tests/support/lsan.supp) ctest --output-on-failure -j $(JOBS)

# The README's pictures of the game, the supervisor tool and "Kortlekar", made anew from the
# programs on a virtual X server.
screenshots: build
	@bash scripts/install-deps.sh --screenshots
	@bash scripts/screenshots.sh $(BUILD) . docs/screenshots

clean:
	rm -rf $(BUILD)
