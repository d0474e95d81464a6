# Function dispatcher, hotkey lookup and execution, and the "Function" substitution.
kl_add_test(char_substitution_test char_substitution_test.cpp)
kl_add_test(dispatch_test dispatch_test.cpp dispatch_robustness_test.cpp DEPENDS klsupport)
kl_add_test(hotkey_test hotkey_lookup_test.cpp hotkey_execution_test.cpp DEPENDS klsupport)

# The dispatcher's modules linked directly with a table of test functions: the test's
# FindFunction stands in for the library's.
kl_add_test(dispatch_internal_test dispatch_internal_test.cpp)
target_link_libraries(dispatch_internal_test PRIVATE klsupport_core)
