# Window, pointer and desktop functions; the directory player.
kl_add_test(roll_up_test roll_up_test.cpp DEPENDS klsupport)
kl_add_test(window_functions_test window_functions_test.cpp DEPENDS klsupport)
kl_add_test(pointer_functions_test pointer_functions_test.cpp DEPENDS klsupport)
kl_add_test(desktop_state_test desktop_state_test.cpp DEPENDS klsupport)
