# The two commands: `make run` builds and starts the program, `make test` builds and runs every test.
.PHONY: run test clean
run:
	@scripts/run.sh
test:
	@scripts/test.sh
clean:
	rm -rf build
