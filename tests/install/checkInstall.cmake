# Installs the build into a scratch prefix and checks the desktop integration.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(appId example.vexlo.TexteVersPdb)
foreach(installed
        bin/texte-vers-pdb
        bin/texte-vers-pdb-cli
        share/applications/${appId}.desktop
        share/icons/hicolor/32x32/apps/${appId}.png
        share/icons/hicolor/scalable/apps/${appId}.svg)
    if(NOT EXISTS ${PREFIX}/${installed})
        message(FATAL_ERROR "not installed: ${installed}")
    endif()
endforeach()
execute_process(COMMAND desktop-file-validate ${PREFIX}/share/applications/${appId}.desktop
                RESULT_VARIABLE invalid OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(invalid OR NOT report STREQUAL "")
    message(FATAL_ERROR "desktop file: ${report}")
endif()
file(REMOVE_RECURSE ${PREFIX})
