# The test that every message of the sources has its translation: lupdate gathers the
# messages into a copy of each .ts file, and a new or changed message shows up there as an
# unfinished entry, which check.cmake refuses.
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DFOLDERS="app;data;..." -DWORK_DIR=... -P current.cmake
file(MAKE_DIRECTORY "${WORK_DIR}")
foreach(ts IN ITEMS luckydraw_zh_CN.ts luckydraw_en.ts)
  file(COPY "${SOURCE_DIR}/translations/${ts}" DESTINATION "${WORK_DIR}")
  set(options -locations none -no-obsolete)
  if(ts MATCHES "_en\\.ts$")
    list(APPEND options -pluralonly -source-language en -target-language en)
  endif()
  execute_process(COMMAND "${LUPDATE}" -silent ${options} ${FOLDERS} -ts "${WORK_DIR}/${ts}"
                  WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${ts} (${status})")
  endif()
  set(TS "${WORK_DIR}/${ts}")
  include("${CMAKE_CURRENT_LIST_DIR}/check.cmake")
endforeach()
message(STATUS "Every message of the sources is translated.")
