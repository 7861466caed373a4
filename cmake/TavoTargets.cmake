# One static library per core subsystem. The core libraries link no Qt at all,
# so a Qt include below src/{project,objects,resources,download,shell,legacy}
# does not compile.
function(tavo_core_library name folder)
  file(GLOB_RECURSE _sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  if(_sources)
    add_library(${name} STATIC ${_sources})
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# One GoogleTest executable per test folder; every *.cpp in it is a test unit.
function(tavo_test_folder name folder)
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT _sources)
    return()
  endif()
  add_executable(${name} ${_sources} ${CMAKE_CURRENT_SOURCE_DIR}/support/testmain.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gmock GTest::gtest)
  target_compile_definitions(${name} PRIVATE
    TAVO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TAVO_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
