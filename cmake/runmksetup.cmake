# Build step of the setup target, run as
#   cmake -P runmksetup.cmake <jw_mksetup> <out.exe> <program.exe> <help file> <payload files...>
# A help file that does not exist is passed as "-", an empty entry.
math(EXPR last "${CMAKE_ARGC} - 1")
set(args)
foreach(i RANGE 3 ${last})
    list(APPEND args "${CMAKE_ARGV${i}}")
endforeach()
list(POP_FRONT args tool out program help)
if(NOT EXISTS "${help}")
    message(STATUS "No help file at ${help}: the setup file carries none")
    set(help -)
endif()
execute_process(COMMAND "${tool}" "${out}" "${program}" "${help}" ${args}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "jw_mksetup failed")
endif()
