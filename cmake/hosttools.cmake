# Host tools that the build runs: artwork, help file and setup-file writers.
# Each tool is window-free C++ and is built in every host tree.
foreach(tool ${JW_HOST_TOOLS})
    add_executable(${tool} ${JW_HOST_TOOL_${tool}_SOURCES})
    target_link_libraries(${tool} PRIVATE jotwell_portable)
    target_include_directories(${tool} PRIVATE ${CMAKE_SOURCE_DIR})
endforeach()
