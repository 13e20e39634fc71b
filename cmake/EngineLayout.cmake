# The package offset is defined once, in src/package/EngineLayout.h; the build reads it from there
# to pad the engine image to exactly that size.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/src/package/EngineLayout.h _layout_line
     REGEX "kPackageOffset = [0-9]+")
string(REGEX REPLACE ".*kPackageOffset = ([0-9]+).*" "\\1" SAVER_PACKAGE_OFFSET "${_layout_line}")
if(NOT SAVER_PACKAGE_OFFSET)
  message(FATAL_ERROR "kPackageOffset not found in src/package/EngineLayout.h")
endif()
