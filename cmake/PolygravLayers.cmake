# The core's folders as libraries in layers: each folder is a static library
# that may include its own headers and those of the layers it depends on,
# and nothing above them. A header is reachable only through an include root
# of its own, <build>/layers/<folder>, which holds one link named after the
# folder to the folder itself; a library gets its own root and, through its
# dependencies' public include directories, theirs. An include of a higher
# layer's header therefore fails to compile ("No such file or directory").

# Declares the library polygrav_<folder>; the folder's CMakeLists.txt adds
# its sources with target_sources.
#   polygrav_add_layer(FOLDER [DEPENDS lower folders...] [LIBS other libraries...])
function(polygrav_add_layer folder)
  cmake_parse_arguments(L "" "" "DEPENDS;LIBS" ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  add_library(polygrav_${folder} STATIC)
  target_include_directories(polygrav_${folder} PUBLIC $<BUILD_INTERFACE:${root}>)
  list(TRANSFORM L_DEPENDS PREPEND polygrav_)
  target_link_libraries(polygrav_${folder} PUBLIC ${L_DEPENDS} ${L_LIBS})
  polygrav_target_options(polygrav_${folder})
endfunction()
