# Hotkeys for chosen programs: the shared names and rule, and keyloom.exe's
# writer of the program filter mapping.
kl_add_test(program_filter_test program_filter_test.cpp)
target_link_libraries(program_filter_test PRIVATE kl_core)
