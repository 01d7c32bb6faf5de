# The artwork rasteriser and the launcher's images.
include(GoogleTest)

add_executable(artwork_native_tests ${CMAKE_CURRENT_LIST_DIR}/artwork_tests.cpp)
target_link_libraries(artwork_native_tests PRIVATE orlivane_artwork GTest::gtest_main)
gtest_discover_tests(artwork_native_tests)
