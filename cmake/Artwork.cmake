# Icons and bitmaps of the Windows programs, drawn at build time by tools/artwork into
# ${CMAKE_BINARY_DIR}/artwork, and the resource scripts that take them.
#
#   cw_windows_resources(target RC_FILE)
#
# compiles RC_FILE with windres into `target`, with the artwork folder on its include path
# (so the script names an image by its file name alone, ICON "voxreel.ico"), after the images
# are drawn and again whenever they change.
#
# In a cross build the tool is compiled with the host's C++ compiler, since it runs here;
# in a native Windows build it is an ordinary target.

set(CW_ARTWORK_DIR ${CMAKE_BINARY_DIR}/artwork)
set(CW_ARTWORK_STAMP ${CW_ARTWORK_DIR}/images.stamp)
file(GLOB CW_ARTWORK_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/artwork/*.cpp
     ${PROJECT_SOURCE_DIR}/tools/artwork/*.hpp)

if(CMAKE_CROSSCOMPILING)
  find_program(CW_HOST_CXX NAMES c++ g++ clang++ REQUIRED
               DOC "C++ compiler of the build machine, for the tools that run during the build")
  set(CW_ARTWORK_TOOL ${CMAKE_BINARY_DIR}/host-tools/cw-artwork)
  set(tool_sources ${CW_ARTWORK_SOURCES})
  list(FILTER tool_sources INCLUDE REGEX "\\.cpp$")
  add_custom_command(
    OUTPUT ${CW_ARTWORK_TOOL}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
    COMMAND ${CW_HOST_CXX} -std=c++20 -O2 -I${PROJECT_SOURCE_DIR} ${tool_sources} -o ${CW_ARTWORK_TOOL}
    DEPENDS ${CW_ARTWORK_SOURCES}
    COMMENT "Building the artwork tool for the build machine"
    VERBATIM)
  set(tool_dependency ${CW_ARTWORK_TOOL})
else()
  # tools/artwork/CMakeLists.txt defines it (tools/ is part of every native build).
  set(CW_ARTWORK_TOOL $<TARGET_FILE:cw-artwork>)
  set(tool_dependency cw-artwork)
endif()

add_custom_command(
  OUTPUT ${CW_ARTWORK_STAMP}
  COMMAND ${CW_ARTWORK_TOOL} ${CW_ARTWORK_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${CW_ARTWORK_STAMP}
  DEPENDS ${tool_dependency} ${CW_ARTWORK_SOURCES}
  COMMENT "Drawing the icons and bitmaps into ${CW_ARTWORK_DIR}"
  VERBATIM)
add_custom_target(cw_artwork DEPENDS ${CW_ARTWORK_STAMP})

function(cw_windows_resources target rc_file)
  get_filename_component(rc_path ${rc_file} ABSOLUTE)
  target_sources(${target} PRIVATE ${rc_path})
  set_property(SOURCE ${rc_path} APPEND PROPERTY INCLUDE_DIRECTORIES ${CW_ARTWORK_DIR})
  set_property(SOURCE ${rc_path} APPEND PROPERTY OBJECT_DEPENDS ${CW_ARTWORK_STAMP})
  add_dependencies(${target} cw_artwork)
endfunction()
