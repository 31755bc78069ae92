# The console program's exit codes, messages and output file.
# Run as: cmake -DCLI=... -DMAKE_BMP=... -DWORK=... [-DEMULATOR=...] [-DDJPEG=...] -P cli_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run expected_rc)
  execute_process(COMMAND ${EMULATOR} ${CLI} ${ARGN}
    RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  if(NOT rc STREQUAL expected_rc)
    message(FATAL_ERROR "doodlebinder-export ${ARGN}: exit ${rc}, expected ${expected_rc}\n${err}")
  endif()
  set(stderr "${err}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${EMULATOR} ${MAKE_BMP} ${WORK}/day.bmp RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not make the test bitmap")
endif()

# Written: a JPEG that starts with SOI and APP0.
file(WRITE ${WORK}/day.jpg "an older file")
run(0 jpeg ${WORK}/day.bmp ${WORK}/day.jpg)
file(READ ${WORK}/day.jpg head LIMIT 4 HEX)
if(NOT head STREQUAL "ffd8ffe0")
  message(FATAL_ERROR "day.jpg does not start like a JFIF file: ${head}")
endif()
if(DJPEG)
  execute_process(COMMAND ${DJPEG} -outfile ${WORK}/day.ppm ${WORK}/day.jpg RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "djpeg: ${rc} ${err}")
  endif()
endif()

# Bad usage.
run(64)
run(64 html)
run(64 jpeg ${WORK}/day.bmp)
run(64 jpeg ${WORK}/day.bmp ${WORK}/a.jpg extra)

# Refused input: the reason with the program's message text, and no file.
run(3 jpeg ${WORK}/missing.bmp ${WORK}/missing.jpg)
if(NOT stderr MATCHES "\\[123456789012345\\]")
  message(FATAL_ERROR "no message text for a missing bitmap: ${stderr}")
endif()
run(3 jpeg ${WORK}/day.jpg ${WORK}/notbmp.jpg)
if(NOT stderr MATCHES "\\[1234567890'BM'12345678\\]")
  message(FATAL_ERROR "no message text for a file that is not a bitmap: ${stderr}")
endif()
if(EXISTS ${WORK}/missing.jpg OR EXISTS ${WORK}/notbmp.jpg)
  message(FATAL_ERROR "a refused bitmap left a JPEG file")
endif()

# Output that cannot be written.
run(3 jpeg ${WORK}/day.bmp ${WORK}/no-such-folder/day.jpg)
if(NOT stderr MATCHES "cannot write")
  message(FATAL_ERROR "no reason for a failed write: ${stderr}")
endif()
file(REMOVE_RECURSE ${WORK})
