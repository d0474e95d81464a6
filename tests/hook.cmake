# Hook library: decisions with a fake platform, robustness on guarded blocks,
# and the real klhook.dll loaded with LoadLibrary.
kl_add_test(hook_decision_test
  hook/fake_platform.cpp hook/attach_test.cpp hook/kbd_decision_test.cpp hook/getmsg_decision_test.cpp
  hook/program_decision_test.cpp hook/hook_robustness_test.cpp)
# keyloom.exe's writer fills the program filters of the tests.
target_link_libraries(hook_decision_test PRIVATE klhook_core kl_core)
target_include_directories(hook_decision_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/hook)

kl_add_test(hook_library_test hook/hook_library_test.cpp DEPENDS klhook)
target_link_libraries(hook_library_test PRIVATE kl_core)

kl_add_bench(hook_bench hook/hook_bench.cpp DEPENDS klhook)
target_link_libraries(hook_bench PRIVATE kl_core)
