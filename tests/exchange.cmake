# Macro files, the settings exchange file and the report (files and the real registry),
# and end to end through keyloom.exe: the report opened by a viewer of the test's own,
# convert opening the editor, the import dialog and the styles.
kl_add_test(exchange_test exchange_test.cpp ${CMAKE_SOURCE_DIR}/main/dialogs/import_dialog.cpp)
target_link_libraries(exchange_test PRIVATE kl_ui comctl32)
target_include_directories(exchange_test PRIVATE ${CMAKE_SOURCE_DIR}/main)

kl_add_test(exchange_e2e_test e2e/exchange_e2e_test.cpp
  DEPENDS keyloom klsupport klhook kl_data launch_target)
target_link_libraries(exchange_e2e_test PRIVATE kl_ui)
target_include_directories(exchange_e2e_test PRIVATE ${CMAKE_SOURCE_DIR}/main ${CMAKE_CURRENT_SOURCE_DIR})

kl_add_test(style_test style_test.cpp gdi_owners_test.cpp ${CMAKE_SOURCE_DIR}/main/dialogs/skins_dialog.cpp)
target_link_libraries(style_test PRIVATE kl_ui comctl32 comdlg32)
target_include_directories(style_test PRIVATE ${CMAKE_SOURCE_DIR}/main)
