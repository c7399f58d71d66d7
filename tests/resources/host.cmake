# Host checks of the artwork (included by tests/CMakeLists.txt on the host):
# the generator reproduces the committed pictures byte for byte, and the
# committed skin keeps the geometry the main window relies on.
add_subdirectory(${PROJECT_SOURCE_DIR}/tools/artwork ${CMAKE_BINARY_DIR}/tools/artwork)

tavolisk_host_test(resources_artwork_test
  ${CMAKE_CURRENT_LIST_DIR}/artwork_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_geometry_test.cpp)
add_dependencies(resources_artwork_test tavolisk_artwork)
target_compile_definitions(resources_artwork_test PRIVATE
  TAVOLISK_ARTWORK_GENERATOR="$<TARGET_FILE:tavolisk_artwork>"
  TAVOLISK_ART_DIR="${PROJECT_SOURCE_DIR}/src/resources/art")
