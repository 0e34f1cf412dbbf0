# One short fuzzing session: a fixed seed, a fixed number of inputs, the
# committed seeds read but never written (new inputs and any crash go to
# WORK_DIR, emptied first). Fails when the fuzzer reports a finding.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/corpus ${WORK_DIR}/artifacts)
execute_process(
  COMMAND ${FUZZER} -seed=1 -runs=${RUNS} -timeout=30 -print_final_stats=1
          -artifact_prefix=${WORK_DIR}/artifacts/ ${WORK_DIR}/corpus ${SEEDS}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${FUZZER} reported a finding (exit ${rc}); the input is in ${WORK_DIR}/artifacts")
endif()
