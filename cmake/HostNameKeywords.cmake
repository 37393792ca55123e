# Writes the gperf keyword file for the host function names (the benchmark
# measures gperf beside the registry's own hash): one keyword per
# MOBR_HOST_FN row of host_api.def, carrying its row number. Run in script mode:
#   cmake -DDEF=<host_api.def> -DOUT=<file.gperf> -P HostNameKeywords.cmake
file(STRINGS "${DEF}" rows REGEX "^MOBR_HOST_FN\\(")
set(body "")
set(slot 0)
foreach(row IN LISTS rows)
  if(NOT row MATCHES "^MOBR_HOST_FN\\([^,]+, *([A-Za-z_][A-Za-z_0-9]*) *,")
    message(FATAL_ERROR "host_api.def: cannot read the name of: ${row}")
  endif()
  string(APPEND body "${CMAKE_MATCH_1}, ${slot}\n")
  math(EXPR slot "${slot} + 1")
endforeach()
set(text "%{
// Generated from host_api.def by cmake/HostNameKeywords.cmake; do not edit.
%}
%language=C++
%struct-type
%readonly-tables
%global-table
%compare-lengths
%define class-name HostNameHash
%define lookup-function-name find
%define slot-name name
%define word-array-name kHostNameWords
%define initializer-suffix ,-1
struct HostNameSlot { const char* name; int slot; };
%%
${body}%%
constexpr int kHostNameCount = ${slot};
")
# Rewrite only when the content changed, so gperf and the compiler run only
# when a row was added, removed or renamed.
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUT}" "${text}")
