# System DLLs the player needs only once the user does something or the window is up (the open
# dialogs, the shell, MCI and the multimedia timer, COM and OLE, DirectShow's error texts) are
# delay-loaded: each is loaded at its
# first call instead of before the main window can show. Linking `delay_<name>` instead of
# `<name>` does it.
#
# The delay-import library is made here from the SDK's own import library: its exports become a
# module definition, and dlltool turns that into thunks that load the DLL on first use. GNU ld
# lays out a delay library's address slots inside the ordinary import table, where the loader
# overwrites them, so only the thunks are usable: the optional macro is the SDK's switch that declares the
# DLL's functions without dllimport, so calls go through the thunks (DirectShow's headers declare
# them so already).
find_program(TESMARO_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool REQUIRED)
find_program(TESMARO_NM NAMES ${TOOLCHAIN_PREFIX}-nm REQUIRED)

function(tesmaro_delay_import name)
  find_library(sdk_${name} NAMES ${name} REQUIRED)
  set(dir ${CMAKE_BINARY_DIR}/delay_imports)
  set(def ${dir}/${name}.def)
  set(lib ${dir}/lib${name}_delay.a)
  file(MAKE_DIRECTORY ${dir})
  if(NOT EXISTS ${lib} OR ${sdk_${name}} IS_NEWER_THAN ${lib})
    execute_process(COMMAND ${TESMARO_NM} ${sdk_${name}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # Every "__imp__Name@N" of the import library is one export, "Name@N" (-k drops the @N).
    string(REGEX MATCHALL "I __imp__[^\n]+" imports "${symbols}")
    set(text "LIBRARY ${name}.dll\nEXPORTS\n")
    foreach(entry IN LISTS imports)
      string(REPLACE "I __imp__" "" entry "${entry}")
      string(APPEND text "${entry}\n")
    endforeach()
    file(WRITE ${def} "${text}")
    execute_process(COMMAND ${TESMARO_DLLTOOL} -d ${def} -y ${lib} -k COMMAND_ERROR_IS_FATAL ANY)
  endif()
  add_library(delay_${name} STATIC IMPORTED GLOBAL)
  set_target_properties(delay_${name} PROPERTIES IMPORTED_LOCATION ${lib})
  if(ARGN)
    target_compile_definitions(delay_${name} INTERFACE ${ARGN})
  endif()
endfunction()

tesmaro_delay_import(comdlg32 _COMDLG32_)
tesmaro_delay_import(shell32 _SHELL32_)
tesmaro_delay_import(winmm _WINMM_)
tesmaro_delay_import(quartz)
tesmaro_delay_import(ole32 _OLE32_)
tesmaro_delay_import(oleaut32 _OLEAUT32_)
