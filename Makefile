# make play: install what is missing, build, generate the data, start the game.
# make test: the same set-up, then every test through ctest.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: play test build deps clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

play: build
	cd $(BUILD)/data && ../tavuna

test: build
	cd $(BUILD) && ctest --output-on-failure -j 2

clean:
	rm -rf $(BUILD)
