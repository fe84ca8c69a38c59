# The layers of the program's core. Each folder of src/ below the window program is
# one static library, tarnex_<folder>, that links only the layers it names and may
# include only their headers (and, through them, the layers those name).
#
#   tarnex_layer(<folder> [DEPENDS <layer>...])
#
# A layer may name only layers declared before it, so the add_subdirectory order is
# the order of the layers and no cycle can be declared. Each layer gets a build step
# (part of ALL, run before its files compile) that reads the `#include "x/..."` lines
# of its folder and stops the build on a folder x the layer may not use, or on a Qt
# header: the core is plain C++.
#
#   tarnex_check_includes(<target> <folder> ALLOWS <layer>... [QT])
#
# gives the same check to a program folder above the core (the command-line tool, the
# window program); QT lets it include Qt headers.

set(TARNEX_LAYER_CHECK_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/CheckLayerIncludes.cmake)

# Records a layer and what it may use; stops at configure time when it names a layer
# that is not declared yet. Works in script mode too (the check's own test uses it).
function(tarnex_declare_layer name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "DEPENDS")
    get_property(known GLOBAL PROPERTY TARNEX_LAYERS)
    if(name IN_LIST known)
        message(FATAL_ERROR "Layer ${name} is declared twice")
    endif()
    set(allowed ${name})
    foreach(dep IN LISTS ARG_DEPENDS)
        if(NOT dep IN_LIST known)
            message(FATAL_ERROR "Layer ${name} depends on ${dep}, which is not a layer declared below it: "
                                "declare the layers bottom up, and never let a lower one use a higher one")
        endif()
        get_property(reach GLOBAL PROPERTY TARNEX_LAYER_ALLOWS_${dep})
        list(APPEND allowed ${reach})
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    set_property(GLOBAL PROPERTY TARNEX_LAYER_ALLOWS_${name} "${allowed}")
    set_property(GLOBAL APPEND PROPERTY TARNEX_LAYERS ${name})
endfunction()

function(tarnex_check_includes target folder)
    cmake_parse_arguments(PARSE_ARGV 2 ARG "QT" "" "ALLOWS")
    set(dir ${CMAKE_CURRENT_SOURCE_DIR})
    file(GLOB files CONFIGURE_DEPENDS ${dir}/*.h ${dir}/*.cpp)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${folder}.includes-checked)
    set(allows ${folder} ${ARG_ALLOWS})
    list(REMOVE_DUPLICATES allows)
    # Lists travel to the script with "," in place of ";".
    string(REPLACE ";" "," allows "${allows}")
    set(qt OFF)
    if(ARG_QT)
        set(qt ON)
    endif()
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DLAYER=${folder} -DFOLDER=${dir} -DALLOWS=${allows} -DQT_ALLOWED=${qt}
                -DSTAMP=${stamp} -P ${TARNEX_LAYER_CHECK_SCRIPT}
        DEPENDS ${files} ${TARNEX_LAYER_CHECK_SCRIPT}
        COMMENT "Checking that src/${folder} includes only the layers below it"
        VERBATIM)
    add_custom_target(${target}_includes DEPENDS ${stamp})
    add_dependencies(${target} ${target}_includes)
endfunction()

function(tarnex_layer name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "DEPENDS")
    tarnex_declare_layer(${name} DEPENDS ${ARG_DEPENDS})
    get_property(allowed GLOBAL PROPERTY TARNEX_LAYER_ALLOWS_${name})

    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(tarnex_${name} STATIC ${sources})
    target_include_directories(tarnex_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    foreach(dep IN LISTS ARG_DEPENDS)
        target_link_libraries(tarnex_${name} PUBLIC tarnex_${dep})
    endforeach()
    target_link_libraries(tarnex_${name} PRIVATE tarnex_warnings)
    tarnex_check_includes(tarnex_${name} ${name} ALLOWS ${allowed})
    # tarnex_core gathers every layer.
    target_link_libraries(tarnex_core INTERFACE tarnex_${name})
endfunction()
