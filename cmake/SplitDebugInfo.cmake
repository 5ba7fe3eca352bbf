# The debug information of a program goes into <program>.debug beside it, linked by name (.gnu_debuglink), as MSVC
# keeps it in a .pdb: Wine copies every section of a MinGW image into memory when it loads it, so debug sections
# left in the exe would add megabytes to the working set of every start.
function(tessaly_split_debug_info target)
  if(MSVC OR NOT CMAKE_OBJCOPY)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
            $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
