# The wrapper's standalone support classes: the parameter value classes and the
# MIDI event list, event delivery and sample-accurate update queues.
add_library(corvale_vst3_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/parameters/utf8_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parameters/curve_parameter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parameters/log_parameter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parameters/volt_octave_parameter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parameters/peak_parameter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midi/midi_event_delivery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midi/midi_event_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midi/param_update_queue.cpp
)
target_include_directories(corvale_vst3_support PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(corvale_vst3_support PUBLIC vst3sdk corvale_framework)
corvale_warnings(corvale_vst3_support)
