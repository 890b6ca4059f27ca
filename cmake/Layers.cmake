# The layers, one way: text; the platform seams and the line file on it,
# and beside them the MIF format model, which touches no file; the merge on
# both; then the front ends. Every source may include from its own folder
# and the folders below it; an include from any other stops the configure.
set(MIF_LAYER_text text)
set(MIF_LAYER_platform text platform)
set(MIF_LAYER_file text platform file)
set(MIF_LAYER_format text format)
set(MIF_LAYER_merge text platform file format merge)
set(MIF_LAYER_cli text platform file format merge cli)
set(MIF_LAYER_ui text platform file format merge ui)

file(GLOB_RECURSE mif_layer_sources RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/src
     ${CMAKE_CURRENT_SOURCE_DIR}/src/*.h ${CMAKE_CURRENT_SOURCE_DIR}/src/*.cpp)
foreach(source ${mif_layer_sources})
  string(REGEX MATCH "^[^/]+" layer ${source})
  if(NOT DEFINED MIF_LAYER_${layer})
    message(FATAL_ERROR "src/${source}: ${layer}/ is no layer of cmake/Layers.cmake")
  endif()
  file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/src/${source} includes REGEX "^#include \"")
  foreach(line ${includes})
    string(REGEX MATCH "\"([^/\"]+)/" folder ${line})
    if(NOT folder)
      message(FATAL_ERROR "src/${source}: include not written from src/: ${line}")
    endif()
    set(folder ${CMAKE_MATCH_1})
    if(NOT folder IN_LIST MIF_LAYER_${layer})
      message(FATAL_ERROR "src/${source} (${layer}) may not include from ${folder}/: ${line}")
    endif()
  endforeach()
endforeach()
