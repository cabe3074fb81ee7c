# SPDX-License-Identifier: ISC
# Debian's cross compiler for the architecture DEB_HOST_ARCH (arm64,
# s390x, ...), with the flags that dpkg-buildflags gives there under the
# maintainer's options of debian/rules; the programs and the suite run
# under qemu-user, with the architecture's libraries as its root.  Nothing
# is registered with the system.  The preset cross adds the build type
# None: the flags and build type debhelper uses.  A build tree is for one
# architecture: configured again for another, it stops.
# Run as a script, it prints each program that a build for DEB_HOST_ARCH
# runs with the Debian package that gives it, and checks for none:
#   cmake -DDEB_HOST_ARCH=s390x -P cmake/debian-cross.cmake
if(NOT DEB_HOST_ARCH)
  message(FATAL_ERROR "DEB_HOST_ARCH names the Debian architecture to build for, such as arm64")
endif()
if(DEFINED CACHE{fscalls_cross_arch} AND NOT fscalls_cross_arch STREQUAL DEB_HOST_ARCH)
  message(FATAL_ERROR "this build tree is for ${fscalls_cross_arch}, not ${DEB_HOST_ARCH}: "
    "build ${DEB_HOST_ARCH} in a tree of its own, as the preset cross does")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DEB_HOST_ARCH)

foreach(tool dpkg-architecture dpkg-buildflags)
  find_program(${tool}_program ${tool} NO_CACHE)
  if(NOT ${tool}_program)
    message(FATAL_ERROR "a cross build needs ${tool}: apt-get install dpkg-dev")
  endif()
endforeach()
# dpkg-architecture warns on standard error that the host's C compiler
# is not the architecture's; what it says matters only when it fails.
execute_process(COMMAND ${dpkg-architecture_program} -a ${DEB_HOST_ARCH} -qDEB_HOST_GNU_TYPE
  OUTPUT_VARIABLE triplet OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_VARIABLE said RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "no Debian architecture ${DEB_HOST_ARCH}: ${said}")
endif()
string(REGEX REPLACE "-.*" "" cpu ${triplet})
# qemu names its programs for the CPU: as the triplet does for the
# architectures of debian/control but ppc64el, and for i386 (whose build
# the project refuses) otherwise too.  Other architectures are not tried.
string(REGEX REPLACE "^powerpc64le$" ppc64le qemu ${cpu})
string(REGEX REPLACE "^i686$" i386 qemu ${qemu})
set(qemu qemu-${qemu})
set(compiler ${triplet}-g++)
# A package's name has no underscore where the triplet has one (x86_64).
string(REPLACE "_" "-" package g++-${triplet})

if(CMAKE_SCRIPT_MODE_FILE)
  message("${compiler} ${package}\n${qemu} qemu-user")
  return()
endif()

# Found afresh at each configure, never kept in the cache.
find_program(compiler_program ${compiler} NO_CACHE)
find_program(qemu_program ${qemu} NO_CACHE)
find_program(make_program make NO_CACHE)
if(NOT compiler_program)
  message(FATAL_ERROR "no ${compiler}, Debian's cross compiler for ${DEB_HOST_ARCH}: "
    "apt-get install ${package}")
endif()
if(NOT qemu_program)
  message(FATAL_ERROR "no ${qemu}, to run the programs built for ${DEB_HOST_ARCH}: "
    "apt-get install qemu-user")
endif()
if(NOT make_program)
  message(FATAL_ERROR "make reads the options of debian/rules: apt-get install make")
endif()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${cpu})
set(CMAKE_CXX_COMPILER ${compiler_program})
set(fscalls_cross_arch ${DEB_HOST_ARCH} CACHE INTERNAL "the architecture of this build tree")

# The package's flags, as debhelper passes them to CMake: CXXFLAGS with
# CPPFLAGS after them, and LDFLAGS, under the maintainer's options as
# make reads them from debian/rules.
execute_process(COMMAND env -u MAKEFLAGS -u MAKELEVEL ${make_program} -s
  -f ${CMAKE_CURRENT_LIST_DIR}/../debian/rules
  --eval "fscalls-options: ; @echo $(DEB_BUILD_MAINT_OPTIONS)" fscalls-options
  OUTPUT_VARIABLE options OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_VARIABLE said RESULT_VARIABLE failed)
if(failed OR NOT options)
  message(FATAL_ERROR "debian/rules gives no DEB_BUILD_MAINT_OPTIONS that make can read: ${said}")
endif()
foreach(flags CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(COMMAND env DEB_HOST_ARCH=${DEB_HOST_ARCH}
    DEB_BUILD_MAINT_OPTIONS=${options} ${dpkg-buildflags_program} --get ${flags}
    OUTPUT_VARIABLE ${flags} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(CMAKE_CXX_FLAGS_INIT "${CXXFLAGS} ${CPPFLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${LDFLAGS}")

set(CMAKE_CROSSCOMPILING_EMULATOR ${qemu_program} -L /usr/${triplet})
