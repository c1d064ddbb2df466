# The DLL's own resources: the column-resize cursor 32765 and the icon MAINICON,
# drawn by a script into the build tree at configure time (so every target that
# compiles the .rc finds them), and the version resource, filled in from VERSION;
# compiled with windres.
enable_language(RC)
set(resource_dir ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${resource_dir})
execute_process(COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make-resources ${resource_dir} COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-resources)
# The compiled resources depend only on the .rc file, so it carries the checksums of the images and of the header
# with the product's texts: a change to any makes a new .rc (written only when it changes) and so a rebuild.
set(rc_source ${CMAKE_SOURCE_DIR}/src/plugin/sqliteview.rc)
set(product_info ${CMAKE_SOURCE_DIR}/src/plugin/ProductInfo.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rc_source} ${product_info})
file(SHA256 ${resource_dir}/resize.cur cursor_hash)
file(SHA256 ${resource_dir}/main.ico icon_hash)
file(SHA256 ${product_info} product_info_hash)
file(READ ${rc_source} rc_text)
file(CONFIGURE OUTPUT ${resource_dir}/sqliteview.rc
     CONTENT "/* resize.cur ${cursor_hash}, main.ico ${icon_hash}, ProductInfo.h ${product_info_hash} */\n${rc_text}"
     @ONLY)
set(PLUGIN_RESOURCES ${resource_dir}/sqliteview.rc)
