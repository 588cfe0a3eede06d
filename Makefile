# Two commands do all the set-up on a fresh Debian machine:
#   make run    installs what is missing, builds and starts the player
#   make test   installs what is missing, builds and passes the tests
#   make install                     installs for all users under /usr/local
#   make install PREFIX=~/.local     installs for one user
#   make deb                         builds the Debian package build/deb/tarvo_<version>_<arch>.deb
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: run test bench fuzz setup build install deb clean

setup:
	bash scripts/setup.sh

build: setup
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_BUILD_TESTS=OFF
	cmake --build build/release -j $(JOBS)

install: build
	cmake --install build/release --prefix $(PREFIX)

deb: setup
	bash scripts/deb.sh

run: build
	./build/release/app/tarvo

test: setup
	bash scripts/test.sh

bench:
	bash scripts/setup.sh bench
	bash scripts/bench.sh

# Every fuzz target for FUZZ_SECONDS seconds each (default 300).
FUZZ_SECONDS ?= 300
fuzz: setup
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash scripts/fuzz.sh

clean:
	rm -rf build
