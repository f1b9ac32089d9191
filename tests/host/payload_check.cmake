# Checks the installed text files: CR LF line ends only, the template's
# lines are empty fields ("Label: "), every links line holds a web address.
# Run as cmake -DPAYLOAD_DIR=<resources/payload> -P payload_check.cmake.

set(failed FALSE)
macro(fail text)
    message(SEND_ERROR "${text}")
    set(failed TRUE)
endmacro()

# The file's lines, after checking that every line ends in CR LF.
function(read_crlf_lines name out)
    # As hex bytes, each followed by a blank: text reads drop the CRs.
    file(READ "${PAYLOAD_DIR}/${name}" hex HEX)
    string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
    if(bytes STREQUAL "")
        fail("${name} is empty")
    endif()
    string(REPLACE "0d 0a " "" bare "${bytes}")
    if(bare MATCHES "(^| )(0d|0a) ")
        fail("${name} has a line end other than CR LF")
    endif()
    if(NOT bytes MATCHES "0d 0a $")
        fail("${name} does not end with CR LF")
    endif()
    file(STRINGS "${PAYLOAD_DIR}/${name}" lines)
    set(${out} "${lines}" PARENT_SCOPE)
    set(failed ${failed} PARENT_SCOPE)
endfunction()

read_crlf_lines("template._txt" template)
foreach(line IN LISTS template)
    if(NOT line MATCHES "^[A-Za-z]+: \r?$")
        fail("template line \"${line}\" is not an empty field")
    endif()
endforeach()

read_crlf_lines("Korvane.txt" contact)
foreach(needle "Korvane" "www.korvane.com" "support@korvane.com")
    string(FIND "${contact}" "${needle}" at)
    if(at EQUAL -1)
        fail("Korvane.txt lacks ${needle}")
    endif()
endforeach()

read_crlf_lines("Software Links.txt" links)
foreach(line IN LISTS links)
    if(NOT line MATCHES "^https?://[^ ]+\\.[^ ]+")
        fail("links line \"${line}\" does not begin with a web address")
    endif()
endforeach()

if(failed)
    message(FATAL_ERROR "payload check failed")
endif()
