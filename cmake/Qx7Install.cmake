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

# The AppStream metainfo, which software centres read; it names the USB ids of each mouse among the
# shipped device records, so that they offer the program when such a mouse is plugged in.
set(device_records ${CMAKE_SOURCE_DIR}/modules/setting/apConfig.bin)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${device_records})
file(STRINGS ${device_records} record_lines)
set(QX7_MODALIASES "")
set(record "")
foreach(line IN LISTS record_lines ITEMS "[end]")
    if(line MATCHES "^\\[(.*)\\]")
        set(next_record "${CMAKE_MATCH_1}")
        # A record ends: a mouse (type 1) with both ids gives one modalias.
        if(record MATCHES "^[0-9]+$" AND record_type STREQUAL "1" AND record_vid AND record_pid)
            string(TOUPPER "${record_vid}" vid)
            string(TOUPPER "${record_pid}" pid)
            string(APPEND QX7_MODALIASES "    <modalias>usb:v${vid}p${pid}d*</modalias>\n")
        endif()
        set(record "${next_record}")
        set(record_type "")
        set(record_vid "")
        set(record_pid "")
    elseif(line MATCHES "^(type|vid|pid)=([0-9A-Fa-f]+)$")
        set(record_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endif()
endforeach()
if(QX7_MODALIASES STREQUAL "")
    message(FATAL_ERROR "${device_records} lists no mouse for the metainfo")
endif()
configure_file(${CMAKE_SOURCE_DIR}/dist/linux/qx7-config.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/linux/com.example.qx7config.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dist/linux/com.example.qx7config.metainfo.xml DESTINATION share/metainfo)

# Manual pages and the changelog are installed compressed, as Debian keeps them.
find_program(GZIP gzip REQUIRED)
set(gzipped "")
# The command writes into this folder itself; only Ninja makes the folders of custom outputs.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/dist/linux)
# qx7ctl's page is written from its command table at build time (cli/).
foreach(source ${CMAKE_BINARY_DIR}/dist/linux/qx7ctl.1 ${CMAKE_SOURCE_DIR}/dist/linux/qx7-config.1
               ${CMAKE_SOURCE_DIR}/dist/linux/changelog)
    get_filename_component(file ${source} NAME)
    set(out ${CMAKE_BINARY_DIR}/dist/linux/${file}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND sh -c "${GZIP} -9nc '${source}' > '${out}'"
        DEPENDS ${source}
        COMMENT "Compressing ${file}" VERBATIM)
    list(APPEND gzipped ${out})
endforeach()
add_custom_target(dist_gzip ALL DEPENDS ${gzipped})
add_dependencies(dist_gzip qx7ctl_manual)
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
# The portal theme gives the export and import dialogs the desktop's own file chooser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, gsettings-desktop-schemas, qt6-xdgdesktopportal-platformtheme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/dist/linux/postinst ${CMAKE_SOURCE_DIR}/dist/linux/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
