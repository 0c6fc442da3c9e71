# Fails the build while a text the sources mark for translation has no English translation:
# lupdate reads the sources into a copy of the .ts, then every message that is new, unfinished
# or empty there is listed.
#   cmake -DLUPDATE=... -DTS=... -DSOURCES_LIST=... -DWORK_DIR=... -P CheckTranslations.cmake
get_filename_component(name ${TS} NAME)
set(work_ts ${WORK_DIR}/${name})
file(MAKE_DIRECTORY ${WORK_DIR})
file(COPY_FILE ${TS} ${work_ts})
execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete @${SOURCES_LIST} -ts ${work_ts}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed: ${errors}")
endif()

file(READ ${work_ts} content)
# One list item per message.
string(REPLACE ";" "&#59;" content "${content}")
string(REPLACE "</message>" ";" messages "${content}")
set(missing "")
foreach(message IN LISTS messages)
  if(message MATCHES "<source>([^<]*)</source>")
    set(source "${CMAKE_MATCH_1}")
    if(message MATCHES "type=\"unfinished\"" OR message MATCHES "<translation></translation>"
       OR message MATCHES "<translation/>")
      string(REPLACE "&#59;" ";" source "${source}")
      string(REPLACE "&apos;" "'" source "${source}")
      string(REPLACE "&quot;" "\"" source "${source}")
      string(REPLACE "&lt;" "<" source "${source}")
      string(REPLACE "&gt;" ">" source "${source}")
      string(REPLACE "&amp;" "&" source "${source}")
      string(APPEND missing "\n  ${source}")
    endif()
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "These texts have no English translation in ${TS}:${missing}\n"
                      "Run `cmake --build build --target update_translations`, then translate them "
                      "(Qt Linguist, or the <translation> elements of the file).")
endif()
