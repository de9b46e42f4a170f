# Installation (GNUInstallDirs) and the Debian package built by `make package`.
# The version is the release date; the man page, metainfo and Debian changelog carry it.
include(GNUInstallDirs)
# Named after the package, as Debian wants, rather than after the project.
set(docDir ${CMAKE_INSTALL_DATAROOTDIR}/doc/sapwright)

set(appId org.sapwright.Sapwright)
set(pkg ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${PROJECT_BINARY_DIR}/packaging)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Sapwright developers <maintainers@sapwright.org>")

# The release date as YYYY-MM-DD and as the RFC 2822 date of the changelog (weekday by
# Sakamoto's rule, so no date tool is needed).
set(y ${PROJECT_VERSION_MAJOR})
set(m ${PROJECT_VERSION_MINOR})
set(d ${PROJECT_VERSION_PATCH})
if(m LESS 10)
    set(m2 0${m})
else()
    set(m2 ${m})
endif()
if(d LESS 10)
    set(d2 0${d})
else()
    set(d2 ${d})
endif()
set(SAPWRIGHT_RELEASE_DATE ${y}-${m2}-${d2})
set(monthOffsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR mIndex "${m} - 1")
list(GET monthOffsets ${mIndex} offset)
set(yw ${y})
if(m LESS 3)
    math(EXPR yw "${y} - 1")
endif()
math(EXPR weekday "(${yw} + ${yw} / 4 - ${yw} / 100 + ${yw} / 400 + ${offset} + ${d}) % 7")
set(dayNames Sun Mon Tue Wed Thu Fri Sat)
set(monthNames Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET dayNames ${weekday} dayName)
list(GET monthNames ${mIndex} monthName)
set(SAPWRIGHT_RELEASE_DATE_RFC2822 "${dayName}, ${d2} ${monthName} ${y} 00:00:00 +0000")

# One text of what the release brings, for the changelog and the metainfo: items begin with
# "- ", their further lines with two blanks.
file(READ ${pkg}/release-notes.txt notes)
string(STRIP "${notes}" notes)
string(REGEX REPLACE "\n  " "\n    " SAPWRIGHT_CHANGELOG_NOTES "${notes}")
string(REGEX REPLACE "(^|\n)- " "\\1  * " SAPWRIGHT_CHANGELOG_NOTES "${SAPWRIGHT_CHANGELOG_NOTES}")
string(REGEX REPLACE "\n  " " " notes "${notes}")
string(REGEX REPLACE "(^|\n)- ([^\n]*)" "\\1          <li>\\2</li>" SAPWRIGHT_RELEASE_NOTES
    "${notes}")
configure_file(${pkg}/${appId}.metainfo.xml.in ${generated}/${appId}.metainfo.xml @ONLY)
configure_file(${pkg}/sapwright.1.in ${generated}/sapwright.1 @ONLY)
configure_file(${pkg}/changelog.in ${generated}/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/README.md ${generated}/README.md COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/docs/user-guide.md ${generated}/user-guide.md COPYONLY)
# Debian wants them compressed, without a name or time stamp in the gzip header.
add_custom_command(OUTPUT ${generated}/sapwright.1.gz
    COMMAND gzip -9nkf ${generated}/sapwright.1
    DEPENDS ${generated}/sapwright.1 VERBATIM)
foreach(doc changelog README.md user-guide.md)
    add_custom_command(OUTPUT ${generated}/${doc}.gz
        COMMAND gzip -9nkf ${generated}/${doc}
        DEPENDS ${generated}/${doc} VERBATIM)
    list(APPEND compressedDocs ${generated}/${doc}.gz)
endforeach()
add_custom_target(packaging_docs ALL DEPENDS ${generated}/sapwright.1.gz ${compressedDocs})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS sapwright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${pkg}/${appId}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${appId}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${pkg}/sapwright-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME sapwright.xml)
install(FILES ${pkg}/icons/${appId}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${pkg}/icons/sapwright-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${appId}.png)
endforeach()
install(FILES ${generated}/sapwright.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pkg}/copyright ${compressedDocs} DESTINATION ${docDir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sapwright)
set(CPACK_PACKAGE_VENDOR "The Sapwright developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "tree, stand and location data entry for the Velk forest growth simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Sapwright is a desktop data-entry program for foresters. It prepares the three
plain-text input files of the Velk forest growth simulator and its front end
Vorlin: the tree data file, the Stand List File and the Locations File.
Entry fields check every keystroke, and a loaded line is written back unchanged
unless it is edited.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from dpkg-shlibdeps; the platform plugins are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The windows are laid out for a sans with Arial's widths; without one, captions are fitted.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS 
    "fonts-liberation | fonts-liberation2 | fonts-croscore, fonts-dejavu-core")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
include(CPack)
