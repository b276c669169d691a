# vandrel_add_sources(<target> <dir>): every .cpp/.c directly in <dir> joins <target>.
function(vandrel_add_sources target dir)
  file(GLOB _srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  target_sources(${target} PRIVATE ${_srcs})
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
