# The two commands of the README: `make run` and `make test`.
BUILD ?= build
PREFIX ?= /usr/local
DEMO  ?= $(BUILD)/demo
JOBS  ?= $(shell nproc)

.PHONY: all deps configure build test run supervisor install package bench clean

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

clean:
	rm -rf $(BUILD)
