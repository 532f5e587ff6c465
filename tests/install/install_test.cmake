# Installs the build into a staging folder and runs the installed programs from
# there: if97, sestava over the installed template, and the window of an
# installed copy (installed_window_test) with a read-only program folder and a
# fresh configuration folder.
#   cmake -DBUILD=… -DWORK=… -DWINDOW_TEST=… -P install_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(DEST ${WORK}/dest)
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DEST} ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(PREFIX ${DEST}/usr)
foreach(file bin/tab97 bin/if97 bin/sestava share/tab97/zostava.pts share/tab97/SestDLL.ini share/tab97/DiagrTS.bmp
        share/applications/tab97.desktop share/icons/hicolor/256x256/apps/tab97.png share/man/man1/if97.1.gz)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

execute_process(COMMAND ${PREFIX}/bin/if97 state TP 284.15 16.257 RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "Pressure water|tlakové vody")
  message(FATAL_ERROR "installed if97: ${rc}\n${out}")
endif()

file(WRITE ${WORK}/points.csv "Vel1,Vel2,Vel3,Vel4,Vel5,Vel6\n284.15,16.257,0.00101,0.4,50.1,0\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                ${PREFIX}/bin/sestava run ${PREFIX}/share/tab97/zostava.pts --data ${WORK}/points.csv --quiet
                --param T --param P --param V --param S --param I --param X --param C --param MPa --param m3 --param s
                --param kJ --param 1 --param Nadpis --param Sestava --param Bod --text ${WORK}/out.txt
                RESULT_VARIABLE rc ERROR_VARIABLE err)
file(READ ${WORK}/out.txt text)
if(NOT rc EQUAL 0 OR NOT text MATCHES "284.15" OR NOT text MATCHES "Nadpis")
  message(FATAL_ERROR "installed sestava: ${rc} ${err}\n${text}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen TAB97_INSTALLED_PREFIX=${PREFIX}
                XDG_CONFIG_HOME=${WORK}/config ${WINDOW_TEST}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed window: ${rc}\n${out}")
endif()
file(CHMOD ${PREFIX}/bin DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
