# Macros: the text translators, recording and playback, the journal procedures.
# The translators and the playback tests link the library's core: the playback tests
# drive the real system through the macro modules themselves, so that a test can
# refuse the journal hooks.
kl_add_test(macro_translate_test macro_translate_test.cpp DEPENDS kl_data)
target_link_libraries(macro_translate_test PRIVATE klsupport_core)

kl_add_test(macro_journal_test macro_journal_test.cpp DEPENDS klhook)

add_executable(macros_edit_target WIN32 helpers/macros_edit_target.cpp)
set_target_properties(macros_edit_target PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KL_TEST_DIR})

kl_add_test(macro_playback_test macro_playback_test.cpp macro_fixture.cpp DEPENDS klhook macros_edit_target)
target_link_libraries(macro_playback_test PRIVATE klsupport_core)

kl_add_test(macro_functions_test macro_functions_test.cpp macro_fixture.cpp DEPENDS klsupport klhook macros_edit_target)

kl_add_bench(macro_timing_bench macros/macro_timing_bench.cpp DEPENDS klhook)
target_link_libraries(macro_timing_bench PRIVATE klsupport_core)

kl_add_test(macro_timer_test macro_timer_test.cpp macro_fixture.cpp
  DEPENDS keyloom klsupport klhook kl_data macros_edit_target)
target_link_libraries(macro_timer_test PRIVATE kl_ui)

kl_add_test(macro_cancel_test macro_cancel_test.cpp macro_fixture.cpp
  DEPENDS keyloom klsupport klhook kl_data macros_edit_target)
