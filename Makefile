# The two commands: `make run` builds and opens Files, `make test` builds with sanitizers and
# runs every test. `make bench` prints the side-by-side benchmark figures.
.PHONY: run test bench build-release build-test deps clean format

JOBS ?= $(shell nproc)
RELEASE := build/release
TEST := build/test
BENCH := build/bench
ARGS ?=

deps:
	@scripts/install-deps

build-release: deps
	@cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DFILES_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS) --target file-explorer

run: build-release
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display: run headless with '$(RELEASE)/apps/file-explorer/file-explorer --screenshot grid --output shot.png --path DIR' or 'xvfb-run make run'."; \
	  exit 1; \
	fi
	@$(RELEASE)/apps/file-explorer/file-explorer $(ARGS)

build-test: deps
	@cmake -S . -B $(TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFILES_SANITIZE=ON >/dev/null
	@cmake --build $(TEST) -j $(JOBS)

test: build-test
	@cd $(TEST) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@scripts/install-deps --bench
	@cmake -S . -B $(BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DFILES_TESTS=OFF -DFILES_BENCH=ON >/dev/null
	@cmake --build $(BENCH) -j $(JOBS)
	@bench/run-all $(BENCH)

format:
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	rm -rf build
