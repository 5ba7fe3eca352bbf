# Delay-loaded imports: a Windows DLL that only some user actions need is loaded when the first of its functions is
# called, not when the program starts. MSVC's linker does it with /DELAYLOAD; for MinGW-w64, dlltool builds a
# delay-import library from the list of the DLL's functions, read here from the toolchain's ordinary import library.
# Either way the program still imports only Windows' own DLLs, and no call site changes.

# Links target (PUBLIC) with each named DLL ("shell32", ...) delay-loaded.
function(tessaly_link_delay_loaded target)
  if(MSVC)
    foreach(dll IN LISTS ARGN)
      target_link_libraries(${target} PUBLIC ${dll})
      target_link_options(${target} PUBLIC /DELAYLOAD:${dll}.dll)
    endforeach()
    target_link_libraries(${target} PUBLIC delayimp)
    return()
  endif()
  foreach(dll IN LISTS ARGN)
    tessaly_make_delay_import_lib(${dll} library)
    target_link_libraries(${target} PUBLIC ${library})
  endforeach()
endfunction()

# Builds lib<dll>_delay.a once per build tree (at configure time: it depends only on the toolchain) and returns its
# path in out_var.
function(tessaly_make_delay_import_lib dll out_var)
  set(output ${CMAKE_BINARY_DIR}/delay-imports/lib${dll}_delay.a)
  set(${out_var} ${output} PARENT_SCOPE)
  find_library(TESSALY_IMPORT_LIB_${dll} NAMES lib${dll}.a ${dll} REQUIRED)
  set(import_lib ${TESSALY_IMPORT_LIB_${dll}})
  if(EXISTS ${output} AND NOT ${import_lib} IS_NEWER_THAN ${output})
    return()
  endif()
  if(NOT CMAKE_NM OR NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "delay-loaded ${dll}: nm and dlltool of the toolchain are needed")
  endif()

  execute_process(COMMAND ${CMAKE_NM} -g ${import_lib} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  # A function has both a thunk ("T name") and an import slot ("I __imp_name"); data has only the slot and cannot be
  # delay-loaded.
  string(REGEX MATCHALL " T [^\n]+" thunk_lines "${symbols}")
  list(TRANSFORM thunk_lines REPLACE "^ T " "")
  string(REGEX MATCHALL " I __imp_[^\n]+" slot_lines "${symbols}")
  list(TRANSFORM slot_lines REPLACE "^ I __imp_" "")
  set(exports "")
  foreach(symbol IN LISTS slot_lines)
    if(NOT symbol IN_LIST thunk_lines)
      continue()
    endif()
    # i686 symbols carry the C prefix "_" ("_ShellExecuteA@24"); the DLL's export names do not.
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "^_" "" symbol "${symbol}")
    endif()
    list(APPEND exports "${symbol}")
  endforeach()
  if(NOT exports)
    message(FATAL_ERROR "${import_lib} names no functions")
  endif()
  list(REMOVE_DUPLICATES exports)
  list(JOIN exports "\n" export_lines)

  get_filename_component(output_dir ${output} DIRECTORY)
  file(MAKE_DIRECTORY ${output_dir})
  file(WRITE ${output}.def "LIBRARY ${dll}.dll\nEXPORTS\n${export_lines}\n")
  # -k: the name looked up at run time drops the "@n" of i686 stdcall symbols, as the DLL exports it.
  # Names relative to the folder: dlltool makes the library's member and symbol names from the path it is given,
  # and an absolute one would put the build folder into every exe (and the release would differ by where it was made).
  execute_process(COMMAND ${CMAKE_DLLTOOL} -k -d lib${dll}_delay.a.def -D ${dll}.dll -y lib${dll}_delay.a
                  WORKING_DIRECTORY ${output_dir} COMMAND_ERROR_IS_FATAL ANY)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    tessaly_move_delay_tables_out_of_idata(${output})
  endif()
endfunction()

# The i686 linker of binutils 2.40 sorts the delay-load tables, which dlltool puts in .idata sections, among the
# ordinary imports and writes their slots as zeros, so the first call jumps to address 0. Renamed to .didat (the
# section Microsoft's linker uses for them), they stay one table of their own: the head (the table's start) first,
# then one entry per function, then the tail (its end), ordered by the letters after "$".
function(tessaly_move_delay_tables_out_of_idata library)
  set(flags contents,alloc,load,data)
  execute_process(COMMAND ${CMAKE_OBJCOPY}
                    --rename-section .idata$2=.didat$2,${flags} --rename-section .idata$4=.didat$4m,${flags}
                    --rename-section .idata$5=.didat$5m,${flags} --rename-section .idata$6=.didat$6,${flags}
                    --rename-section .idata$7=.didat$7,${flags} ${library}
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_AR} t ${library} OUTPUT_VARIABLE members COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCH "[^\n]*_h\\.o" head "${members}")
  string(REGEX MATCH "[^\n]*_t\\.o" tail "${members}")
  if(NOT head OR NOT tail)
    message(FATAL_ERROR "${library}: no head or tail member")
  endif()
  get_filename_component(dir ${library} DIRECTORY)
  execute_process(COMMAND ${CMAKE_AR} x ${library} ${head} ${tail} WORKING_DIRECTORY ${dir} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --rename-section .didat$4m=.didat$4a --rename-section .didat$5m=.didat$5a
                    ${head} WORKING_DIRECTORY ${dir} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --rename-section .didat$4m=.didat$4z --rename-section .didat$5m=.didat$5z
                    ${tail} WORKING_DIRECTORY ${dir} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_AR} r ${library} ${head} ${tail} WORKING_DIRECTORY ${dir} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${dir}/${head} ${dir}/${tail})
endfunction()
