# The hotkey editor and the select dialog (Parts 7.1, 7.2, 10.2): their rules, the
# dialogs inside a test program, and end to end through keyloom.exe (in e2e.cmake).
kl_add_test(editor_rules_test editor_rules_test.cpp)
target_link_libraries(editor_rules_test PRIVATE kl_ui)

kl_add_test(hotkey_editor_test hotkey_editor_test.cpp select_dialog_test.cpp DEPENDS keyloom klsupport klhook kl_data)
target_link_libraries(hotkey_editor_test PRIVATE kl_app)

# End to end through keyloom.exe in simple mode (no hooks: it may run with the early group).
# The lists, the tray menu and help go the same way (lists_e2e_test.cpp, tray_help_e2e_test.cpp).
kl_add_test(hotkey_editor_e2e_test e2e/hotkey_editor_e2e_test.cpp e2e/lists_e2e_test.cpp e2e/tray_help_e2e_test.cpp
  DEPENDS keyloom klsupport klhook kl_data e2e_target launch_target)
target_link_libraries(hotkey_editor_e2e_test PRIVATE kl_ui)

kl_add_bench(editor_bench e2e/editor_bench.cpp DEPENDS keyloom klsupport klhook kl_data)
target_link_libraries(editor_bench PRIVATE kl_ui)

kl_add_bench(lists_bench e2e/lists_bench.cpp DEPENDS keyloom klsupport klhook kl_data)
target_link_libraries(lists_bench PRIVATE kl_ui)
