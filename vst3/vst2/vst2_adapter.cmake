# The VST 2.4 adapter around the component, built into the module. The entry
# point (vst2_entry.cpp) is compiled into the module itself so that the version
# script exports it; everything else lives in this library, kept local.
# Debian's fst header (vst2_abi.h) carries #warning lines, hence -Wno-cpp.
set(CORVALE_VST2_DIR ${CMAKE_CURRENT_LIST_DIR})
add_library(corvale_vst2_adapter STATIC
  ${CORVALE_VST2_DIR}/vst2_text.cpp
  ${CORVALE_VST2_DIR}/vst2_parameter_map.cpp
  ${CORVALE_VST2_DIR}/vst2_pending_values.cpp
  ${CORVALE_VST2_DIR}/vst2_parameter_changes.cpp
  ${CORVALE_VST2_DIR}/vst2_events.cpp
  ${CORVALE_VST2_DIR}/vst2_chunk.cpp
  ${CORVALE_VST2_DIR}/vst2_host_context.cpp
  ${CORVALE_VST2_DIR}/vst2_plug_frame.cpp
  ${CORVALE_VST2_DIR}/vst2_adapter.cpp
  ${CORVALE_VST2_DIR}/vst2_adapter_process.cpp
  ${CORVALE_VST2_DIR}/vst2_adapter_programs.cpp
  ${CORVALE_VST2_DIR}/vst2_adapter_texts.cpp
  ${CORVALE_VST2_DIR}/vst2_adapter_editor.cpp
  ${CORVALE_VST2_DIR}/vst2_dispatcher.cpp
)
target_include_directories(corvale_vst2_adapter PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(corvale_vst2_adapter PUBLIC vst3sdk)
target_compile_options(corvale_vst2_adapter PRIVATE -fvisibility=hidden -fvisibility-inlines-hidden)
corvale_warnings(corvale_vst2_adapter)
target_compile_options(corvale_vst2_adapter PUBLIC -Wno-cpp)

target_link_libraries(CorvaleV0020 PRIVATE corvale_vst2_adapter ${CMAKE_DL_LIBS})
target_sources(CorvaleV0020 PRIVATE ${CORVALE_VST2_DIR}/vst2_entry.cpp)
