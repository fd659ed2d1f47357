# cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DVERSION=... -P CheckInstall.cmake
#
# Runs `cmake --install` into PREFIX, then checks that exactly the expected files were installed,
# that the menu entry, icons and metadata carry the right names and version, and, when the tools
# are present, that desktop-file-validate and appstreamcli accept the installed files.
cmake_minimum_required(VERSION 3.25)

foreach(variable BUILD_DIR PREFIX APP_ID VERSION)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

# Every check runs and every failure is reported together at the end.
function(fail text)
    set_property(GLOBAL APPEND_STRING PROPERTY install_check_failures "${text}\n")
endfunction()

# The install overwrites the build directory's install_manifest.txt, the record a real install
# leaves for uninstalling; keep the user's record as it was.
set(manifest "${BUILD_DIR}/install_manifest.txt")
if(EXISTS "${manifest}")
    file(READ "${manifest}" saved_manifest)
endif()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)

if(DEFINED saved_manifest)
    file(WRITE "${manifest}" "${saved_manifest}")
else()
    file(REMOVE "${manifest}")
endif()
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (is the vantrelle executable built?):\n${output}")
endif()

set(desktop_file share/applications/${APP_ID}.desktop)
set(metainfo_file share/metainfo/${APP_ID}.metainfo.xml)
set(png_icon share/icons/hicolor/48x48/apps/${APP_ID}.png)
set(svg_icon share/icons/hicolor/scalable/apps/${APP_ID}.svg)
set(doc_dir share/doc/vantrelle)
set(expected bin/vantrelle ${desktop_file} ${metainfo_file} ${png_icon} ${svg_icon}
             ${doc_dir}/copyright ${doc_dir}/changelog.Debian.gz share/man/man1/vantrelle.1.gz)
list(SORT expected)

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
if(NOT installed STREQUAL expected)
    string(REPLACE ";" "\n  " expected_text "${expected}")
    string(REPLACE ";" "\n  " installed_text "${installed}")
    fail("installed files differ\nexpected:\n  ${expected_text}\ninstalled:\n  ${installed_text}")
endif()

# A line of a text file, matched whole.
function(expect_line file line)
    if(NOT EXISTS "${PREFIX}/${file}")
        return()
    endif()
    file(STRINGS "${PREFIX}/${file}" lines)
    if(NOT line IN_LIST lines)
        fail("${file} has no line \"${line}\"")
    endif()
endfunction()

function(expect_text file text)
    if(NOT EXISTS "${PREFIX}/${file}")
        return()
    endif()
    file(READ "${PREFIX}/${file}" content)
    string(FIND "${content}" "${text}" position)
    if(position EQUAL -1)
        fail("${file} does not contain \"${text}\"")
    endif()
endfunction()

expect_line(${desktop_file} "Name=Vantrelle Ostrapine")
expect_line(${desktop_file} "Exec=vantrelle")
expect_line(${desktop_file} "Icon=${APP_ID}")
expect_line(${desktop_file} "Terminal=false")
expect_line(${desktop_file} "StartupWMClass=vantrelle")

expect_text(${metainfo_file} "<id>${APP_ID}</id>")
expect_text(${metainfo_file} "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
expect_text(${metainfo_file} "<binary>vantrelle</binary>")
expect_text(${metainfo_file} "<release version=\"${VERSION}\"")
if(EXISTS "${PREFIX}/${metainfo_file}")
    file(READ "${PREFIX}/${metainfo_file}" metainfo)
    if(metainfo MATCHES "@[A-Z_]+@")
        fail("${metainfo_file} keeps the unreplaced placeholder ${CMAKE_MATCH_0}")
    endif()
endif()

# The hicolor theme looks the 48x48 icon up by size, so the PNG must really be 48 by 48: the
# width and height are the two big-endian words after the signature and the IHDR chunk header.
if(EXISTS "${PREFIX}/${png_icon}")
    file(READ "${PREFIX}/${png_icon}" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 16 size)
    if(NOT signature STREQUAL "89504e470d0a1a0a")
        fail("${png_icon} is not a PNG file")
    elseif(NOT size STREQUAL "0000003000000030")
        fail("${png_icon} is not 48x48 (width and height words: ${size})")
    endif()
endif()
expect_text(${svg_icon} "<svg")

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE AND EXISTS "${PREFIX}/${desktop_file}")
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${PREFIX}/${desktop_file}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    # It reports hints on stdout with a zero status; anything it prints is worth fixing.
    if(NOT result EQUAL 0 OR NOT output STREQUAL "")
        fail("desktop-file-validate:\n${output}")
    else()
        message(STATUS "desktop-file-validate: ${desktop_file} is valid")
    endif()
elseif(NOT DESKTOP_FILE_VALIDATE)
    message(STATUS "desktop-file-validate not found (package desktop-file-utils): check skipped")
endif()

find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI AND EXISTS "${PREFIX}/${metainfo_file}")
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --explain "${PREFIX}/${metainfo_file}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        fail("appstreamcli validate:\n${output}")
    else()
        message(STATUS "appstreamcli validate:\n${output}")
    endif()
    # The tree check also finds the menu entry the metadata launches.
    execute_process(COMMAND "${APPSTREAMCLI}" validate-tree --no-net "${PREFIX}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        fail("appstreamcli validate-tree:\n${output}")
    else()
        message(STATUS "appstreamcli validate-tree:\n${output}")
    endif()
elseif(NOT APPSTREAMCLI)
    message(STATUS "appstreamcli not found (package appstream): check skipped")
endif()

get_property(failures GLOBAL PROPERTY install_check_failures)
if(NOT "${failures}" STREQUAL "")
    message(FATAL_ERROR "${failures}")
endif()
message(STATUS "installed tree in ${PREFIX} is complete")
