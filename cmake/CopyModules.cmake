# Copies modules/ into the build folder. The files the program writes while it runs (configuration,
# profile slots, name lists, macros, gun presets) are only copied when missing, so rebuilding never
# throws away what the user changed; everything else follows the source tree.
# Usage: cmake -DSOURCE=<modules> -DDEST=<build>/modules -P CopyModules.cmake
file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
# The scene is compiled into the program; it is not needed beside it. The artwork's sources stay
# behind too: the build renders them into modules/img.
list(FILTER files EXCLUDE REGEX "^qml/")
list(FILTER files EXCLUDE REGEX "^img/src/")
set(user_data
    "^setting/apConfig\\.bin$"
    "^setting/p[0-9]+\\.bin$"
    "^setting/name\\.bin$"
    "^macro/"
    "^gun/")
foreach(file IN LISTS files)
    set(keep FALSE)
    foreach(pattern IN LISTS user_data)
        if(file MATCHES "${pattern}" AND EXISTS "${DEST}/${file}")
            set(keep TRUE)
        endif()
    endforeach()
    if(NOT keep)
        get_filename_component(dir "${DEST}/${file}" DIRECTORY)
        file(MAKE_DIRECTORY "${dir}")
        execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${SOURCE}/${file}" "${DEST}/${file}")
    endif()
endforeach()
