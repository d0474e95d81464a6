# Macro files, the settings exchange file and the report (files and the real registry),
# and end to end through keyloom.exe: the report opened by a viewer of the test's own,
# convert opening the editor, the import dialog and the styles.
kl_add_test(exchange_test exchange_test.cpp)
target_link_libraries(exchange_test PRIVATE kl_app)

kl_add_test(exchange_e2e_test e2e/exchange_e2e_test.cpp
  DEPENDS keyloom klsupport klhook kl_data launch_target)
target_link_libraries(exchange_e2e_test PRIVATE kl_ui)

kl_add_test(style_test style_test.cpp gdi_owners_test.cpp)
target_link_libraries(style_test PRIVATE kl_app)
