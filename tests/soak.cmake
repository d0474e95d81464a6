# The long run of tools/soak: built on demand only, never a test of the suite.
add_executable(keyloom_soak EXCLUDE_FROM_ALL soak/soak.cpp)
target_link_libraries(keyloom_soak PRIVATE kl_testing kl_ui psapi)
set_target_properties(keyloom_soak PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KL_TEST_DIR})
add_dependencies(keyloom_soak keyloom klsupport klhook kl_data)
