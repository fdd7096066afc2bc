# Installing on Linux: the programs in bin/, the data they ship with in share/qx7-config/modules/
# (which they find from bin/ as ../share/qx7-config, so any prefix works; see store/DataLocation),
# the udev rule, the desktop entry with its icons, the manual pages; and a Debian package of the
# same tree (`cpack -G DEB` in the build folder).
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    return()
endif()

install(TARGETS qx7-config qx7ctl RUNTIME DESTINATION bin)
# The data files from the source tree: the build folder's copy holds whatever a run there changed.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/modules/setting ${CMAKE_SOURCE_DIR}/modules/macro
                  ${CMAKE_SOURCE_DIR}/modules/gun ${CMAKE_SOURCE_DIR}/modules/i18n
        DESTINATION share/qx7-config/modules)
install(FILES ${CMAKE_BINARY_DIR}/modules/img/logo.ico DESTINATION share/qx7-config/modules/img)
install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/70-qx7-config.rules DESTINATION lib/udev/rules.d)
install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/qx7-config.desktop DESTINATION share/applications)
install(DIRECTORY ${CMAKE_BINARY_DIR}/dist/linux/icons/hicolor DESTINATION share/icons)

# Manual pages and the changelog are installed compressed, as Debian keeps them.
find_program(GZIP gzip REQUIRED)
set(gzipped "")
# The command writes into this folder itself; only Ninja makes the folders of custom outputs.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/dist/linux)
foreach(file qx7ctl.1 qx7-config.1 changelog)
    set(out ${CMAKE_BINARY_DIR}/dist/linux/${file}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND sh -c "${GZIP} -9nc '${CMAKE_SOURCE_DIR}/dist/linux/${file}' > '${out}'"
        DEPENDS ${CMAKE_SOURCE_DIR}/dist/linux/${file}
        COMMENT "Compressing ${file}" VERBATIM)
    list(APPEND gzipped ${out})
endforeach()
add_custom_target(dist_gzip ALL DEPENDS ${gzipped})
install(FILES ${CMAKE_BINARY_DIR}/dist/linux/qx7ctl.1.gz ${CMAKE_BINARY_DIR}/dist/linux/qx7-config.1.gz
        DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/dist/linux/changelog.gz ${CMAKE_SOURCE_DIR}/dist/linux/copyright
        DESTINATION share/doc/qx7-config)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qx7-config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The QX7 Config developers <maintainers@users.noreply.c-seed-1f04178b.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for the QX7 USB gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION
    "A tray program that notices the QX7 mouse being plugged in and edits what the\n"
    "mouse keeps on board: DPI stages, report rate, button functions, macros,\n"
    "lighting and gun presets, in up to six named profiles. qx7ctl does the same\n"
    "from a terminal. A udev rule lets the user at the seat open the mouse.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the programs link come from dpkg-shlibdeps; the scene's QML imports are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qml6-module-qtquick, qml6-module-qtqml, qml6-module-qtqml-models, qml6-module-qtqml-workerscript")
# The scene's font (Noto Sans CJK SC) draws the Chinese texts; without it they can show as boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, gsettings-desktop-schemas")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/dist/linux/postinst ${CMAKE_SOURCE_DIR}/dist/linux/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
