# Generates product_identity.h from the project version and the CORVALE_* identity
# values set in the top CMakeLists.txt, and offers it as the INTERFACE library
# corvale_identity. Every name, version and ID the module, the VST 2 entry and the
# tools show comes from there, so a new version is one edit of project(VERSION).

# "0.0.2.0" gives the class name CorvaleV0020.
string(REPLACE "." "" _corvale_version_digits "${PROJECT_VERSION}")
set(CORVALE_CLASS_NAME "${PROJECT_NAME}V${_corvale_version_digits}")
set(CORVALE_BUNDLE_NAME "${CORVALE_CLASS_NAME}.vst3")
# Where the build lays the bundle out; tests and benchmarks load it from there.
set(CORVALE_BUNDLE_DIR "${PROJECT_BINARY_DIR}/${CORVALE_BUNDLE_NAME}")

foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    set(PROJECT_VERSION_${part} 0)
  endif()
  if(PROJECT_VERSION_${part} GREATER 255)
    message(FATAL_ERROR "Version part ${part} (${PROJECT_VERSION_${part}}) does not fit one byte")
  endif()
endforeach()
math(EXPR CORVALE_VST2_VERSION
  "(${PROJECT_VERSION_MAJOR} << 24) | (${PROJECT_VERSION_MINOR} << 16) | (${PROJECT_VERSION_PATCH} << 8) | ${PROJECT_VERSION_TWEAK}"
  OUTPUT_FORMAT HEXADECIMAL)

list(TRANSFORM CORVALE_CLASS_ID APPEND "u" OUTPUT_VARIABLE _corvale_words)
list(JOIN _corvale_words ", " CORVALE_CLASS_ID_WORDS)

set(CORVALE_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/product_identity.h.in
               ${CORVALE_GENERATED_DIR}/product_identity.h @ONLY)

add_library(corvale_identity INTERFACE)
target_include_directories(corvale_identity INTERFACE ${CORVALE_GENERATED_DIR})
