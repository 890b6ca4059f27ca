# The layers, one way: platform and text, then merge, then the front ends.
# Every source may include from its own folder and the folders below it;
# an include from a folder above it stops the configure.
set(MIF_LAYER_platform platform text)
set(MIF_LAYER_text platform text)
set(MIF_LAYER_merge platform text merge)
set(MIF_LAYER_cli platform text merge cli)
set(MIF_LAYER_ui platform text merge ui)

file(GLOB_RECURSE mif_layer_sources RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/src
     ${CMAKE_CURRENT_SOURCE_DIR}/src/*.h ${CMAKE_CURRENT_SOURCE_DIR}/src/*.cpp)
foreach(source ${mif_layer_sources})
  string(REGEX MATCH "^[^/]+" layer ${source})
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
