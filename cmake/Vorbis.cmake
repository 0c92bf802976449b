# libvorbis and libogg for the Android target.
#
# Two interface targets: cw_vorbis_encoder (vorbisenc, vorbis, ogg) for the programs and
# cw_vorbis_decoder (vorbisfile) for the tests that read back what was written.
# Linux takes Debian's libraries through pkg-config; the Windows build compiles them from
# Debian's source packages into the build tree (cmake/ThirdPartyVorbis.cmake).

if(TARGET cw_vorbis_encoder)
  return()
endif()

add_library(cw_vorbis_encoder INTERFACE)
add_library(cw_vorbis_decoder INTERFACE)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/ThirdPartyVorbis.cmake)
  target_link_libraries(cw_vorbis_encoder INTERFACE cw_vorbisenc_static cw_vorbis_static cw_ogg_static)
  target_link_libraries(cw_vorbis_decoder INTERFACE cw_vorbisfile_static cw_vorbis_static cw_ogg_static)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(CW_VORBISENC REQUIRED GLOBAL IMPORTED_TARGET vorbisenc vorbis ogg)
  pkg_check_modules(CW_VORBISFILE REQUIRED GLOBAL IMPORTED_TARGET vorbisfile vorbis ogg)
  target_link_libraries(cw_vorbis_encoder INTERFACE PkgConfig::CW_VORBISENC)
  target_link_libraries(cw_vorbis_decoder INTERFACE PkgConfig::CW_VORBISFILE)
endif()

# The Ogg tests in chimewright_tests read back what was written with libvorbis's own decoder.
# Linked once every folder has been read, when the test program exists.
function(cw_link_ogg_test_decoder)
  if(TARGET chimewright_tests)
    target_link_libraries(chimewright_tests PRIVATE cw_vorbis_decoder)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL cw_link_ogg_test_decoder)
