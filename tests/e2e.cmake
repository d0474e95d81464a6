# End to end: keyloom.exe, its libraries and a focused program of the test's own,
# driven by synthesised input; the main window's hotkey execution; the latency bench.
add_executable(e2e_target WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/helpers/e2e_target.cpp)
set_target_properties(e2e_target PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KL_TEST_DIR})

kl_add_test(function_prompts_test e2e/function_prompts_test.cpp)
target_link_libraries(function_prompts_test PRIVATE kl_core)

set(KL_E2E_DEPENDS keyloom klsupport klhook kl_data e2e_target)
kl_add_test(main_window_hotkeys_test e2e/main_window_hotkeys_test.cpp DEPENDS ${KL_E2E_DEPENDS})
target_link_libraries(main_window_hotkeys_test PRIVATE kl_core)
target_include_directories(main_window_hotkeys_test PRIVATE ${CMAKE_SOURCE_DIR}/main)

# In hook mode the window system loads klhook.dll into Wine's own desktop process,
# which keeps it, and with it the shared block, until the Wine session ends. Tests
# that expect no block to exist must run first: these are added after all others.
function(kl_add_hook_mode_tests)
  kl_add_test(hotkey_e2e_test e2e/hotkey_e2e_test.cpp e2e/stuck_keys_test.cpp DEPENDS ${KL_E2E_DEPENDS})
  target_link_libraries(hotkey_e2e_test PRIVATE kl_core)
endfunction()
cmake_language(DEFER CALL kl_add_hook_mode_tests)

kl_add_bench(e2e_latency_bench e2e/latency_bench.cpp DEPENDS ${KL_E2E_DEPENDS})
target_link_libraries(e2e_latency_bench PRIVATE kl_core)

# The speed bench: keyloom.exe against the least program that does a hotkey's job.
add_executable(bare_hotkey WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/helpers/bare_hotkey.cpp)
set_target_properties(bare_hotkey PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KL_TEST_DIR})
target_link_libraries(bare_hotkey PRIVATE shell32)
kl_add_bench(speed_bench e2e/speed_bench.cpp DEPENDS keyloom klsupport klhook kl_data bare_hotkey)
target_link_libraries(speed_bench PRIVATE kl_core)
