# `cmake --install BUILD --prefix P` (make install: P = /usr/local) lays the program out as a Linux
# desktop program:
#   P/lib/korvane-config/   the application directory: the three programs, DefaultProfile.bin, skin/, lang/,
#                           the udev rule, the Configs/ template each user's settings are seeded from, and
#                           the marker file "installed", which keeps the programs from ever writing here
#                           (AppPaths)
#   P/bin/                  korvane-config and korvanectl, links to the programs; a program finds its
#                           application directory from its own resolved path, so a link leads it home
#   P/share/applications/, P/share/icons/hicolor/   the menu entry and its icons
#   P/share/metainfo/       the AppStream description software centres read
#   P/lib/udev/rules.d/     the logged-in user's access to the mouse's hidraw nodes
#   P/share/man/man1/       the manual pages of korvane-config and korvanectl (plain: a package compresses)
#   P/share/bash-completion/completions/, P/share/zsh/vendor-completions/, P/share/fish/vendor_completions.d/
#                           korvanectl's completions for bash, zsh and fish
set(KORVANE_INSTALL_APP_DIR lib/korvane-config)
set(_data ${PROJECT_SOURCE_DIR}/data)

install(TARGETS korvane-config korvane-osd korvanectl RUNTIME DESTINATION ${KORVANE_INSTALL_APP_DIR})
install(FILES ${_data}/DefaultProfile.bin ${_data}/installed DESTINATION ${KORVANE_INSTALL_APP_DIR})
install(DIRECTORY ${KORVANE_DIST_DIR}/skin DESTINATION ${KORVANE_INSTALL_APP_DIR})
install(DIRECTORY ${KORVANE_DIST_DIR}/lang DESTINATION ${KORVANE_INSTALL_APP_DIR}
    FILES_MATCHING PATTERN "*.qm")
# The template comes from the sources: build/dist/Configs holds the settings of whoever used the build.
install(DIRECTORY ${_data}/Configs DESTINATION ${KORVANE_INSTALL_APP_DIR})
install(DIRECTORY DESTINATION ${KORVANE_INSTALL_APP_DIR}/Configs/MacroDB)

foreach(_program korvane-config korvanectl)
    install(CODE "
        set(_link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${_program}\")
        message(STATUS \"Installing: \${_link}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
        file(CREATE_LINK ../${KORVANE_INSTALL_APP_DIR}/${_program} \"\${_link}\" SYMBOLIC)
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${_link}\")")
endforeach()

# The menu entry's icon at the sizes desktops ask for, painted like the skin.
set(_icons ${CMAKE_BINARY_DIR}/icons)
add_custom_command(OUTPUT ${_icons}.stamp
    COMMAND ${CMAKE_COMMAND} -E env ${KORVANE_TOOL_ENV} QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:skin-gen> --icons ${_icons} korvane-config
    COMMAND ${CMAKE_COMMAND} -E touch ${_icons}.stamp
    DEPENDS skin-gen
    COMMENT "Painting the desktop icons")
add_custom_target(korvane_desktop_icons ALL DEPENDS ${_icons}.stamp)
# The menu entry and the AppStream description are named after the program's reverse-DNS id, which the
# description's launchable names.
set(KORVANE_APP_ID io.github.korvane.KorvaneConfig)
set(KORVANE_HOMEPAGE https://github.com/korvane/korvane-config)
# No licence has been granted for the program yet; the package's debian/copyright says the same.
set(KORVANE_LICENSE LicenseRef-proprietary)
install(FILES ${_data}/${KORVANE_APP_ID}.desktop DESTINATION share/applications)
install(DIRECTORY ${_icons}/ DESTINATION share/icons/hicolor)

# The udev rule names the receiver's and the cable's ids of the shipped model, read from its description
# (vid1/pid1 the receiver, vid2/pid2 the cable) and written as udev compares them: four lowercase hex digits.
file(STRINGS ${_data}/DefaultProfile.bin _lines REGEX "^([vp]id[12]=[0-9]+|ProductName=)")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_data}/DefaultProfile.bin)
foreach(_line IN LISTS _lines)
    if(_line MATCHES "^ProductName=([^\r]*)")
        set(KORVANE_PRODUCT "${CMAKE_MATCH_1}")
    elseif(_line MATCHES "^([vp]id[12])=([0-9]+)" AND CMAKE_MATCH_2 LESS 65536)
        string(TOUPPER ${CMAKE_MATCH_1} _key)
        math(EXPR _hex "${CMAKE_MATCH_2} + 65536" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING ${_hex} 3 4 _hex)
        string(TOLOWER ${_hex} KORVANE_${_key})
        # The kernel's USB modalias writes them uppercase (usb:v248Ap8373...).
        string(TOUPPER ${_hex} KORVANE_MODALIAS_${_key})
    endif()
endforeach()
foreach(_key VID1 PID1 VID2 PID2)
    if(NOT KORVANE_${_key})
        message(FATAL_ERROR "data/DefaultProfile.bin holds no valid ${_key} for the udev rule")
    endif()
endforeach()
# It also lies beside the program, where korvanectl's advice copies it from to /etc/udev/rules.d when the
# program runs from build/dist.
set(_rule ${KORVANE_DIST_DIR}/70-korvane-config.rules)
configure_file(${_data}/70-korvane-config.rules.in ${_rule} @ONLY)
install(FILES ${_rule} DESTINATION lib/udev/rules.d)
install(FILES ${_rule} DESTINATION ${KORVANE_INSTALL_APP_DIR})

# The manual pages carry the project version in their title line.
set(KORVANE_MAN_DIR ${CMAKE_BINARY_DIR}/man)
foreach(_page korvane-config.1 korvanectl.1)
    configure_file(${_data}/man/${_page}.in ${KORVANE_MAN_DIR}/${_page} @ONLY)
    install(FILES ${KORVANE_MAN_DIR}/${_page} DESTINATION share/man/man1)
endforeach()

# korvanectl's completions, each where its shell looks for the completions of packaged programs.
install(FILES ${_data}/completions/korvanectl.bash DESTINATION share/bash-completion/completions
    RENAME korvanectl)
install(FILES ${_data}/completions/_korvanectl DESTINATION share/zsh/vendor-completions)
install(FILES ${_data}/completions/korvanectl.fish DESTINATION share/fish/vendor_completions.d)
# The session-bus interface the running window serves, where D-Bus tools look for descriptions.
install(FILES ${_data}/dbus/io.github.korvane.KorvaneConfig1.xml DESTINATION share/dbus-1/interfaces)
set(KORVANE_METAINFO ${CMAKE_BINARY_DIR}/${KORVANE_APP_ID}.metainfo.xml)
configure_file(${_data}/${KORVANE_APP_ID}.metainfo.xml.in ${KORVANE_METAINFO} @ONLY)
install(FILES ${KORVANE_METAINFO} DESTINATION share/metainfo)

# A ThreadSanitizer build's programs load the annotation library; installed, they find it beside them.
if(TARGET korvane_qt_sync_annotations)
    install(TARGETS korvane_qt_sync_annotations LIBRARY DESTINATION ${KORVANE_INSTALL_APP_DIR})
    set_target_properties(korvane-config korvane-osd korvanectl PROPERTIES INSTALL_RPATH "\$ORIGIN")
endif()
