# The layer check of the build (cmake/TarnexLayers.cmake, cmake/CheckLayerIncludes.cmake)
# on small folders written here: what it lets through and what stops the build.
#   cmake -DWORK=<scratch folder> -DCMAKE_DIR=<the project's cmake folder> -P LayerCheckTest.cmake

cmake_minimum_required(VERSION 3.25)

set(check ${CMAKE_DIR}/CheckLayerIncludes.cmake)
file(REMOVE_RECURSE ${WORK})
set(failures 0)

# Writes the folder's files: each argument is "Name.h|line one|line two".
function(write_folder folder)
    file(REMOVE_RECURSE ${WORK}/${folder})
    foreach(case IN LISTS ARGN)
        string(REPLACE "|" ";" parts "${case}")
        list(POP_FRONT parts name)
        string(REPLACE ";" "\n" body "${parts}")
        file(WRITE ${WORK}/${folder}/${name} "${body}\n")
    endforeach()
endfunction()

# Runs the check; expect "pass" or the text the refusal must contain.
function(expect label folder allows qt expected)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -DLAYER=${folder} -DFOLDER=${WORK}/${folder} -DALLOWS=${allows}
                -DQT_ALLOWED=${qt} -DSTAMP=${WORK}/${folder}.stamp -P ${check}
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(ok FALSE)
    if(expected STREQUAL "pass")
        if(result EQUAL 0 AND EXISTS ${WORK}/${folder}.stamp)
            set(ok TRUE)
        endif()
    elseif(NOT result EQUAL 0 AND NOT EXISTS ${WORK}/${folder}.stamp)
        string(FIND "${err}" "${expected}" at)
        if(at GREATER -1)
            set(ok TRUE)
        endif()
    endif()
    if(NOT ok)
        message(SEND_ERROR "${label}: expected ${expected}, got exit ${result}:\n${err}")
        math(EXPR n "${failures} + 1")
        set(failures ${n} PARENT_SCOPE)
    endif()
    file(REMOVE ${WORK}/${folder}.stamp)
endfunction()

# A layer that includes itself, the layers below it and the standard library.
write_folder(log "A.h|#pragma once|#include <string>|#include \"log/B.h\"|#include \"sections/SectionTable.h\""
             "A.cpp|  #  include \"util/FileIo.h\"|// #include \"app/LogSession.h\" is only a comment here")
expect("allowed includes" log "log,sections,util" OFF pass)

# The same folder one step too low: sections may not use log.
expect("include of a higher layer" log "log,util" OFF "src/log/A.h: #include \"sections/SectionTable.h\"")

# The cycle the layers were made to break: the log's code using the session.
write_folder(log "Bad.h|#pragma once|#include \"app/LogSession.h\"")
expect("upward include" log "log,sections,util" OFF "(app/ is not below log)")

# No Qt in the core; a program folder may be let through.
write_folder(entry "Form.cpp|#include <QString>|#include \"entry/Form.h\"")
expect("Qt header in the core" entry "entry" OFF "(no Qt in the core)")
expect("Qt header where allowed" entry "entry" ON pass)

# Declaring a layer that names one not declared below it stops the configuration.
file(WRITE ${WORK}/declare.cmake "cmake_minimum_required(VERSION 3.25)\n"
                                 "include(${CMAKE_DIR}/TarnexLayers.cmake)\n"
                                 "tarnex_declare_layer(util)\n"
                                 "tarnex_declare_layer(log DEPENDS util app)\n")
execute_process(COMMAND ${CMAKE_COMMAND} -P ${WORK}/declare.cmake RESULT_VARIABLE result ERROR_VARIABLE err)
if(result EQUAL 0 OR NOT err MATCHES "Layer log depends on app, which is not a layer declared below it")
    message(SEND_ERROR "declaration out of order: expected a refusal, got exit ${result}:\n${err}")
    math(EXPR failures "${failures} + 1")
endif()
# ... and a layer's reach is what it names plus what those reach.
file(WRITE ${WORK}/reach.cmake "cmake_minimum_required(VERSION 3.25)\n"
                               "include(${CMAKE_DIR}/TarnexLayers.cmake)\n"
                               "tarnex_declare_layer(util)\n"
                               "tarnex_declare_layer(base)\n"
                               "tarnex_declare_layer(log DEPENDS util)\n"
                               "tarnex_declare_layer(app DEPENDS log base)\n"
                               "get_property(reach GLOBAL PROPERTY TARNEX_LAYER_ALLOWS_app)\n"
                               "message(STATUS \"reach=\${reach}\")\n")
execute_process(COMMAND ${CMAKE_COMMAND} -P ${WORK}/reach.cmake RESULT_VARIABLE result OUTPUT_VARIABLE out)
if(NOT result EQUAL 0 OR NOT out MATCHES "reach=app;log;util;base\n")
    message(SEND_ERROR "reach of a layer: got exit ${result}: ${out}")
    math(EXPR failures "${failures} + 1")
endif()

file(REMOVE_RECURSE ${WORK})
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} layer check case(s) failed")
endif()
