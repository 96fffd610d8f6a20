# The commands: `make run` builds and starts the program, `make test` builds and runs every test,
# `make dist` builds the Windows installers and zips, `make shot` takes a screenshot of `make run`,
# `make bench` prints the performance table, `make fuzz FUZZ_SECONDS=600` runs every fuzz target,
# `make docs-pictures` makes the README's pictures anew, `make faults` plants each fault of tests/faults/
# in turn and shows which test catches it.
.PHONY: run test dist shot bench fuzz docs-pictures faults clean
run:
	@scripts/run.sh
test:
	@scripts/test.sh
dist:
	@scripts/dist.sh
shot:
	@scripts/shot.sh
bench:
	@scripts/bench.sh
fuzz:
	@FUZZ_SECONDS=$(or $(FUZZ_SECONDS),600) scripts/fuzz.sh
docs-pictures:
	@scripts/docs-pictures.sh
faults:
	@nice tests/faults/run.sh $(if $(FAULTS_OUT),-o $(FAULTS_OUT)) $(FAULTS)
clean:
	rm -rf build
