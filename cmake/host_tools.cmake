# A cross build cannot run what it builds: the helpers that run at build and test time (the
# manual's writer manual_pdf, the end-to-end tests' pixel probe) are built for this machine, with
# its own compiler and Qt, in a build of their own (target host_tools, folder host-tools/).
include(ExternalProject)
set(TINCTORA_HOST_BUILD ${PROJECT_BINARY_DIR}/host-tools)
set(TINCTORA_HOST_TARGETS manual_pdf)
set(TINCTORA_HOST_PROGRAMS ${TINCTORA_HOST_BUILD}/tools/manual_pdf)
if(TINCTORA_BUILD_TESTS)
  list(APPEND TINCTORA_HOST_TARGETS x11_pixel_probe)
  list(APPEND TINCTORA_HOST_PROGRAMS ${TINCTORA_HOST_BUILD}/tests/x11_pixel_probe)
endif()
ExternalProject_Add(host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${TINCTORA_HOST_BUILD}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DTINCTORA_BUILD_TESTS=${TINCTORA_BUILD_TESTS}
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${TINCTORA_HOST_BUILD} --target ${TINCTORA_HOST_TARGETS}
  BUILD_BYPRODUCTS ${TINCTORA_HOST_PROGRAMS}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)
set(TINCTORA_HOST_TOOLS ${TINCTORA_HOST_BUILD}/tests)
