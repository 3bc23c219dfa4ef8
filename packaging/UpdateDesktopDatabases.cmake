# Runs at the end of the installation: rebuilds the MIME database and the
# MIME cache of the desktop entries under the prefix, so that file managers
# know .pgv documents and open them with Polygrav at once.
#
# A staged installation (DESTDIR set) is left alone: the databases belong to
# the system the files end up on. A missing or failing tool never fails the
# installation; it is named so that it can be run by hand.

if(NOT "$ENV{DESTDIR}" STREQUAL "")
  message(STATUS "DESTDIR is set: the MIME and desktop databases are left to the target system")
  return()
endif()

if(IS_ABSOLUTE "${POLYGRAV_INSTALL_DATADIR}")
  set(_polygrav_share "${POLYGRAV_INSTALL_DATADIR}")
else()
  set(_polygrav_share "${CMAKE_INSTALL_PREFIX}/${POLYGRAV_INSTALL_DATADIR}")
endif()

foreach(_polygrav_update IN ITEMS "update-mime-database;mime" "update-desktop-database;applications")
  list(GET _polygrav_update 0 _polygrav_tool_name)
  list(GET _polygrav_update 1 _polygrav_folder)
  unset(_polygrav_tool)
  find_program(_polygrav_tool ${_polygrav_tool_name} NO_CACHE)
  if(NOT _polygrav_tool)
    message(STATUS "${_polygrav_tool_name} not found: run it on ${_polygrav_share}/${_polygrav_folder} later")
    continue()
  endif()
  execute_process(COMMAND "${_polygrav_tool}" "${_polygrav_share}/${_polygrav_folder}"
                  RESULT_VARIABLE _polygrav_result OUTPUT_QUIET ERROR_QUIET)
  if(_polygrav_result EQUAL 0)
    message(STATUS "Updated: ${_polygrav_share}/${_polygrav_folder}")
  else()
    message(STATUS "${_polygrav_tool_name} ${_polygrav_share}/${_polygrav_folder} failed (${_polygrav_result}); run it by hand")
  endif()
endforeach()
