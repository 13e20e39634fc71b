# Every bench_<name>.cpp in the calling folder becomes a benchmark program linked with LIBRARIES;
# the target `aggregate` builds and runs them all, each through RUNNER when one is given (the
# emulator for programs cross-built for Windows).
function(saver_benchmarks aggregate)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LIBRARIES;RUNNER")
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bench_*.cpp)
  set(runs)
  foreach(src ${benches})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES})
    # What the benchmarks share (scenes, GDI layers) lives in bench/fixtures.
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench/fixtures)
    list(APPEND runs COMMAND ${arg_RUNNER} $<TARGET_FILE:${name}>)
  endforeach()
  add_custom_target(${aggregate} ${runs} USES_TERMINAL)
endfunction()
