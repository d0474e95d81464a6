# Option pages, profiles, keyboard remapping and the import of settings: keyloom.exe's
# core on the real registry, then keyloom.exe driven as a user drives it.
kl_add_test(options_core_test options/profiles_test.cpp options/key_remap_table_test.cpp
  options/system_options_test.cpp options/app_paths_test.cpp DEPENDS keyloom)
target_link_libraries(options_core_test PRIVATE kl_app)

# Advanced mode installs hooks, after which Wine's desktop process keeps the shared block
# (see e2e.cmake): these run after all other tests.
function(kl_add_options_process_test)
  kl_add_test(options_process_test options/option_pages_test.cpp options/profiles_process_test.cpp
    options/remap_process_test.cpp options/import_process_test.cpp DEPENDS keyloom klsupport klhook kl_data e2e_target)
  target_link_libraries(options_process_test PRIVATE kl_ui)
endfunction()
cmake_language(DEFER CALL kl_add_options_process_test)

kl_add_bench(profile_switch_bench options/profile_switch_bench.cpp DEPENDS keyloom klsupport klhook kl_data)
target_link_libraries(profile_switch_bench PRIVATE kl_ui)
