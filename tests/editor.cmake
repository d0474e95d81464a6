# The hotkey editor and the select dialog (Parts 7.1, 7.2, 10.2): their rules, the
# dialogs inside a test program, and end to end through keyloom.exe (in e2e.cmake).
kl_add_test(editor_rules_test editor_rules_test.cpp)
target_link_libraries(editor_rules_test PRIVATE kl_ui)

set(KL_DIALOG_SOURCES ${CMAKE_SOURCE_DIR}/main/dialogs/edit_hotkey.cpp ${CMAKE_SOURCE_DIR}/main/dialogs/select_dialog.cpp)
kl_add_test(hotkey_editor_test hotkey_editor_test.cpp select_dialog_test.cpp ${KL_DIALOG_SOURCES}
  DEPENDS keyloom klsupport klhook kl_data)
target_link_libraries(hotkey_editor_test PRIVATE kl_ui comctl32 comdlg32 shell32 ole32 uuid)
target_include_directories(hotkey_editor_test PRIVATE ${CMAKE_SOURCE_DIR}/main ${CMAKE_CURRENT_SOURCE_DIR})

# End to end through keyloom.exe in simple mode (no hooks: it may run with the early group).
# The lists, the tray menu and help go the same way (lists_e2e_test.cpp, tray_help_e2e_test.cpp).
kl_add_test(hotkey_editor_e2e_test e2e/hotkey_editor_e2e_test.cpp e2e/lists_e2e_test.cpp e2e/tray_help_e2e_test.cpp
  DEPENDS keyloom klsupport klhook kl_data e2e_target launch_target)
target_link_libraries(hotkey_editor_e2e_test PRIVATE kl_ui)
target_include_directories(hotkey_editor_e2e_test PRIVATE ${CMAKE_SOURCE_DIR}/main ${CMAKE_CURRENT_SOURCE_DIR})

kl_add_bench(editor_bench e2e/editor_bench.cpp DEPENDS keyloom klsupport klhook kl_data)
target_link_libraries(editor_bench PRIVATE kl_ui)
target_include_directories(editor_bench PRIVATE ${CMAKE_SOURCE_DIR}/main ${CMAKE_CURRENT_SOURCE_DIR})

kl_add_bench(lists_bench e2e/lists_bench.cpp DEPENDS keyloom klsupport klhook kl_data)
target_link_libraries(lists_bench PRIVATE kl_ui)
target_include_directories(lists_bench PRIVATE ${CMAKE_SOURCE_DIR}/main)
