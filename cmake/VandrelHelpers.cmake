# vandrel_add_unit(<name> [DEPS <targets...>])
#
# One unit of the package (or the platform layer): every .cpp/.c directly in
# the current folder becomes the object library vandrel_<name>, whose objects
# join libvandrel. When the folder has tests/*.cpp, they form the GoogleTest
# program vandrel_<name>_tests, linked with the unit's objects and DEPS (other
# units' object libraries, or libraries such as dsp), so a unit's tests build
# without the rest of the package.
function(vandrel_add_unit name)
  cmake_parse_arguments(U "" "" "DEPS" ${ARGN})
  file(GLOB _srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(NOT _srcs)
    return()
  endif()
  add_library(vandrel_${name} OBJECT ${_srcs})
  target_include_directories(vandrel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/include)
  target_compile_features(vandrel_${name} PUBLIC cxx_std_20)
  foreach(dep ${U_DEPS})
    if(TARGET ${dep})
      get_target_property(_type ${dep} TYPE)
      if(NOT _type STREQUAL "OBJECT_LIBRARY")
        target_link_libraries(vandrel_${name} PUBLIC ${dep})
      else()
        target_link_libraries(vandrel_${name} PUBLIC $<BUILD_INTERFACE:${dep}>)
      endif()
    endif()
  endforeach()
  target_sources(vandrel PRIVATE $<TARGET_OBJECTS:vandrel_${name}>)

  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(_tests)
    set(_objs $<TARGET_OBJECTS:vandrel_${name}>)
    foreach(dep ${U_DEPS})
      if(TARGET ${dep})
        get_target_property(_type ${dep} TYPE)
        if(_type STREQUAL "OBJECT_LIBRARY")
          list(APPEND _objs $<TARGET_OBJECTS:${dep}>)
        endif()
      endif()
    endforeach()
    vandrel_add_test(vandrel_${name}_tests SOURCES ${_tests} ${_objs} LIBS vandrel_${name} ${CMAKE_DL_LIBS})
  endif()
endfunction()

# vandrel_add_test(<name> SOURCES ... LIBS ...): a GoogleTest executable whose
# cases ctest discovers one by one.
function(vandrel_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VANDREL_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endfunction()
