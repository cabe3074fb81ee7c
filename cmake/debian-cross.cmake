# SPDX-License-Identifier: ISC
# Debian's cross compiler for the architecture DEB_HOST_ARCH (arm64,
# s390x, ...), with that architecture's package flags; the programs and
# the suite run under qemu-user, with the architecture's libraries as its
# root.  Nothing is registered with the system.
#   cmake -S . -B build-s390x --toolchain cmake/debian-cross.cmake -DDEB_HOST_ARCH=s390x
if(NOT DEB_HOST_ARCH)
  message(FATAL_ERROR "DEB_HOST_ARCH names the Debian architecture to build for, such as arm64")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DEB_HOST_ARCH)

execute_process(COMMAND dpkg-architecture -a ${DEB_HOST_ARCH} -qDEB_HOST_GNU_TYPE
  OUTPUT_VARIABLE triplet OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
  COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "-.*" "" cpu ${triplet})
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${cpu})
set(CMAKE_CXX_COMPILER ${triplet}-g++)

foreach(flags CXXFLAGS LDFLAGS)
  execute_process(COMMAND env DEB_HOST_ARCH=${DEB_HOST_ARCH}
    DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get ${flags}
    OUTPUT_VARIABLE ${flags} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(CMAKE_CXX_FLAGS_INIT "${CXXFLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${LDFLAGS}")

# qemu names its programs for the CPU, which differs from the triplet's
# first part for little-endian POWER alone.
string(REPLACE powerpc64le ppc64le qemu ${cpu})
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${qemu} -L /usr/${triplet})
