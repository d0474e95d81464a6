# Function dispatcher, hotkey lookup and execution, and the "Function" substitution.
kl_add_test(char_substitution_test char_substitution_test.cpp)
