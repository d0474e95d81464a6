# Function catalogue, key names and the hotkey store of the main program.
kl_add_test(catalogue_test catalogue_test.cpp catalogue_data_test.cpp list_rows_test.cpp DEPENDS kl_data)
target_link_libraries(catalogue_test PRIVATE kl_ui)
kl_add_test(hotkey_store_test hotkey_store_test.cpp registry_helpers_test.cpp DEPENDS klsupport)
target_link_libraries(hotkey_store_test PRIVATE kl_ui)
