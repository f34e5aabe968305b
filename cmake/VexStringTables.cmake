# vex_string_table(<target> NAME <resource name> SOURCE <text file>)
#
# Compiles the text form of a string table (tools/strtable) into the binary "STR0" layout at
# build time and adds it to <target> as the resource of type RCDATA with that name, through
# vex_resources (the resource name is also the module's name, so it must be an identifier).
# Editing the text or the tool rebuilds it; a fault in the text fails the build with its line.
function(vex_string_table target)
    cmake_parse_arguments(ARG "" "NAME;SOURCE" "" ${ARGN})
    if(ARG_UNPARSED_ARGUMENTS OR NOT ARG_NAME OR NOT ARG_SOURCE)
        message(FATAL_ERROR "vex_string_table: usage is <target> NAME <name> SOURCE <file>")
    endif()
    cmake_path(ABSOLUTE_PATH ARG_SOURCE BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}")
    set(binary "${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}.str0")
    add_custom_command(
        OUTPUT ${binary}
        COMMAND vex_strtable ${ARG_SOURCE} ${binary}
        DEPENDS vex_strtable ${ARG_SOURCE}
        COMMENT "Compiling string table ${ARG_NAME}"
        VERBATIM)
    vex_resources(${target} NAME ${ARG_NAME} FILES RCDATA ${ARG_NAME} ${binary})
endfunction()
