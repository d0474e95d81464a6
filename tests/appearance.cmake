# How keyloom.exe looks: its windows at several display densities and in each shipped
# language, driven in the running program.
kl_add_test(appearance_test appearance/window_checks.cpp appearance/dpi_test.cpp
  appearance/language_switch_process_test.cpp DEPENDS keyloom klsupport klhook kl_data)
target_include_directories(appearance_test PRIVATE ${CMAKE_SOURCE_DIR}/main)
target_link_libraries(appearance_test PRIVATE kl_core)
