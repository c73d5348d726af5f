# cmake -DBUILD_DIR=... -DWORK_DIR=... -P DebianPackageTest.cmake
find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
    message("dpkg-deb is missing: no Debian package is built")
    return()
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${WORK_DIR}
                RESULT_VARIABLE Result OUTPUT_VARIABLE Out ERROR_VARIABLE Out)
if(NOT Result EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${Out}")
endif()
file(GLOB Packages ${WORK_DIR}/tulma_*.deb)
list(LENGTH Packages Count)
if(NOT Count EQUAL 1)
    message(FATAL_ERROR "expected one package, found: ${Packages}")
endif()

execute_process(COMMAND ${DPKG_DEB} --contents ${Packages} OUTPUT_VARIABLE Contents)
foreach(Entry "./usr/lib/tulma/tulma" "./usr/lib/tulma/stdmess0.mes" "./usr/bin/tulma -> ../lib/tulma/tulma"
              "./usr/share/applications/tulma.desktop" "./usr/share/man/man1/tulma.1.gz"
              "./usr/share/icons/hicolor/48x48/apps/tulma.png" "./usr/lib/tulma/tulma_en.qm"
              "./usr/bin/tulmafile" "./usr/share/man/man1/tulmafile.1.gz" "./usr/share/doc/tulma/README.md"
              "./usr/share/doc/tulma/copyright" "./usr/share/doc/tulma/changelog.gz" "./usr/lib/tulma/tulma-press"
              "./usr/share/gnome-shell/extensions/tulma-windows@tulma.org/extension.js"
              "./usr/share/gnome-shell/extensions/tulma-windows-45@tulma.org/metadata.json")
    string(FIND "${Contents}" "${Entry}" Found)
    if(Found EQUAL -1)
        message(SEND_ERROR "the package lacks ${Entry}:\n${Contents}")
    endif()
endforeach()
execute_process(COMMAND ${DPKG_DEB} --field ${Packages} Depends OUTPUT_VARIABLE Depends)
foreach(Library libqt6widgets6 libqt6svg6)
    if(NOT Depends MATCHES "${Library}")
        message(SEND_ERROR "the package does not depend on ${Library}: ${Depends}")
    endif()
endforeach()
