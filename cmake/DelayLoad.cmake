# Delay-loaded DLLs for MinGW builds. Korvo needs WinINet, the shell, COM and the version and
# common-control DLLs only after the user has picked a folder; loading them at start would put
# their load and initialisation between the user's click and the menu. A delay-import library
# loads its DLL on the first call into it (through the C run time's __delayLoadHelper2).
#
#   korvo_delay_import_libraries(OUT_VAR dll...)
#
# sets OUT_VAR to delay-import libraries for the named DLLs, made at configure time by dlltool
# from the names the toolchain's own import library exports.

function(korvo_delay_import_libraries out_var)
    if(NOT CMAKE_DLLTOOL OR NOT CMAKE_NM)
        message(FATAL_ERROR "delay-loading needs the toolchain's dlltool and nm")
    endif()
    set(folder ${CMAKE_BINARY_DIR}/delayload)
    file(MAKE_DIRECTORY ${folder})
    set(libraries)
    foreach(dll IN LISTS ARGN)
        set(delay_library ${folder}/lib${dll}_delay.a)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${dll}.a
                        OUTPUT_VARIABLE import_library OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${import_library}" OR NOT EXISTS "${import_library}")
            message(FATAL_ERROR "no import library lib${dll}.a in the toolchain")
        endif()
        if(NOT EXISTS ${delay_library} OR ${import_library} IS_NEWER_THAN ${delay_library})
            # An import library names each function it imports as the symbol __imp_<function>.
            execute_process(COMMAND ${CMAKE_NM} ${import_library} OUTPUT_VARIABLE symbols
                            COMMAND_ERROR_IS_FATAL ANY)
            string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
            list(TRANSFORM imports REPLACE "^ I __imp_" "")
            list(REMOVE_DUPLICATES imports)
            list(JOIN imports "\n" exports)
            file(WRITE ${folder}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
            execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${folder}/${dll}.def
                                    --output-delaylib ${delay_library}
                            COMMAND_ERROR_IS_FATAL ANY)
        endif()
        list(APPEND libraries ${delay_library})
    endforeach()
    set(${out_var} ${libraries} PARENT_SCOPE)
endfunction()
