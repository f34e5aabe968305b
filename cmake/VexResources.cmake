# vex_resources(<target> NAME <module> [STRINGS <file>...] [FILES <TYPE> <NAME> <path> ...])
#
# Compiles string tables and binary files into <module>_resources.cpp at build time and adds it
# to <target>. Editing any input or the compiler rebuilds it. A static library also passes its
# consumers a link option naming the module's anchor symbol: archives only contribute objects
# something references, and nothing references a module that merely registers itself.
function(vex_resources target)
    cmake_parse_arguments(ARG "" "NAME" "STRINGS;FILES" ${ARGN})
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "vex_resources: unexpected arguments ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT ARG_NAME MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
        message(FATAL_ERROR "vex_resources: NAME '${ARG_NAME}' must be an identifier")
    endif()
    list(LENGTH ARG_FILES file_words)
    math(EXPR file_rest "${file_words} % 3")
    if(NOT file_rest EQUAL 0)
        message(FATAL_ERROR "vex_resources: FILES takes <TYPE> <NAME> <path> triples")
    endif()

    set(output "${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}_resources.cpp")
    set(arguments --name ${ARG_NAME} --output ${output})
    set(inputs)
    foreach(table IN LISTS ARG_STRINGS)
        cmake_path(ABSOLUTE_PATH table BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}")
        list(APPEND arguments --strings ${table})
        list(APPEND inputs ${table})
    endforeach()
    while(ARG_FILES)
        list(POP_FRONT ARG_FILES type name path)
        cmake_path(ABSOLUTE_PATH path BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}")
        list(APPEND arguments --file ${type} ${name} ${path})
        list(APPEND inputs ${path})
    endwhile()

    add_custom_command(
        OUTPUT ${output}
        COMMAND vex_rescomp ${arguments}
        DEPENDS vex_rescomp ${inputs}
        COMMENT "Compiling resources of ${ARG_NAME}"
        VERBATIM)
    target_sources(${target} PRIVATE ${output})
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}")
    if(NOT target STREQUAL "vex_core")
        target_link_libraries(${target} PRIVATE vex_core)
    endif()

    get_target_property(type ${target} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
        target_link_options(${target} INTERFACE "LINKER:--undefined=vex_resources_${ARG_NAME}")
    endif()
endfunction()
