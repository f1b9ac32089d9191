# The setup file JotwellSetup.exe: the program followed by the files it
# installs, written by the host tool jw_mksetup. The entries are given in the
# order of the install table: program, help file, the PhoneBook template,
# the maker's contact note, the web links note. Part of every build, since
# the end-to-end tests install it; "make setup" builds only it.

set(JW_SETUP_FILE ${CMAKE_BINARY_DIR}/JotwellSetup.exe)
set(JW_PAYLOAD_DIR ${CMAKE_SOURCE_DIR}/resources/payload)
set(JW_PAYLOAD_FILES
    ${JW_PAYLOAD_DIR}/template._txt
    ${JW_PAYLOAD_DIR}/Korvane.txt
    "${JW_PAYLOAD_DIR}/Software Links.txt"
)

# The help file comes from the help build when there is one; otherwise it
# goes in only if it has been put in place by hand.
if(NOT DEFINED JW_HELP_FILE)
    set(JW_HELP_FILE ${CMAKE_BINARY_DIR}/jotwell.hlp)
endif()
set(JW_SETUP_INPUTS ${JW_HOST_DIR}/jw_mksetup jotwell ${JW_PAYLOAD_FILES})
if(TARGET jotwell_help)
    list(APPEND JW_SETUP_INPUTS jotwell_help ${JW_HELP_FILE})
endif()

add_custom_command(
    OUTPUT ${JW_SETUP_FILE}
    COMMAND ${CMAKE_COMMAND} -P ${CMAKE_CURRENT_LIST_DIR}/runmksetup.cmake
            ${JW_HOST_DIR}/jw_mksetup ${JW_SETUP_FILE} $<TARGET_FILE:jotwell>
            ${JW_HELP_FILE} ${JW_PAYLOAD_FILES}
    DEPENDS ${JW_SETUP_INPUTS} ${CMAKE_CURRENT_LIST_DIR}/runmksetup.cmake
    COMMENT "Writing the setup file"
    VERBATIM)
add_custom_target(setup ALL DEPENDS ${JW_SETUP_FILE})
