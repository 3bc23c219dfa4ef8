# The programs' modules: shared objects that a program loads only when a
# run needs them, so that the other runs do not pay for their libraries.
# Each is built where the installation puts it, <build>/lib/polygrav beside
# the programs' folders, and exports only its entry points.
#   polygrav_add_module(NAME SOURCES a.cpp... LIBS libraries...)
function(polygrav_add_module name)
  cmake_parse_arguments(M "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} MODULE ${M_SOURCES})
  target_link_libraries(${name} PRIVATE ${M_LIBS})
  polygrav_target_options(${name})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib/polygrav CXX_VISIBILITY_PRESET hidden)
  install(TARGETS ${name} LIBRARY DESTINATION lib/polygrav)
endfunction()
