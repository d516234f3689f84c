# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source of the std-only logic includes a Qt, X11 or xcb header.
# Called by the build with -DSOURCE_ROOT=<src folder>.
set(logic_dirs core script playback activation capture library editing platform)
set(offenders "")
foreach(dir IN LISTS logic_dirs)
    file(GLOB_RECURSE files "${SOURCE_ROOT}/${dir}/*.h" "${SOURCE_ROOT}/${dir}/*.cpp")
    foreach(file IN LISTS files)
        # The real backend lives in platform/x11 and may of course include X11.
        if(file MATCHES "/platform/x11/")
            continue()
        endif()
        file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q|X11/|xcb/)")
        if(includes)
            list(APPEND offenders "${file}: ${includes}")
        endif()
    endforeach()
endforeach()
if(offenders)
    list(JOIN offenders "\n  " text)
    message(FATAL_ERROR "orvane_logic must use the standard library only:\n  ${text}")
endif()
