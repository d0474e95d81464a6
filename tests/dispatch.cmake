# Function dispatcher, hotkey lookup and execution, and the "Function" substitution.
kl_add_test(char_substitution_test char_substitution_test.cpp)
kl_add_test(dispatch_test dispatch_test.cpp dispatch_robustness_test.cpp DEPENDS klsupport)
kl_add_test(hotkey_test hotkey_lookup_test.cpp hotkey_execution_test.cpp DEPENDS klsupport)

# The dispatcher's modules linked directly with a table of test functions.
set(KL_DISPATCH_INTERNAL_SOURCES dispatcher.cpp fault_guard.cpp params.cpp block_view.cpp hotkey_execution.cpp hotkey_lookup.cpp
  key_selection.cpp registry_values.cpp stored_text.cpp notify.cpp binary_value.cpp functions/program_control.cpp)
list(TRANSFORM KL_DISPATCH_INTERNAL_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/support/)
kl_add_test(dispatch_internal_test dispatch_internal_test.cpp ${KL_DISPATCH_INTERNAL_SOURCES})
target_include_directories(dispatch_internal_test PRIVATE ${CMAKE_SOURCE_DIR}/support)
