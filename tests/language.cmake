# Language files and the settings table of keyloom.exe's core.
kl_add_test(language_test language_test.cpp language_switch_test.cpp settings_table_test.cpp
  english_lan_test.cpp shipped_languages_test.cpp DEPENDS kl_data)
target_link_libraries(language_test PRIVATE kl_ui)
