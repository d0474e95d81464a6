# How keyloom.exe looks: its windows at several display densities and in each shipped
# language, driven in the running program.
kl_add_test(appearance_test appearance/window_checks.cpp appearance/dpi_test.cpp
  appearance/language_switch_process_test.cpp DEPENDS keyloom klsupport klhook kl_data)
target_link_libraries(appearance_test PRIVATE kl_ui)

# The first start's language, judged in a session whose display language is English and
# in one whose display language is German: Wine takes it from LC_ALL of the process.
foreach(variant IN ITEMS "first_start_test;en_US.UTF-8" "first_start_german_test;de_DE.UTF-8")
  list(GET variant 0 name)
  list(GET variant 1 locale)
  kl_add_test(${name} appearance/first_start_test.cpp DEPENDS keyloom klsupport klhook kl_data)
  target_link_libraries(${name} PRIVATE kl_ui)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT LC_ALL=${locale})
endforeach()
