# Started without a display the editor ends with status 1 and one line that
# says why and how to run it on a virtual display, whether no display is
# named or the named one cannot be opened.
foreach(Display "" ":999")
  if(Display STREQUAL "")
    set(Env env -u DISPLAY -u WAYLAND_DISPLAY)
  else()
    set(Env env -u WAYLAND_DISPLAY DISPLAY=${Display})
  endif()
  execute_process(COMMAND ${Env} ${PROGRAM} RESULT_VARIABLE Rc OUTPUT_VARIABLE Out ERROR_VARIABLE Err
    TIMEOUT 30)
  string(REGEX REPLACE "[^\n]" "" Newlines "${Err}")
  string(LENGTH "${Newlines}" Count)
  if(NOT Rc EQUAL 1 OR NOT Count EQUAL 1 OR NOT Err MATCHES "needs a graphical display.*xvfb-run")
    message(FATAL_ERROR "DISPLAY '${Display}': status ${Rc}, standard error:\n${Err}")
  endif()
endforeach()
