# Fails when a source file includes a header of a folder its library does not link.
#   cmake -DSOURCE_DIR=<src folder> -DLAYERS_FILE=<table from etikor_write_layers> -P CheckLayers.cmake
# A quoted include names its folder by its directory part ("series/tables/SeriesTables.h" is
# in series/tables). Besides the layers, the table store stays free of Qt, and so does the
# data folder except its two header-only adapters where data meets Qt (ColorQt.h,
# Cp1250Text.h).

cmake_minimum_required(VERSION 3.20)

if(NOT SOURCE_DIR OR NOT LAYERS_FILE)
  message(FATAL_ERROR "SOURCE_DIR and LAYERS_FILE are required")
endif()

get_filename_component(SOURCE_DIR ${SOURCE_DIR} ABSOLUTE)
file(STRINGS ${LAYERS_FILE} rows)
set(faults "")
set(checked 0)
foreach(row IN LISTS rows)
  string(REPLACE " " ";" row_items "${row}")
  list(POP_FRONT row_items folder)
  set(allowed ${row_items} ${folder})
  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
        set(header ${CMAKE_MATCH_1})
        get_filename_component(header_folder ${header} DIRECTORY)
        if(header_folder AND NOT header_folder IN_LIST allowed)
          string(APPEND faults "  ${name}: includes \"${header}\" (${folder} does not link ${header_folder})\n")
        endif()
        if(folder STREQUAL "tablestore" AND header MATCHES "^data/(ColorQt|Cp1250Text)\\.h$")
          string(APPEND faults "  ${name}: includes \"${header}\" (the table store stays free of Qt)\n")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*)")
        set(qt_header ${CMAKE_MATCH_1})
        get_filename_component(base ${file} NAME)
        if(folder STREQUAL "tablestore" OR (folder STREQUAL "data" AND NOT base MATCHES "^(ColorQt|Cp1250Text)\\.h$"))
          string(APPEND faults "  ${name}: includes <${qt_header}> (${folder} stays free of Qt)\n")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "No source files found under ${SOURCE_DIR}")
endif()
if(faults)
  message(FATAL_ERROR "Includes across the layers:\n${faults}")
endif()
message(STATUS "Layers hold in ${checked} files")
