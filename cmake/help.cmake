# The help file jotwell.hlp, written at build time by the host tool
# jw_hlpwriter from its plain-text source. The setup file carries it.
set(JW_HELP_SOURCE ${CMAKE_SOURCE_DIR}/help/jotwell.help)
set(JW_HELP_FILE ${CMAKE_BINARY_DIR}/jotwell.hlp)

add_custom_command(
    OUTPUT ${JW_HELP_FILE}
    COMMAND ${JW_HOST_DIR}/jw_hlpwriter ${JW_HELP_SOURCE} ${JW_HELP_FILE}
    DEPENDS ${JW_HOST_DIR}/jw_hlpwriter ${JW_HELP_SOURCE}
    COMMENT "Writing the help file"
    VERBATIM)
add_custom_target(jotwell_help ALL DEPENDS ${JW_HELP_FILE})
