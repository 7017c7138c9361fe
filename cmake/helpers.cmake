# Sources of a library are every .cpp under its folders, so adding a file needs no CMake edit.
function(files_sources out)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp")
    list(APPEND result ${found})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# One GoogleTest binary per library, registered with CTest.
function(files_test name)
  cmake_parse_arguments(T "" "" "DIRS;LIBS" ${ARGN})
  if(NOT FILES_TESTS)
    return()
  endif()
  set(srcs)
  foreach(dir IN LISTS T_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp")
    list(APPEND srcs ${found})
  endforeach()
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()

# Compiles text files into the program as byte arrays: `symbol` becomes an
# `extern const std::string_view symbol` defined in the generated source.
function(files_embed target symbol file)
  set(gen "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp")
  add_custom_command(
    OUTPUT "${gen}"
    COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${gen} -DSYMBOL=${symbol} -P ${PROJECT_SOURCE_DIR}/cmake/embed.cmake
    DEPENDS "${file}" "${PROJECT_SOURCE_DIR}/cmake/embed.cmake"
    VERBATIM)
  target_sources(${target} PRIVATE "${gen}")
endfunction()
