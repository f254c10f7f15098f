# keno_engine_library(name SOURCES ... [LINK ...]): a static library of plain C++ that links no Qt.
# A build step fails if any of its sources, or a project header they include (directly or not),
# includes a Qt header, and the configure step fails if it links a Qt target (see
# keno_check_engine_links). A window header beside the engine that no engine file includes is not
# part of the engine.
function(keno_engine_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ARG_LINK)
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
  endif()
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(files)
  foreach(f IN LISTS ARG_SOURCES headers)
    cmake_path(ABSOLUTE_PATH f BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND files ${f})
  endforeach()
  set(roots)
  foreach(f IN LISTS ARG_SOURCES)
    cmake_path(ABSOLUTE_PATH f BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND roots ${f})
  endforeach()
  string(REPLACE ";" "|" joined "${roots}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.noqt.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DFILES=${joined}" "-DROOT=${PROJECT_SOURCE_DIR}" "-DSTAMP=${stamp}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckNoQt.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckNoQt.cmake
    COMMENT "Checking that ${name} includes no Qt header" VERBATIM)
  add_custom_target(${name}_noqt DEPENDS ${stamp})
  add_dependencies(${name} ${name}_noqt)
  set_property(GLOBAL APPEND PROPERTY KENO_ENGINE_TARGETS ${name})
endfunction()

# Called once at the end of the top-level list: no engine library may link a Qt target.
function(keno_check_engine_links)
  get_property(engines GLOBAL PROPERTY KENO_ENGINE_TARGETS)
  foreach(t IN LISTS engines)
    get_target_property(links ${t} LINK_LIBRARIES)
    if(links)
      foreach(l IN LISTS links)
        if(l MATCHES "Qt")
          message(FATAL_ERROR "Engine library ${t} links ${l}; engines must not use Qt")
        endif()
      endforeach()
    endif()
  endforeach()
endfunction()
