# Every source folder holds two libraries: the Qt-free logic (the .cpp files of
# the folder itself) and the windows (the .cpp files of its ui/ subfolder).
# The logic target never sees Qt's include paths, so a Qt include there fails
# the build, which is how the boundary is kept.

function(quon_logic_library name folder)
  file(GLOB _src CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
  if(_src)
    add_library(${name} STATIC ${_src})
  else()
    add_library(${name} INTERFACE)
  endif()
  if(_src)
    target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
    if(ARGN)
      target_link_libraries(${name} PUBLIC ${ARGN})
    endif()
  else()
    target_include_directories(${name} INTERFACE "${CMAKE_SOURCE_DIR}/src")
    if(ARGN)
      target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
  endif()
endfunction()

function(quon_ui_library name folder)
  file(GLOB _src CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/ui/*.cpp"
                                   "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/ui/*.h"
                                   "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/ui/*.qrc")
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARGN} Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Network)
endfunction()

# One test program per test folder; every TEST of it becomes a CTest test.
function(quon_test_program name folder)
  file(GLOB _src CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp")
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_compile_definitions(${name} PRIVATE
    QUON_CORPUS_DIR="${QUON_CORPUS_DIR}" QUON_DATA_DIR="${QUON_DATA_DIR}"
    QUON_TESTS_DIR="${CMAKE_SOURCE_DIR}/tests")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    # A test that hangs fails on its own instead of holding up the whole run.
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 900
    DISCOVERY_TIMEOUT 60)
endfunction()
