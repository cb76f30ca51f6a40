# Read by ctest before it runs anything (the TEST_INCLUDE_FILES of this
# folder): the ctest tests of win_tests.exe. Each costs a Wine process, and a
# Wine start costs more than most suites, so a suite's cases share one:
# win.<Suite>.* runs --gtest_filter=<Suite>.*. A suite whose cases start the
# real program (its source includes support/app_fixture.h) gets a process per
# case, win.<Suite>.<Case>: the program's global objects start once per
# process, as they do in the program.
#
# The list comes from the exe itself (--gtest_list_tests, under the
# emulator) and is kept in tests_file until the exe or this file changes.
#   Set by the including file: exe, emulator, source_dir, tests_file, properties.

cmake_policy(SET CMP0057 NEW)

if(NOT EXISTS "${exe}")
  add_test(win.NOT_BUILT "${exe}")
  return()
endif()

function(write_wine_tests)
  execute_process(COMMAND ${emulator} "${exe}" --gtest_list_tests
                  OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE rc TIMEOUT 120)
  if(NOT rc EQUAL 0)
    # No list: one failing test that shows why, and a new try next time.
    file(WRITE "${tests_file}.failed" "${exe} --gtest_list_tests: ${rc}\n${listing}${errors}")
    file(REMOVE "${tests_file}")
    return()
  endif()

  # The suites that start the program.
  set(fresh_suites "")
  file(GLOB_RECURSE sources "${source_dir}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "#include \"support/app_fixture.h\"")
    if(includes)
      file(STRINGS "${source}" definitions REGEX "^TEST(_F|_P)?\\([A-Za-z0-9_]+")
      foreach(test IN LISTS definitions)
        string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+).*" "\\2" suite "${test}")
        list(APPEND fresh_suites "${suite}")
      endforeach()
    endif()
  endforeach()

  # "Suite." lines, each followed by its "  Case" lines; a value-parameterized
  # suite is "Instance/Suite." with "  Case/0  # GetParam() = ...".
  string(REPLACE "\r" "" listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")
  set(script "")
  set(suite "")
  set(cases 0)
  set(tests 0)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE " *#.*" "" line "${line}")
    if(line MATCHES "^([^ ]+)\\.$")
      set(suite "${CMAKE_MATCH_1}")
      string(REGEX REPLACE ".*/" "" base "${suite}")
      if(base IN_LIST fresh_suites)
        set(fresh TRUE)
      else()
        set(fresh FALSE)
        math(EXPR tests "${tests} + 1")
        set(name "win.${suite}.*")
        string(APPEND script "add_test([==[${name}]==] [==[${emulator}]==] [==[${exe}]==] [==[--gtest_filter=${suite}.*]==])\n"
                             "set_tests_properties([==[${name}]==] PROPERTIES ${properties})\n")
      endif()
    elseif(suite AND line MATCHES "^  ([^ ]+)$")
      math(EXPR cases "${cases} + 1")
      if(NOT fresh)
        continue()
      endif()
      math(EXPR tests "${tests} + 1")
      set(name "win.${suite}.${CMAKE_MATCH_1}")
      string(APPEND script "add_test([==[${name}]==] [==[${emulator}]==] [==[${exe}]==] [==[--gtest_filter=${suite}.${CMAKE_MATCH_1}]==])\n"
                           "set_tests_properties([==[${name}]==] PROPERTIES ${properties} SKIP_REGULAR_EXPRESSION [==[\\[  SKIPPED \\]]==])\n")
    endif()
  endforeach()
  file(WRITE "${tests_file}" "# ${cases} GoogleTest cases in ${tests} ctest tests\n${script}")
  file(REMOVE "${tests_file}.failed")
endfunction()

if(NOT EXISTS "${tests_file}" OR "${exe}" IS_NEWER_THAN "${tests_file}"
   OR "${CMAKE_CURRENT_LIST_FILE}" IS_NEWER_THAN "${tests_file}")
  write_wine_tests()
endif()
if(EXISTS "${tests_file}")
  include("${tests_file}")
else()
  add_test(win.gtest_list_tests cat "${tests_file}.failed")
  set_tests_properties(win.gtest_list_tests PROPERTIES WILL_FAIL TRUE LABELS wine)
endif()
