# The DLL's own resources: the column-resize cursor 32765 and the icon MAINICON,
# drawn by a script into the build tree at configure time (so every target that
# compiles the .rc finds them) and compiled with windres.
enable_language(RC)
set(resource_dir ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${resource_dir})
execute_process(COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make-resources ${resource_dir} COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-resources)
# The compiled resources depend only on the .rc file, so it carries the images' checksums: new images make a new
# .rc (written only when it changes) and so a rebuild.
set(rc_source ${CMAKE_SOURCE_DIR}/src/plugin/sqliteview.rc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rc_source})
file(SHA256 ${resource_dir}/resize.cur cursor_hash)
file(SHA256 ${resource_dir}/main.ico icon_hash)
file(READ ${rc_source} rc_text)
file(CONFIGURE OUTPUT ${resource_dir}/sqliteview.rc
     CONTENT "/* resize.cur ${cursor_hash}, main.ico ${icon_hash} */\n${rc_text}" @ONLY)
set(PLUGIN_RESOURCES ${resource_dir}/sqliteview.rc)
