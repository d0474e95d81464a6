# Macros: the text translators, recording and playback, the journal procedures.
set(KL_MACRO_DIR ${CMAKE_SOURCE_DIR}/support/macro)
set(KL_MACRO_TRANSLATORS ${KL_MACRO_DIR}/macro_writer.cpp ${KL_MACRO_DIR}/key_names.cpp ${KL_MACRO_DIR}/key_name_lookup.cpp
  ${KL_MACRO_DIR}/keyboard_layout.cpp
  ${KL_MACRO_DIR}/typing_engine.cpp ${KL_MACRO_DIR}/event_language.cpp ${KL_MACRO_DIR}/counter.cpp
  ${KL_MACRO_DIR}/date_format.cpp ${CMAKE_SOURCE_DIR}/support/params.cpp)

kl_add_test(macro_translate_test macro_translate_test.cpp ${KL_MACRO_TRANSLATORS} DEPENDS kl_data)
target_include_directories(macro_translate_test PRIVATE ${CMAKE_SOURCE_DIR}/support)

kl_add_test(macro_journal_test macro_journal_test.cpp DEPENDS klhook)

# The playback tests drive the real system through the macro sources
# themselves, so that a test can refuse the journal hooks.
set(KL_MACRO_CONTROL ${KL_MACRO_DIR}/journal_hooks.cpp ${KL_MACRO_DIR}/recording.cpp
  ${KL_MACRO_DIR}/keyboard_recorder.cpp ${KL_MACRO_DIR}/playback.cpp ${KL_MACRO_DIR}/fallback_player.cpp
  ${KL_MACRO_DIR}/input_sender.cpp ${KL_MACRO_DIR}/text_macros.cpp ${KL_MACRO_DIR}/journal_support.cpp
  ${CMAKE_SOURCE_DIR}/support/notify.cpp ${CMAKE_SOURCE_DIR}/support/fault_guard.cpp)

add_executable(macros_edit_target WIN32 helpers/macros_edit_target.cpp)
set_target_properties(macros_edit_target PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KL_TEST_DIR})

kl_add_test(macro_playback_test macro_playback_test.cpp macro_fixture.cpp ${KL_MACRO_TRANSLATORS} ${KL_MACRO_CONTROL}
  DEPENDS klhook macros_edit_target)
target_include_directories(macro_playback_test PRIVATE ${CMAKE_SOURCE_DIR}/support)

kl_add_test(macro_functions_test macro_functions_test.cpp macro_fixture.cpp DEPENDS klsupport klhook macros_edit_target)

kl_add_bench(macro_timing_bench macros/macro_timing_bench.cpp ${KL_MACRO_TRANSLATORS} ${KL_MACRO_CONTROL} DEPENDS klhook)
target_include_directories(macro_timing_bench PRIVATE ${CMAKE_SOURCE_DIR}/support)

kl_add_test(macro_timer_test macro_timer_test.cpp macro_fixture.cpp
  DEPENDS keyloom klsupport klhook kl_data macros_edit_target)
target_link_libraries(macro_timer_test PRIVATE kl_core)

kl_add_test(macro_cancel_test macro_cancel_test.cpp macro_fixture.cpp
  DEPENDS keyloom klsupport klhook kl_data macros_edit_target)
