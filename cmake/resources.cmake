# The resource script with its artwork, drawn at build time by the host tool
# jw_artwork, compiled once and linked into the program and the test programs.
enable_language(RC)

set(JW_ARTWORK_DIR ${CMAKE_BINARY_DIR}/artwork)
# Each picture at 100 percent, then at 125, 150 and 200.
set(JW_ARTWORK_FILES)
foreach(scale "" _125 _150 _200)
    foreach(picture jotwell.ico logo.bmp note_new.bmp note_delete.bmp book_new.bmp find.bmp)
        string(REGEX REPLACE "\\." "${scale}." file ${picture})
        list(APPEND JW_ARTWORK_FILES ${JW_ARTWORK_DIR}/${file})
    endforeach()
endforeach()
add_custom_command(
    OUTPUT ${JW_ARTWORK_FILES}
    COMMAND ${JW_HOST_DIR}/jw_artwork ${JW_ARTWORK_DIR}
    DEPENDS ${JW_HOST_DIR}/jw_artwork
    COMMENT "Drawing the artwork")
add_custom_target(jotwell_artwork DEPENDS ${JW_ARTWORK_FILES})

file(GLOB JW_RESOURCE_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc
     ${CMAKE_SOURCE_DIR}/resources/*.h ${CMAKE_SOURCE_DIR}/resources/*.manifest)

add_library(jotwell_resources OBJECT resources/jotwell.rc)
target_include_directories(jotwell_resources PRIVATE ${CMAKE_SOURCE_DIR} ${JW_ARTWORK_DIR})
set_source_files_properties(resources/jotwell.rc PROPERTIES
    OBJECT_DEPENDS "${JW_ARTWORK_FILES};${JW_RESOURCE_PARTS}")
add_dependencies(jotwell_resources jotwell_artwork)
set(JW_RESOURCE_OBJECT $<TARGET_OBJECTS:jotwell_resources>)
