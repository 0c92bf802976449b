# `cmake --install` lays the programs out as users run them.
#
# Linux: bin/ with the three console programs, their manual pages under share/man/man1 and the
# documentation (README, copyright with the licences, changelog) under share/doc/chimewright.
# Windows: one folder with every program side by side (chimewright finds tarnwick beside
# itself), the README and the licences.

include(GNUInstallDirs)

set(CW_CONSOLE_PROGRAMS chimewright-cli tarnwick-cli voxreel-cli)
# The window programs join when they are built (Windows only).
set_property(GLOBAL APPEND PROPERTY CW_INSTALLED_PROGRAMS ${CW_CONSOLE_PROGRAMS})

# The libraries linked into the programs, as name=licence-file pairs. The Windows build links
# libogg and libvorbis statically from their sources and takes their own licence files; Linux
# links Debian's shared libraries and names their Debian copyright files.
get_property(cw_third_party_licenses GLOBAL PROPERTY CW_THIRD_PARTY_LICENSES)
if(NOT cw_third_party_licenses AND NOT WIN32)
  set(cw_third_party_licenses libogg=/usr/share/doc/libogg0/copyright
      libvorbis=/usr/share/doc/libvorbis0a/copyright)
endif()

if(WIN32)
  set(cw_program_dir .)
  set(cw_doc_dir .)
  set(cw_license_dir licenses)
else()
  set(cw_program_dir ${CMAKE_INSTALL_BINDIR})
  set(cw_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/chimewright)
  set(cw_license_dir ${cw_doc_dir}/licenses)
endif()

# Deferred to the end of the configuration, so the window programs' folders have added theirs.
function(cw_install_programs)
  get_property(programs GLOBAL PROPERTY CW_INSTALLED_PROGRAMS)
  install(TARGETS ${programs} RUNTIME DESTINATION ${cw_program_dir})
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL cw_install_programs)

install(FILES README.md DESTINATION ${cw_doc_dir})
foreach(entry IN LISTS cw_third_party_licenses)
  string(REPLACE "=" ";" pair ${entry})
  list(GET pair 0 library)
  list(GET pair 1 file)
  install(FILES ${file} DESTINATION ${cw_license_dir} RENAME ${library}.txt)
endforeach()

if(WIN32)
  install(FILES LICENSE DESTINATION ${cw_license_dir} RENAME chimewright.txt)
  return()
endif()

# Debian wants the licence as doc/<package>/copyright, the manual pages and the changelog
# compressed.
set(cw_generated_docs ${CMAKE_BINARY_DIR}/installed-docs)
file(MAKE_DIRECTORY ${cw_generated_docs})
# The project's licence as the body of a machine-readable copyright file: one space before
# every line, " ." for an empty one.
file(STRINGS LICENSE cw_license_lines)
list(REMOVE_AT cw_license_lines 0 1) # the title line "MIT License" and the blank after it
set(CW_LICENSE_TEXT "")
foreach(line IN LISTS cw_license_lines)
  if(line STREQUAL "")
    string(APPEND CW_LICENSE_TEXT " .\n")
  else()
    string(APPEND CW_LICENSE_TEXT " ${line}\n")
  endif()
endforeach()
string(REGEX REPLACE "\n$" "" CW_LICENSE_TEXT "${CW_LICENSE_TEXT}")
configure_file(cmake/copyright.in ${cw_generated_docs}/copyright @ONLY)
configure_file(cmake/changelog.in ${cw_generated_docs}/changelog @ONLY)
set(cw_compressed_docs)
foreach(page chimewright tarnwick voxreel)
  list(APPEND cw_compressed_pages ${cw_generated_docs}/${page}.1.gz)
  add_custom_command(OUTPUT ${cw_generated_docs}/${page}.1.gz
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/docs/man/${page}.1 > ${cw_generated_docs}/${page}.1.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}.1 VERBATIM)
endforeach()
add_custom_command(OUTPUT ${cw_generated_docs}/changelog.gz
  COMMAND gzip -9n -c ${cw_generated_docs}/changelog > ${cw_generated_docs}/changelog.gz
  DEPENDS ${cw_generated_docs}/changelog VERBATIM)
add_custom_target(cw_installed_docs ALL DEPENDS ${cw_compressed_pages} ${cw_generated_docs}/changelog.gz)

install(FILES ${cw_compressed_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${cw_generated_docs}/copyright ${cw_generated_docs}/changelog.gz
        DESTINATION ${cw_doc_dir})
