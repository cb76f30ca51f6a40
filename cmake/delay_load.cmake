# Delay-loaded libraries: the program reaches them through delay-import
# libraries made here with dlltool, so each is loaded on its first call, long
# after the entry point has limited library loading to the system folder
# (src/app/entry.cpp). COMCTL32 is not among the system's known libraries.
# COMDLG32 and SHELL32 are, but as imports they would be loaded with the
# process, before the entry point, together with the libraries they import in
# turn, and Wine takes some of those (shcore, compstui) from the program's folder.
#
# Each delay_load/<name>.def lists the functions Ferrow calls, with their
# 32-bit stdcall decoration, which the 64-bit build drops. A function missing
# there is left undefined, or linked as an ordinary import from the toolchain's
# default libraries, which fails the import check (tools/pe_imports.py). dlltool's 64-bit delay thunks keep only the four
# integer argument registers: none of these functions takes floating-point
# arguments.
set(FERROW_DELAY_LOADED comctl32 comdlg32 shell32)

set(ferrow_delay_libraries)
foreach(name ${FERROW_DELAY_LOADED})
  set(source_def ${CMAKE_CURRENT_LIST_DIR}/delay_load/${name}.def)
  set(def ${CMAKE_BINARY_DIR}/delay_load/${name}.def)
  set(library ${CMAKE_BINARY_DIR}/delay_load/lib${name}_delay.a)
  file(READ ${source_def} text)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    string(REGEX REPLACE "@[0-9]+" "" text "${text}")
    set(kill_at)
  else()
    set(kill_at --kill-at)
  endif()
  set(written "")
  if(EXISTS ${def})
    file(READ ${def} written)
  endif()
  if(NOT written STREQUAL text)
    file(WRITE ${def} "${text}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source_def})
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_DLLTOOL} ${kill_at} --input-def ${def} --output-delaylib ${library}
    DEPENDS ${def}
    COMMENT "Delay-import library for ${name}"
    VERBATIM)
  list(APPEND ferrow_delay_libraries ${library})
endforeach()
add_custom_target(ferrow_delay_libraries DEPENDS ${ferrow_delay_libraries})
