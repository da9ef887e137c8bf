# make play: install what is missing, build, generate the data, start the game.
# make test: the same set-up, then every test through ctest.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: play test build deps clean check-sanitize bench

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

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer
# in a build of its own, leak checks included; the monkey test is left out
# there (random input to a slowed binary finds nothing the plain run does
# not, and it would take as long again).  tests/sanitize/allegro.cfg says why
# the real binary runs without a sound driver there.  Then the race clock's
# tests under ThreadSanitizer: its tick runs on Allegro's timer thread.
# The soak runs 2000 frames a mode there: a frame costs about five times as
# much under the sanitizers.
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ALLEGRO=$(CURDIR)/tests/sanitize TAVUNA_SOAK_FRAMES=2000

# Frame costs headless on the real data (bench/README.md keeps the figures).
bench: build
	$(BUILD)/bench/frame_bench

check-sanitize: deps
	cmake -S . -B build-asan -DTAVUNA_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(SANITIZE_ENV) ctest --output-on-failure -j 2 -E 'e2e_monkey'
	cmake -S . -B build-tsan -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
	cmake --build build-tsan -j $(JOBS) --target game_tests
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build-tsan/tests/game/game_tests --gtest_filter='Clock.*'
