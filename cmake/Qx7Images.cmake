# qx7_add_images(TARGET)
# Renders the artwork under modules/img/src with qx7-imggen into the build folder, next to the
# programs: each SVG to the PNG at the same path under modules/img (at the size the SVG declares),
# logo.svg to the tray icon modules/img/logo.ico and to the desktop icons under
# dist/linux/icons/hicolor. The PNGs are compiled into TARGET's resources: modules/img/NAME.png under
# "/", modules/img/skinN/GROUP/NAME.png under "/GROUP", the paths the scene asks for.
function(qx7_add_images target)
    set(src ${CMAKE_SOURCE_DIR}/modules/img/src)
    set(out ${CMAKE_BINARY_DIR}/modules/img)
    file(GLOB_RECURSE svgs CONFIGURE_DEPENDS RELATIVE ${src} ${src}/*.svg)
    list(REMOVE_ITEM svgs logo.svg)

    set(outputs "")
    set(top_files "")
    set(groups "")
    foreach(svg IN LISTS svgs)
        string(REGEX REPLACE "\\.svg$" ".png" png ${svg})
        add_custom_command(OUTPUT ${out}/${png}
            COMMAND qx7-imggen ${src}/${svg} ${out}/${png}
            DEPENDS qx7-imggen ${src}/${svg}
            COMMENT "Rendering modules/img/${png}" VERBATIM)
        list(APPEND outputs ${out}/${png})
        if(png MATCHES "^skin[0-9]+/([^/]+)/")
            set(group ${CMAKE_MATCH_1})
            list(APPEND groups ${group})
            list(APPEND files_${group} ${out}/${png})
        else()
            list(APPEND top_files ${out}/${png})
        endif()
    endforeach()

    add_custom_command(OUTPUT ${out}/logo.ico
        COMMAND qx7-imggen ${src}/logo.svg ${out}/logo.ico 16 32 48 256
        DEPENDS qx7-imggen ${src}/logo.svg
        COMMENT "Rendering modules/img/logo.ico" VERBATIM)
    list(APPEND outputs ${out}/logo.ico)
    foreach(size 64 128 256)
        set(icon ${CMAKE_BINARY_DIR}/dist/linux/icons/hicolor/${size}x${size}/apps/qx7-config.png)
        add_custom_command(OUTPUT ${icon}
            COMMAND qx7-imggen ${src}/logo.svg ${icon} ${size}
            DEPENDS qx7-imggen ${src}/logo.svg
            COMMENT "Rendering the ${size} px desktop icon" VERBATIM)
        list(APPEND outputs ${icon})
    endforeach()
    add_custom_target(${target}_images ALL DEPENDS ${outputs})

    qt_add_resources(${target} "images" PREFIX "/" BASE ${CMAKE_BINARY_DIR} FILES ${top_files})
    list(REMOVE_DUPLICATES groups)
    foreach(group IN LISTS groups)
        qt_add_resources(${target} "images_${group}" PREFIX "/${group}" BASE ${CMAKE_BINARY_DIR}
            FILES ${files_${group}})
    endforeach()
endfunction()
