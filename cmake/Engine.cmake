# saver.scr: the engine image, stripped and padded to exactly the package offset.
enable_language(RC)
set(SAVER_RESOURCE_SCRIPT ${PROJECT_SOURCE_DIR}/src/res/saver.rc CACHE INTERNAL "")
# The manifest that makes the process DPI aware, for the engine and the tests that check it.
set(SAVER_MANIFEST_SCRIPT ${PROJECT_SOURCE_DIR}/src/res/manifest.rc CACHE INTERNAL "")

add_executable(saver_engine WIN32 ${PROJECT_SOURCE_DIR}/src/app/win/WinMain.cpp ${SAVER_RESOURCE_SCRIPT}
  ${SAVER_MANIFEST_SCRIPT})
target_link_libraries(saver_engine PRIVATE saver_win saver_core)
if(MSVC)
  target_compile_options(saver_engine PRIVATE /O1)
else()
  target_compile_options(saver_engine PRIVATE -Os)
  target_link_options(saver_engine PRIVATE -municode -s -Wl,--gc-sections)
endif()
set_target_properties(saver_engine PROPERTIES OUTPUT_NAME saver_engine SUFFIX .exe)

set(SAVER_SCR ${CMAKE_BINARY_DIR}/saver.scr)
add_custom_command(TARGET saver_engine POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DINPUT=$<TARGET_FILE:saver_engine> -DOUTPUT=${SAVER_SCR}
          -DSIZE=${SAVER_PACKAGE_OFFSET} -P ${PROJECT_SOURCE_DIR}/cmake/PadEngine.cmake
  VERBATIM)
