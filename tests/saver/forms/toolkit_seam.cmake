# Fails when a source of the saver, or a portable platform header, names a toolkit outside its
# backend: FLTK (an FL/ header, an Fl_ type, an Fl:: call, an fl_ function or an FL_ constant)
# outside saver/forms/fltk, or <windows.h> outside saver/forms/win32. Everything else stays one
# source for every toolkit.
# Run with -DSOURCE_DIR=<the project's source folder>.
if(NOT IS_DIRECTORY "${SOURCE_DIR}/saver")
  message(FATAL_ERROR "SOURCE_DIR must name the project's source folder")
endif()
file(GLOB_RECURSE sources LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/saver/*.h"
     "${SOURCE_DIR}/saver/*.cpp")
file(GLOB headers LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/platform/*.h")
set(found "")
foreach(relative IN LISTS sources headers)
  file(STRINGS "${SOURCE_DIR}/${relative}" lines)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT relative MATCHES "^saver/forms/fltk/" AND line MATCHES "FL/|(^|[^A-Za-z0-9_])(Fl_|Fl::|fl_[a-z]|FL_[A-Z])")
      string(APPEND found "  ${relative}:${number}: ${line}\n")
    endif()
    if(NOT relative MATCHES "^saver/forms/win32/" AND line MATCHES "#include <windows.h>")
      string(APPEND found "  ${relative}:${number}: ${line}\n")
    endif()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "A toolkit is named outside its backend:\n${found}")
endif()
