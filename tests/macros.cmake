# Macros: the text translators, recording and playback, the journal procedures.
set(KL_MACRO_DIR ${CMAKE_SOURCE_DIR}/support/macro)
set(KL_MACRO_TRANSLATORS ${KL_MACRO_DIR}/macro_writer.cpp ${KL_MACRO_DIR}/key_names.cpp
  ${KL_MACRO_DIR}/typing_engine.cpp ${KL_MACRO_DIR}/event_language.cpp ${KL_MACRO_DIR}/counter.cpp
  ${KL_MACRO_DIR}/date_format.cpp ${CMAKE_SOURCE_DIR}/support/params.cpp)

kl_add_test(macro_translate_test macro_translate_test.cpp ${KL_MACRO_TRANSLATORS})
target_include_directories(macro_translate_test PRIVATE ${CMAKE_SOURCE_DIR}/support)
