# Window, pointer and desktop functions; the directory player.
kl_add_test(roll_up_test roll_up_test.cpp DEPENDS klsupport)
kl_add_test(window_functions_test window_functions_test.cpp DEPENDS klsupport)
kl_add_test(pointer_functions_test pointer_functions_test.cpp DEPENDS klsupport)
kl_add_test(desktop_state_test desktop_state_test.cpp DEPENDS klsupport)

# The program associated with the directory player's test files.
add_executable(dirplay_target WIN32 helpers/dirplay_target.cpp)
set_target_properties(dirplay_target PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KL_TEST_DIR})
kl_add_test(dir_player_test dir_player_test.cpp dir_player_stop_test.cpp dir_player_fixture.cpp DEPENDS klsupport dirplay_target)

kl_add_bench(dir_player_bench dir_player_bench.cpp DEPENDS klsupport)

# The list order of the directory player, linked directly with its modules.
kl_add_test(dir_player_order_test dir_player_order_test.cpp)
target_link_libraries(dir_player_order_test PRIVATE klsupport_core)
