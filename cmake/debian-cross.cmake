# SPDX-License-Identifier: ISC
# Debian's cross compiler for the architecture DEB_HOST_ARCH (arm64,
# s390x, ...), with the flags that dpkg-buildflags gives the package on
# that architecture; the programs and the suite run under qemu-user, with
# the architecture's libraries as its root.  Nothing is registered with
# the system.  The preset cross uses it, with debhelper's build type.
# Run as a script, it prints the programs that a build for DEB_HOST_ARCH
# runs, one a line, and checks for none of them:
#   cmake -DDEB_HOST_ARCH=s390x -P cmake/debian-cross.cmake
if(NOT DEB_HOST_ARCH)
  message(FATAL_ERROR "DEB_HOST_ARCH names the Debian architecture to build for, such as arm64")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DEB_HOST_ARCH)

foreach(tool dpkg-architecture dpkg-buildflags)
  find_program(${tool}_program ${tool})
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
# qemu names its programs for the CPU, which differs from the triplet's
# first part for little-endian POWER and 32-bit x86 alone.
string(REGEX REPLACE "^powerpc64le$" ppc64le qemu ${cpu})
string(REGEX REPLACE "^i[3-6]86$" i386 qemu ${qemu})
set(qemu qemu-${qemu})
set(compiler ${triplet}-g++)

if(CMAKE_SCRIPT_MODE_FILE)
  message("${compiler}\n${qemu}")
  return()
endif()

find_program(compiler_program ${compiler})
find_program(qemu_program ${qemu})
if(NOT compiler_program)
  # A package's name has no underscore where the triplet has one (x86_64).
  string(REPLACE "_" "-" package g++-${triplet})
  message(FATAL_ERROR "no ${compiler}, Debian's cross compiler for ${DEB_HOST_ARCH}: "
    "apt-get install ${package}")
endif()
if(NOT qemu_program)
  message(FATAL_ERROR "no ${qemu}, to run the programs built for ${DEB_HOST_ARCH}: "
    "apt-get install qemu-user")
endif()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${cpu})
set(CMAKE_CXX_COMPILER ${compiler_program})

# The package's flags, as debhelper passes them to CMake: CXXFLAGS with
# CPPFLAGS after them, and LDFLAGS, under the maintainer's options that
# debian/rules sets.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../debian/rules options
  REGEX "^export DEB_BUILD_MAINT_OPTIONS = ")
string(REGEX REPLACE "^export DEB_BUILD_MAINT_OPTIONS = " "" options "${options}")
foreach(flags CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(COMMAND env DEB_HOST_ARCH=${DEB_HOST_ARCH}
    DEB_BUILD_MAINT_OPTIONS=${options} ${dpkg-buildflags_program} --get ${flags}
    OUTPUT_VARIABLE ${flags} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(CMAKE_CXX_FLAGS_INIT "${CXXFLAGS} ${CPPFLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${LDFLAGS}")

set(CMAKE_CROSSCOMPILING_EMULATOR ${qemu_program} -L /usr/${triplet})
