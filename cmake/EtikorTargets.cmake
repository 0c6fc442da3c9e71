# One library per source folder. Sources are picked up from the folder itself (not its
# subfolders: a ui/ subfolder is a library of its own, so a widget include in core code
# fails to build).
function(etikor_folder_library target)
  cmake_parse_arguments(ARG "" "" "PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.ui ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(NOT compiled)
    # Headers only so far.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    if(ARG_PUBLIC_DEPS)
      target_link_libraries(${target} INTERFACE ${ARG_PUBLIC_DEPS})
    endif()
    etikor_register_layer(${target})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(ARG_PUBLIC_DEPS)
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_DEPS})
  endif()
  if(ARG_PRIVATE_DEPS)
    target_link_libraries(${target} PRIVATE ${ARG_PRIVATE_DEPS})
  endif()
  etikor_register_layer(${target})
endfunction()

# One GoogleTest executable per tests/ folder. QT selects the main() that creates a
# QApplication on the offscreen platform. The program runs as one CTest entry (starting a
# process, a QApplication and the fonts per test cost more than most tests); a slow program is
# split into SHARDS entries with GoogleTest's own sharding so that `ctest -j` can spread it.
# Each test's name and result are in the program's output (`ctest -V` or
# `--output-on-failure`); a single test runs with `<program> --gtest_filter=Suite.Name`.
function(etikor_folder_tests target)
  cmake_parse_arguments(ARG "QT" "SHARDS" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${target} ${sources})
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ARG_QT)
    target_link_libraries(${target} PRIVATE etikor_test_support_qt ${ARG_DEPS})
  else()
    target_link_libraries(${target} PRIVATE etikor_test_support ${ARG_DEPS})
  endif()
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 1)
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen" "ETIKOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  math(EXPR last "${ARG_SHARDS} - 1")
  foreach(shard RANGE ${last})
    if(ARG_SHARDS EQUAL 1)
      set(name ${target})
      set(shard_environment ${environment})
    else()
      math(EXPR number "${shard} + 1")
      set(name ${target}.${number}of${ARG_SHARDS})
      set(shard_environment ${environment} "GTEST_TOTAL_SHARDS=${ARG_SHARDS}" "GTEST_SHARD_INDEX=${shard}")
    endif()
    add_test(NAME ${name} COMMAND ${target}
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${shard_environment}")
  endforeach()
endfunction()
