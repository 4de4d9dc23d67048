# Removes the files listed in an installation manifest, and nothing else: folders stay, since
# an installation into /usr/local shares them with other programs. The manifest holds the paths
# without DESTDIR; an installation into a staging folder is removed with the same DESTDIR.
#   [DESTDIR=...] cmake -DMANIFEST=build/release/install_manifest.txt -P dist/Uninstall.cmake
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "No installation to remove: ${MANIFEST} does not exist (run the installation "
                        "from this build tree first).")
endif()

file(STRINGS "${MANIFEST}" installed_files)
foreach(installed IN LISTS installed_files)
    set(file "$ENV{DESTDIR}${installed}")
    if(EXISTS "${file}" OR IS_SYMLINK "${file}")
        message(STATUS "Removing ${file}")
        file(REMOVE "${file}")
        if(EXISTS "${file}" OR IS_SYMLINK "${file}")
            message(FATAL_ERROR "Could not remove ${file}")
        endif()
    else()
        message(STATUS "Already gone: ${file}")
    endif()
endforeach()
file(REMOVE "${MANIFEST}")
