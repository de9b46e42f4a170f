# Installs the build under /usr inside DEST, the way a package build does with DESTDIR, and
# checks that exactly the expected files arrive and that the desktop entry, file types and icons
# agree. Run by ctest with -DBUILD_DIR=... -DDEST=...
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${DEST})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DEST} ${CMAKE_COMMAND} --install ${BUILD_DIR}
            --prefix /usr
    RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(root ${DEST}/usr)
set(id org.sapwright.Sapwright)
set(sizes 16 22 24 32 48 64 128 256)
set(expected bin/sapwright share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml
    share/mime/packages/sapwright.xml share/icons/hicolor/scalable/apps/${id}.svg
    share/man/man1/sapwright.1.gz share/doc/sapwright/copyright share/doc/sapwright/changelog.gz
    share/doc/sapwright/README.md.gz share/doc/sapwright/user-guide.md.gz)
foreach(size ${sizes})
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
file(GLOB_RECURSE installed RELATIVE ${root} ${root}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

# expect(message condition...): fails with the message unless the condition holds.
function(expect what)
    if(NOT (${ARGN}))
        message(FATAL_ERROR "${what}")
    endif()
endfunction()

# Every PNG icon is drawn at its own size.
foreach(size ${sizes})
    file(READ ${root}/share/icons/hicolor/${size}x${size}/apps/${id}.png width
        OFFSET 16 LIMIT 4 HEX)
    math(EXPR width "0x${width}")
    expect("the ${size}px icon is ${width}px wide" width EQUAL size)
endforeach()

# The desktop entry opens a file, shows the installed icon and declares every file type.
file(READ ${root}/share/applications/${id}.desktop desktop)
expect("Exec does not take a file" desktop MATCHES "\nExec=sapwright %f\n")
expect("Icon is not ${id}" desktop MATCHES "\nIcon=${id}\n")
# Task bars group the windows under the entry by their class, the application's name.
expect("StartupWMClass is not Sapwright" desktop MATCHES "\nStartupWMClass=Sapwright\n")
file(READ ${root}/share/mime/packages/sapwright.xml mime)
string(REGEX MATCHALL "<mime-type type=\"[^\"]+\"" types "${mime}")
list(TRANSFORM types REPLACE "<mime-type type=\"([^\"]+)\"" "\\1")
list(LENGTH types count)
string(FIND "${desktop}" "\nMimeType=${types};\n" at)
expect("the desktop entry declares other types than ${types}" count EQUAL 3 AND NOT at EQUAL -1)
file(READ ${root}/share/metainfo/${id}.metainfo.xml metainfo)
expect("metainfo has unfilled values" NOT metainfo MATCHES "@[A-Z_]+@")
