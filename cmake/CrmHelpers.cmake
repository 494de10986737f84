# One static library per source folder; sources are picked up by glob so adding a
# file to a folder needs no build edit.
function(crm_add_library name dir)
  file(GLOB_RECURSE _src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  # Lets a developer leave out a folder that is mid-way in a private build tree.
  if(CRM_EXCLUDE_REGEX)
    list(FILTER _src EXCLUDE REGEX "${CRM_EXCLUDE_REGEX}")
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
  if(TARGET crm_pch)
    target_precompile_headers(${name} REUSE_FROM crm_pch)
  endif()
endfunction()

# Each tests/<dir>/tst_*.cpp becomes one QtTest executable and one CTest case.
function(crm_add_tests dir)
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/tst_*.cpp)
  foreach(_t ${_tests})
    get_filename_component(_name ${_t} NAME_WE)
    set(_target ${dir}_${_name})
    add_executable(${_target} ${_t})
    target_link_libraries(${_target} PRIVATE crm_testsupport ${ARGN} Qt6::Test)
    target_precompile_headers(${_target} REUSE_FROM crm_pch)
    set_target_properties(${_target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${_target} COMMAND ${_target})
    set_tests_properties(${_target} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;CRM_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
      TIMEOUT 120)
  endforeach()
endfunction()
