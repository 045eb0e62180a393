# Copies the shipped data into DEST. DefaultProfile.bin always follows the source; files under Configs/
# are the user's once installed and are only added when missing.
file(COPY ${SOURCE}/DefaultProfile.bin DESTINATION ${DEST})
file(GLOB_RECURSE _files RELATIVE ${SOURCE}/Configs ${SOURCE}/Configs/*)
foreach(_rel IN LISTS _files)
    if(NOT EXISTS "${DEST}/Configs/${_rel}")
        get_filename_component(_dir "${DEST}/Configs/${_rel}" DIRECTORY)
        file(COPY "${SOURCE}/Configs/${_rel}" DESTINATION "${_dir}")
    endif()
endforeach()
file(MAKE_DIRECTORY ${DEST}/Configs/MacroDB ${DEST}/lang ${DEST}/skin)
