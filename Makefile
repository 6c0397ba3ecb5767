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

# The settings reader under libFuzzer (clang, with AddressSanitizer and UBSan) for
# FUZZ_SECONDS, from the seed corpus in fuzz/corpus. New inputs gather in
# $(FUZZ_BUILD)/corpus; an input that fails is written to $(FUZZ_BUILD)/artifacts and
# belongs in fuzz/corpus, where the robustness tests replay it.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	@bash scripts/install-deps.sh --fuzz
	@cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
	@cmake --build $(FUZZ_BUILD)
	@mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/artifacts
	@$(FUZZ_BUILD)/settings_fuzzer $(FUZZ_BUILD)/corpus fuzz/corpus \
	  -max_total_time=$(FUZZ_SECONDS) -timeout=5 -rss_limit_mb=1024 -malloc_limit_mb=64 \
	  -max_len=8192 -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/artifacts/ \
	  >$(FUZZ_BUILD)/fuzz.log 2>&1; status=$$?; \
	  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^Done|^stat::|^==[0-9]+==|^FAULT|^SUMMARY|^artifact_prefix' $(FUZZ_BUILD)/fuzz.log; \
	  echo "corpus: $$(ls fuzz/corpus | wc -l) seeds + $$(ls $(FUZZ_BUILD)/corpus | wc -l) found; log: $(FUZZ_BUILD)/fuzz.log"; \
	  exit $$status

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_BUILD ?= build-sanitize
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DKORTVY_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

# The README's pictures of the game, the supervisor tool and "Kortlekar", made anew from the
# programs on a virtual X server.
screenshots: build
	@bash scripts/install-deps.sh --screenshots
	@bash scripts/screenshots.sh $(BUILD) . docs/screenshots

clean:
	rm -rf $(BUILD)
