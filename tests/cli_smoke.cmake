# SPDX-License-Identifier: GPL-3.0-or-later
# The rules of kestrix-cli that depend on the process rather than on Run's arguments, tried
# on the real executable: files go into the current directory, definition text is printed in
# the locale's encoding, and the README's command list is what --help prints.
#   cmake -DCLI=... -DSOURCE_DIR=... -DWORK_DIR=... -P cli_smoke.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(settings --settings "${WORK_DIR}/Kestrix.ini")

function(run expected_status)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "${ARGN}: exit status ${status}, not ${expected_status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(0 "${CLI}" ${settings} unit "${SOURCE_DIR}/examples/alarm.cd")
if(NOT EXISTS "${WORK_DIR}/alarm.pas")
  message(FATAL_ERROR "the unit did not go into the current directory: ${out}")
endif()

run(0 env LC_ALL=C.UTF-8 "${CLI}" ${settings} show "${SOURCE_DIR}/examples/alarm.cd")
string(FIND "${out}" "CopyrightLine: Copyright ©" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the copyright sign is not printed as UTF-8:\n${out}")
endif()

run(0 "${CLI}" --help)
file(READ "${SOURCE_DIR}/README.md" readme)
string(FIND "${readme}" "${out}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "README.md does not hold what kestrix-cli --help prints:\n${out}")
endif()
