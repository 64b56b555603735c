# Runs at install time: fills the installed command's full path into the idle start's unit and
# autostart entry and into the manual, and installs them.
set(prefix "${CMAKE_INSTALL_PREFIX}")
# A folder of this install's own: two installs from one build may run at once.
string(MD5 destination "$ENV{DESTDIR}${prefix}")
set(HOARVEIL_CONFIGURED "${HOARVEIL_CONFIGURED}/${destination}")
set(HOARVEIL_COMMAND "${prefix}/bin/hoarveil")
set(HOARVEIL_FULL_PROGRAM_DIR "${prefix}/lib/hoarveil")
set(HOARVEIL_FULL_UNIT_DIR "${prefix}/lib/systemd/user")
set(HOARVEIL_AUTOSTART_TEMPLATE "${prefix}/share/hoarveil/hoarveil-idle.desktop")

configure_file("${HOARVEIL_TEMPLATES}/hoarveil-idle.service.in" "${HOARVEIL_CONFIGURED}/hoarveil-idle.service" @ONLY)
configure_file("${HOARVEIL_TEMPLATES}/hoarveil-idle.desktop.in" "${HOARVEIL_CONFIGURED}/hoarveil-idle.desktop" @ONLY)
configure_file("${HOARVEIL_TEMPLATES}/hoarveil.1.in" "${HOARVEIL_CONFIGURED}/hoarveil.1" @ONLY)
# Compressed without a time stamp, as Debian's packages carry manuals and change logs.
foreach(document hoarveil.1 changelog)
  if(document STREQUAL changelog)
    set(source "${HOARVEIL_TEMPLATES}/changelog")
  else()
    set(source "${HOARVEIL_CONFIGURED}/${document}")
  endif()
  execute_process(COMMAND gzip -9nc "${source}" OUTPUT_FILE "${HOARVEIL_CONFIGURED}/${document}.gz"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip failed on ${source}")
  endif()
endforeach()

file(INSTALL "${HOARVEIL_CONFIGURED}/hoarveil-idle.service" DESTINATION "${HOARVEIL_FULL_UNIT_DIR}")
file(INSTALL "${HOARVEIL_CONFIGURED}/hoarveil-idle.desktop" DESTINATION "${prefix}/share/hoarveil")
file(INSTALL "${HOARVEIL_CONFIGURED}/hoarveil.1.gz" DESTINATION "${prefix}/share/man/man1")
file(INSTALL "${HOARVEIL_CONFIGURED}/changelog.gz" DESTINATION "${prefix}/share/doc/hoarveil")
