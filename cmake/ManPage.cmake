# Writes the man page, compressed as Debian keeps them, from the help of the
# program just built:
#   cmake -DPROGRAM=hekira -DVERSION=0.1.0 -DOUTPUT=hekira.1.gz -P ManPage.cmake
# The date is SOURCE_DATE_EPOCH's when set, and gzip records no time, so that a
# rebuild gives the same bytes.
string(TIMESTAMP date "%Y-%m-%d" UTC)
execute_process(
  COMMAND "${PROGRAM}" --help
  COMMAND awk -v "version=${VERSION}" -v "date=${date}" -f "${CMAKE_CURRENT_LIST_DIR}/manpage.awk"
  COMMAND gzip -9n
  OUTPUT_FILE "${OUTPUT}.new"
  RESULTS_VARIABLE results)
if(NOT results STREQUAL "0;0;0")
  file(REMOVE "${OUTPUT}.new")
  message(FATAL_ERROR "hekira --help | awk | gzip failed: ${results}")
endif()
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
