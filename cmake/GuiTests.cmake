# GUI test suites of the Windows build: GoogleTest programs that start the real window
# programs under Wine (through CMAKE_CROSSCOMPILING_EMULATOR) and drive them from outside
# with the library in tests/gui/automation.
#
#   cw_gui_test_suite(name dir [LIBS] lib... [DEPENDS target...] [ENVIRONMENT VAR=value...]
#                     [ENGLISH_TESTS gtest-pattern])
#
# builds every .cpp below `dir` into `name`, linked with the automation library, the test
# support library (scratch folders) and a main that skips the suite (exit code 77) when there
# is no display. The test sees
#   CW_BIN_DIR         the folder of the programs (bin/ of the build tree)
#   CW_SCREENSHOT_DIR  ${CMAKE_BINARY_DIR}/screenshots/<name>, made by the run
#   CW_SOURCE_DIR      the top of the source tree
# GUI suites share the one display, so they never run at the same time (RESOURCE_LOCK).
# DEPENDS names the programs the suite starts; they are built before it.
# ENGLISH_TESTS names tests (a GoogleTest filter such as "*English*") that run in a second
# CTest test, <name>_english, with an English user interface (CW_UI_LANGUAGE=english, see
# tools/wine-run.sh); the first run leaves them out.
function(cw_gui_test_suite name dir)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "ENGLISH_TESTS" "LIBS;DEPENDS;ENVIRONMENT" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_UNPARSED_ARGUMENTS} ${ARG_LIBS} cw_gui_automation
                        cw_gui_test_main cw_test_support)
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  set(screenshots ${CMAKE_BINARY_DIR}/screenshots/${name})
  set(environment CW_BIN_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY} CW_SCREENSHOT_DIR=${screenshots}
      CW_SOURCE_DIR=${PROJECT_SOURCE_DIR} ${ARG_ENVIRONMENT})
  if(ARG_ENGLISH_TESTS)
    add_test(NAME ${name} COMMAND ${name} --gtest_filter=-${ARG_ENGLISH_TESTS})
    add_test(NAME ${name}_english COMMAND ${name} --gtest_filter=${ARG_ENGLISH_TESTS})
    set_tests_properties(${name}_english PROPERTIES ENVIRONMENT "${environment};CW_UI_LANGUAGE=english")
    set(tests ${name} ${name}_english)
  else()
    add_test(NAME ${name} COMMAND ${name})
    set(tests ${name})
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
  set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK display SKIP_RETURN_CODE 77 LABELS gui)
endfunction()
