# rxnconv's start-up, JVM and model loader, and the program itself. Needs the JVM and the bridge.
if(NOT TARGET ZYMORAX_Formula)
  message(STATUS "rxnconv needs the bridge library; not built")
  return()
endif()
find_package(JNI REQUIRED)

list(TRANSFORM loader_files PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE loader_paths)
list(REMOVE_ITEM loader_paths ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
add_library(rxnconv_loader STATIC ${loader_paths})
target_include_directories(rxnconv_loader PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${JNI_INCLUDE_DIRS})
target_link_libraries(rxnconv_loader PUBLIC rxnconv_core ZYMORAX_Formula ${JAVA_JVM_LIBRARY})
get_filename_component(jvm_dir ${JAVA_JVM_LIBRARY} DIRECTORY)

add_executable(rxnconv main.cpp)
target_link_libraries(rxnconv PRIVATE rxnconv_loader)
set_target_properties(rxnconv PROPERTIES BUILD_RPATH "${jvm_dir}" INSTALL_RPATH "${jvm_dir}")
add_dependencies(rxnconv zymorax_java_classes)

file(GLOB loader_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
list(FILTER loader_tests INCLUDE REGEX "/(startup|java_vm|model_loader|model_builder)_test\\.cpp$")
if(loader_tests)
  zymorax_add_test(rxnconv_loader_test SOURCES ${loader_tests} LIBS rxnconv_loader)
  # zymorax_add_test makes no target when the tests are off.
  if(TARGET rxnconv_loader_test)
    set_target_properties(rxnconv_loader_test PROPERTIES BUILD_RPATH "${jvm_dir}")
  endif()
endif()
