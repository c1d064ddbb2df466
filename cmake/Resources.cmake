# The DLL's own resources: the column-resize cursor 32765 and the icon MAINICON,
# drawn by a script into the build tree at configure time (so every target that
# compiles the .rc finds them) and compiled with windres.
enable_language(RC)
set(resource_dir ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${resource_dir})
execute_process(COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make-resources ${resource_dir} COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-resources)
configure_file(${CMAKE_SOURCE_DIR}/src/plugin/sqliteview.rc ${resource_dir}/sqliteview.rc COPYONLY)
set(PLUGIN_RESOURCES ${resource_dir}/sqliteview.rc)
