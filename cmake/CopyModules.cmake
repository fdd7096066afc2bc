# Copies modules/ into the build folder. The files the program writes while it runs (configuration,
# profile slots, name lists, macros, gun presets) are only copied when missing, so rebuilding never
# throws away what the user changed; everything else follows the source tree.
# Usage: cmake -DSOURCE=<modules> -DDEST=<build>/modules -P CopyModules.cmake
# The artwork's sources stay behind: the build renders them into modules/img.
file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
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
