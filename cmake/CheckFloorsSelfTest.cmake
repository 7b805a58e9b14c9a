# Plants files in WORK_DIR and runs CheckFloors.cmake on them: an include that points down must
# pass; one that points up, and one between two screen folders, must fail and name the file. The
# simulator's folders have floors of their own.
# Run as: cmake -DWORK_DIR=dir -P CheckFloorsSelfTest.cmake
function(plant path include)
  file(WRITE "${WORK_DIR}/${path}" "#pragma once\n#include \"${include}\"\n")
endfunction()

function(expect_check files should_pass needle)
  execute_process(COMMAND ${CMAKE_COMMAND} "-DFILES=${files}" -P ${CMAKE_CURRENT_LIST_DIR}/CheckFloors.cmake
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(should_pass AND NOT code EQUAL 0)
    message(FATAL_ERROR "the floor check refused a sound include:\n${err}")
  endif()
  if(NOT should_pass AND code EQUAL 0)
    message(FATAL_ERROR "the floor check let a broken include through: ${files}")
  endif()
  if(NOT should_pass AND NOT err MATCHES "${needle}")
    message(FATAL_ERROR "the floor check did not name '${needle}':\n${err}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
plant(src/detail/down.h "market/security_code.h")
plant(src/protocol/up.h "shell/main_dlg.h")
plant(src/kline/sideways.h "detail/detail_records.h")
plant(server/up.h "platform/window.h")
plant(server/wire/down.h "server/market/market.h")
plant(server/market/up.h "server/wire/request_parser.h")
expect_check("${WORK_DIR}/src/detail/down.h" TRUE "")
expect_check("${WORK_DIR}/src/protocol/up.h" FALSE "src/protocol/up.h: #include \"shell/main_dlg.h\"")
expect_check("${WORK_DIR}/src/kline/sideways.h" FALSE "kline may not include detail")
expect_check("${WORK_DIR}/server/up.h" FALSE "server may not include platform")
expect_check("${WORK_DIR}/server/wire/down.h" TRUE "")
expect_check("${WORK_DIR}/server/market/up.h" FALSE "server/market may not include server/wire")
