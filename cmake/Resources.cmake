# The DLL's own resources: the column-resize cursor 32765 and the icon MAINICON,
# drawn by a script into the build tree and compiled with windres.
enable_language(RC)
set(resource_dir ${CMAKE_BINARY_DIR}/resources)
add_custom_command(
    OUTPUT ${resource_dir}/resize.cur ${resource_dir}/main.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${resource_dir}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make-resources ${resource_dir}
    DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-resources
    COMMENT "Drawing the cursor and icon resources")
configure_file(${CMAKE_SOURCE_DIR}/src/plugin/sqliteview.rc ${resource_dir}/sqliteview.rc COPYONLY)
set_source_files_properties(${resource_dir}/sqliteview.rc PROPERTIES
    OBJECT_DEPENDS "${resource_dir}/resize.cur;${resource_dir}/main.ico")
set(PLUGIN_RESOURCES ${resource_dir}/sqliteview.rc)
# Targets in other directories cannot see the custom command's outputs; they
# depend on this target so the drawings exist before windres reads them.
add_custom_target(plugin_resources DEPENDS ${resource_dir}/resize.cur ${resource_dir}/main.ico)
