# The X test support library (a display of the test's own: XTEST input, keyboard
# mapping, screenshots), included by every test folder with tests that need X.
if(NOT TARGET corvale_x_test_support)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(X_TEST_DEPS REQUIRED IMPORTED_TARGET xcb xcb-xtest)
  add_library(corvale_x_test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/x_test_display.cpp)
  corvale_warnings(corvale_x_test_support)
  target_include_directories(corvale_x_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(corvale_x_test_support PUBLIC PkgConfig::X_TEST_DEPS GTest::gtest)
endif()

# x_display_tests(<tests...>): the tests share one X display, where pointer, keyboard
# focus and window stacking are global, so no two of them run at the same time.
function(x_display_tests)
  set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK x_display)
endfunction()
