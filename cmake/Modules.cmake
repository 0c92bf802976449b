# The checkout's top folder: the fuzz project (fuzz/) builds the same modules as its own project.
get_filename_component(CW_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

# Each module folder is one static library of the .cpp files it holds; new files join their
# module without touching the build scripts.
function(cw_module target)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CW_SOURCE_ROOT})
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
endfunction()

# One GoogleTest executable per test folder, run by CTest (under Wine for the Windows build,
# through CMAKE_CROSSCOMPILING_EMULATOR).
function(cw_test_suite name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} cw_test_support GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "CW_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
