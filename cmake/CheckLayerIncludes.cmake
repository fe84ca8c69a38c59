# Run as a build step by tarnex_check_includes (TarnexLayers.cmake):
#   cmake -DLAYER=<folder> -DFOLDER=<dir> -DALLOWS=<a,b,...> [-DQT_ALLOWED=ON] [-DSTAMP=<file>] -P ...
# Reads every .h and .cpp file of FOLDER and fails on an `#include "x/..."` whose
# folder x is not in ALLOWS, and, unless QT_ALLOWED, on any `#include <Q...>`.
# Writes STAMP when everything is allowed.

cmake_minimum_required(VERSION 3.25)

foreach(var LAYER FOLDER ALLOWS)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CheckLayerIncludes.cmake needs -D${var}=...")
    endif()
endforeach()
string(REPLACE "," ";" allows "${ALLOWS}")

file(GLOB files ${FOLDER}/*.h ${FOLDER}/*.cpp)
list(SORT files)
set(faults "")
foreach(file IN LISTS files)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    get_filename_component(name ${file} NAME)
    foreach(line IN LISTS lines)
        if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/[^\"]*\"")
            set(used ${CMAKE_MATCH_1})
            if(NOT used IN_LIST allows)
                string(APPEND faults "  src/${LAYER}/${name}: ${line}  (${used}/ is not below ${LAYER})\n")
            endif()
        elseif(NOT QT_ALLOWED AND line MATCHES "^[ \t]*#[ \t]*include[ \t]*<Q")
            string(APPEND faults "  src/${LAYER}/${name}: ${line}  (no Qt in the core)\n")
        endif()
    endforeach()
endforeach()

if(faults)
    string(REPLACE ";" ", " allowsText "${allows}")
    message(FATAL_ERROR "src/${LAYER} may include only ${allowsText}:\n${faults}")
endif()
if(DEFINED STAMP)
    file(TOUCH ${STAMP})
endif()
