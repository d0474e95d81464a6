# Function dispatcher, hotkey lookup and execution, and the "Function" substitution.
kl_add_test(char_substitution_test char_substitution_test.cpp)
kl_add_test(dispatch_test dispatch_test.cpp DEPENDS klsupport)
kl_add_test(hotkey_test hotkey_lookup_test.cpp hotkey_execution_test.cpp DEPENDS klsupport)
