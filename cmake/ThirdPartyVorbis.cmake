# libogg and libvorbis for the Windows build, compiled from Debian's source packages with this
# build's own toolchain and linked statically.
#
# The sources are fetched once per build tree with "apt-get source" through a private APT
# configuration under <build>/third_party/apt: its own source list (the system's Debian entries
# turned into deb-src entries), its own state and cache. The system's APT configuration is read
# for nothing but those entries and is never changed. Nothing of the sources is kept in the
# repository.
#
# Where APT is not available (a Windows host), point CW_OGG_SOURCE_DIR and CW_VORBIS_SOURCE_DIR
# at unpacked source trees instead. CW_APT_SOURCES_FILE may name a ready deb-src source list
# (one-line or deb822 format) to use instead of the derived one.
#
# Defines the static libraries cw_ogg_static, cw_vorbis_static, cw_vorbisenc_static and
# cw_vorbisfile_static.

set(CW_OGG_SOURCE_DIR "" CACHE PATH "Unpacked libogg sources (fetched with APT when empty)")
set(CW_VORBIS_SOURCE_DIR "" CACHE PATH "Unpacked libvorbis sources (fetched with APT when empty)")
set(CW_APT_SOURCES_FILE "" CACHE FILEPATH "deb-src source list for fetching libogg and libvorbis")

set(cw_third_party ${CMAKE_BINARY_DIR}/third_party)

# The system's Debian archive entries, as deb-src entries in deb822 form.
function(cw_debian_source_entries out)
  set(entries "")
  file(GLOB parts /etc/apt/sources.list.d/*.sources)
  foreach(part IN LISTS parts)
    file(READ ${part} text)
    string(REPLACE "\n\n" ";" stanzas "${text}")
    foreach(stanza IN LISTS stanzas)
      if(stanza MATCHES "(^|\n)Types:[^\n]*deb" AND stanza MATCHES "(^|\n)URIs:[^\n]*debian"
         AND NOT stanza MATCHES "(^|\n)Enabled:[ \t]*no")
        string(REGEX REPLACE "(^|\n)Types:[^\n]*" "\\1Types: deb-src" stanza "${stanza}")
        string(APPEND entries "${stanza}\n\n")
      endif()
    endforeach()
  endforeach()

  file(GLOB lists /etc/apt/sources.list /etc/apt/sources.list.d/*.list)
  foreach(list IN LISTS lists)
    file(STRINGS ${list} lines REGEX "^[ \t]*deb[ \t]")
    foreach(line IN LISTS lines)
      if(line MATCHES "debian")
        string(REGEX REPLACE "^[ \t]*deb[ \t]+(\\[[^]]*\\][ \t]+)?([^ \t]+)[ \t]+([^ \t]+)[ \t]+(.*)$"
               "Types: deb-src\nURIs: \\2\nSuites: \\3\nComponents: \\4\n\n" stanza "${line}")
        if(CMAKE_MATCH_1 MATCHES "signed-by=([^] \t]+)")
          string(REPLACE "\n\n" "\nSigned-By: ${CMAKE_MATCH_1}\n\n" stanza "${stanza}")
        endif()
        string(APPEND entries "${stanza}")
      endif()
    endforeach()
  endforeach()

  if(entries STREQUAL "")
    # Nothing usable configured: the main archive of the running release.
    set(codename bookworm)
    if(EXISTS /etc/os-release)
      file(STRINGS /etc/os-release line REGEX "^VERSION_CODENAME=")
      string(REGEX REPLACE "^VERSION_CODENAME=\"?([a-z]+)\"?$" "\\1" found "${line}")
      if(found)
        set(codename ${found})
      endif()
    endif()
    set(entries "Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: ${codename}\nComponents: main\n")
  endif()
  set(${out} "${entries}" PARENT_SCOPE)
endfunction()

# apt-get source libogg libvorbis into <build>/third_party/src, once.
function(cw_fetch_vorbis_sources)
  set(apt ${cw_third_party}/apt)
  set(src ${cw_third_party}/src)
  set(stamp ${src}/fetched.stamp)
  if(EXISTS ${stamp})
    return()
  endif()

  find_program(CW_APT_GET apt-get)
  find_program(CW_DPKG_SOURCE dpkg-source)
  if(NOT CW_APT_GET OR NOT CW_DPKG_SOURCE)
    message(FATAL_ERROR "The Windows build compiles libogg and libvorbis from Debian's source "
                        "packages and needs apt-get and dpkg-source (package dpkg-dev); or set "
                        "CW_OGG_SOURCE_DIR and CW_VORBIS_SOURCE_DIR to unpacked sources.")
  endif()

  file(REMOVE_RECURSE ${apt} ${src})
  file(MAKE_DIRECTORY ${apt}/sources.list.d ${apt}/state/lists/partial
       ${apt}/cache/archives/partial ${src})
  file(TOUCH ${apt}/state/status)
  if(CW_APT_SOURCES_FILE)
    get_filename_component(name ${CW_APT_SOURCES_FILE} NAME)
    configure_file(${CW_APT_SOURCES_FILE} ${apt}/sources.list.d/${name} COPYONLY)
  else()
    cw_debian_source_entries(entries)
    file(WRITE ${apt}/sources.list.d/debian-src.sources "${entries}")
  endif()

  set(options
    -o Dir::Etc::sourcelist=${apt}/sources.list
    -o Dir::Etc::sourceparts=${apt}/sources.list.d
    -o Dir::State=${apt}/state
    -o Dir::State::status=${apt}/state/status
    -o Dir::Cache=${apt}/cache
    # The downloads land in the build tree, which APT's unprivileged download user may not be
    # able to write to.
    -o APT::Sandbox::User=root)

  message(STATUS "Fetching Debian's libogg and libvorbis sources")
  execute_process(COMMAND ${CW_APT_GET} ${options} -q update
                  RESULT_VARIABLE failed OUTPUT_FILE ${apt}/update.log ERROR_FILE ${apt}/update.log)
  if(failed)
    message(FATAL_ERROR "apt-get update with the private source list failed; see ${apt}/update.log")
  endif()
  execute_process(COMMAND ${CW_APT_GET} ${options} -q source libogg libvorbis
                  WORKING_DIRECTORY ${src}
                  RESULT_VARIABLE failed OUTPUT_FILE ${apt}/source.log ERROR_FILE ${apt}/source.log)
  if(failed)
    message(FATAL_ERROR "apt-get source libogg libvorbis failed; see ${apt}/source.log")
  endif()
  file(TOUCH ${stamp})
endfunction()

# The unpacked tree of a source package: <src>/<name>-<upstream version>.
function(cw_unpacked_tree out name marker)
  file(GLOB trees LIST_DIRECTORIES true ${cw_third_party}/src/${name}-*)
  foreach(tree IN LISTS trees)
    if(IS_DIRECTORY ${tree} AND EXISTS ${tree}/${marker})
      set(${out} ${tree} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "No unpacked ${name} sources under ${cw_third_party}/src")
endfunction()

if(NOT CW_OGG_SOURCE_DIR OR NOT CW_VORBIS_SOURCE_DIR)
  cw_fetch_vorbis_sources()
  cw_unpacked_tree(cw_ogg_tree libogg src/framing.c)
  cw_unpacked_tree(cw_vorbis_tree libvorbis lib/vorbisenc.c)
else()
  set(cw_ogg_tree ${CW_OGG_SOURCE_DIR})
  set(cw_vorbis_tree ${CW_VORBIS_SOURCE_DIR})
endif()
# Their licences travel with the programs they are linked into.
set_property(GLOBAL PROPERTY CW_THIRD_PARTY_LICENSES libogg=${cw_ogg_tree}/COPYING
             libvorbis=${cw_vorbis_tree}/COPYING)
message(STATUS "libogg from ${cw_ogg_tree}")
message(STATUS "libvorbis from ${cw_vorbis_tree}")

# Fixed-width types for libogg's public header, as its own build fills them in.
set(INCLUDE_INTTYPES_H 1)
set(INCLUDE_STDINT_H 1)
set(INCLUDE_SYS_TYPES_H 1)
set(SIZE16 int16_t)
set(USIZE16 uint16_t)
set(SIZE32 int32_t)
set(USIZE32 uint32_t)
set(SIZE64 int64_t)
set(USIZE64 uint64_t)
configure_file(${cw_ogg_tree}/include/ogg/config_types.h.in
               ${cw_third_party}/include/ogg/config_types.h @ONLY)

# The flags Debian's build of the libraries ends up with on x86-64 (their own -O3 is overridden
# by the distribution's -O2), so that both builds encode the same audio; their warnings are not
# ours.
set(cw_vorbis_flags -O2 -ffast-math -fsigned-char -D_REENTRANT -w)

add_library(cw_ogg_static STATIC ${cw_ogg_tree}/src/bitwise.c ${cw_ogg_tree}/src/framing.c)
target_include_directories(cw_ogg_static SYSTEM PUBLIC ${cw_ogg_tree}/include
                           ${cw_third_party}/include)
target_compile_options(cw_ogg_static PRIVATE ${cw_vorbis_flags})

set(cw_vorbis_sources mdct smallft block envelope window lsp lpc analysis synthesis psy info
    floor1 floor0 res0 mapping0 registry codebook sharedbook lookup bitrate)
list(TRANSFORM cw_vorbis_sources PREPEND ${cw_vorbis_tree}/lib/)
list(TRANSFORM cw_vorbis_sources APPEND .c)
add_library(cw_vorbis_static STATIC ${cw_vorbis_sources})
target_include_directories(cw_vorbis_static SYSTEM PUBLIC ${cw_vorbis_tree}/include)
target_include_directories(cw_vorbis_static PRIVATE ${cw_vorbis_tree}/lib)
target_compile_options(cw_vorbis_static PRIVATE ${cw_vorbis_flags})
target_link_libraries(cw_vorbis_static PUBLIC cw_ogg_static)

foreach(part vorbisenc vorbisfile)
  add_library(cw_${part}_static STATIC ${cw_vorbis_tree}/lib/${part}.c)
  target_include_directories(cw_${part}_static PRIVATE ${cw_vorbis_tree}/lib)
  target_compile_options(cw_${part}_static PRIVATE ${cw_vorbis_flags})
  target_link_libraries(cw_${part}_static PUBLIC cw_vorbis_static)
endforeach()
