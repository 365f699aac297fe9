# Run by CPack on the staged files before it packs them: the executables are
# stripped as Debian strips its own, without the compiler's comment and notes.
file(GLOB_RECURSE executables "${CPACK_TEMPORARY_DIRECTORY}/*/lib/palmora/palmora"
  "${CPACK_TEMPORARY_DIRECTORY}/*/lib/palmora/palmora-search" "${CPACK_TEMPORARY_DIRECTORY}/*/lib/palmora/palmora-anketa")
foreach(executable IN LISTS executables)
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note --strip-unneeded "${executable}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "Could not strip ${executable}")
  endif()
endforeach()
