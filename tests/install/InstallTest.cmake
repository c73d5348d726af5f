# cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=... -P InstallTest.cmake
set(PREFIX ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/runtime ${WORK_DIR}/home)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE Result OUTPUT_QUIET)
if(NOT Result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${Result}")
endif()

function(expect_file Path)
    if(NOT EXISTS ${PREFIX}/${Path})
        message(SEND_ERROR "not installed: ${Path}")
    endif()
endfunction()

# The program and its message file share the program directory; bin/tulma leads there.
expect_file(lib/tulma/tulma)
expect_file(lib/tulma/stdmess0.mes)
expect_file(lib/tulma/libtulma-desktop-entries.so)
expect_file(lib/tulma/libtulma-gnome-settings.so)
expect_file(lib/tulma/tulma-press)
if(NOT IS_SYMLINK ${PREFIX}/bin/tulma)
    message(SEND_ERROR "bin/tulma is not a symbolic link")
endif()
file(REAL_PATH ${PREFIX}/bin/tulma Linked)
file(REAL_PATH ${PREFIX}/lib/tulma/tulma Program)
if(NOT Linked STREQUAL Program)
    message(SEND_ERROR "bin/tulma leads to ${Linked}, not to ${Program}")
endif()
expect_file(share/applications/tulma.desktop)
expect_file(share/icons/hicolor/scalable/apps/tulma.svg)
foreach(size 16 22 24 32 48 64 128 256)
    expect_file(share/icons/hicolor/${size}x${size}/apps/tulma.png)
endforeach()
expect_file(share/man/man1/tulma.1.gz)
expect_file(lib/tulma/tulma_en.qm)
expect_file(bin/tulmafile)
foreach(uuid tulma-windows@tulma.org tulma-windows-45@tulma.org)
    expect_file(share/gnome-shell/extensions/${uuid}/metadata.json)
    expect_file(share/gnome-shell/extensions/${uuid}/extension.js)
endforeach()
expect_file(share/man/man1/tulmafile.1.gz)
foreach(doc README.md copyright changelog.gz)
    expect_file(share/doc/tulma/${doc})
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${PREFIX}/share/applications/tulma.desktop
                    RESULT_VARIABLE Result OUTPUT_VARIABLE Out ERROR_VARIABLE Out)
    if(NOT Result EQUAL 0)
        message(SEND_ERROR "the launcher entry is not valid: ${Out}")
    endif()
endif()

# Runs the installed program without any display, as from a plain terminal; the variables after ENV are
# set for it.
function(run_installed Expected)
    cmake_parse_arguments(ARG "" "" "ENV" ${ARGN})
    execute_process(
        COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME XDG_RUNTIME_DIR=${WORK_DIR}/runtime
                HOME=${WORK_DIR}/home ${ARG_ENV} ${PREFIX}/bin/tulma ${ARG_UNPARSED_ARGUMENTS}
        RESULT_VARIABLE Result OUTPUT_VARIABLE Out ERROR_VARIABLE Err TIMEOUT 30)
    if(NOT Result STREQUAL Expected)
        message(SEND_ERROR "tulma ${ARGN}: exit status ${Result}, expected ${Expected}\n${Out}${Err}")
    endif()
    set(Out "${Out}" PARENT_SCOPE)
    set(Err "${Err}" PARENT_SCOPE)
endfunction()

run_installed(0 --version)
if(NOT Out MATCHES "^Tulma ${VERSION} \\(")
    message(SEND_ERROR "--version printed \"${Out}\", not version ${VERSION}")
endif()
run_installed(0 --help)
if(NOT Out MATCHES "--run NAME")
    message(SEND_ERROR "--help does not tell about --run: ${Out}")
endif()
run_installed(2 --frobnicate)
if(NOT Err MATCHES "unknown option '--frobnicate'")
    message(SEND_ERROR "an unknown option is not named: ${Err}")
endif()
# Without a running Tulma or a display, --run still reads the default file, and says what it lacks.
run_installed(1 --run Nothing)
if(NOT Err MATCHES "no hotkey is named \"Nothing\" in ")
    message(SEND_ERROR "--run without a running Tulma or display does not say why: ${Err}")
endif()

# A start without a desktop ends with one line that names the variables looked at, and says which one
# was set but did not answer.
set(NeedsDesktop "^tulma: Tulma is a desktop program and needs a graphical session \\(X11 or Wayland\\): ")
run_installed(1)
if(NOT Err MATCHES "${NeedsDesktop}DISPLAY is not set, WAYLAND_DISPLAY is not set\n$")
    message(SEND_ERROR "a start without any display does not say what is missing: ${Err}")
endif()
run_installed(1 ENV DISPLAY=:4093 WAYLAND_DISPLAY=wayland-gone)
if(NOT Err MATCHES
   "${NeedsDesktop}DISPLAY=:4093 cannot be reached, WAYLAND_DISPLAY=wayland-gone cannot be reached\n$")
    message(SEND_ERROR "a start with displays that do not answer does not name them: ${Err}")
endif()
