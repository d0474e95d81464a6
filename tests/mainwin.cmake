# Library binding, start-up and the main window's life.

# Stand-ins for the two libraries, built into their own folder beside the tests.
set(KL_FAKE_DIR ${KL_TEST_DIR}/fakes)
add_library(kl_fake_support SHARED fakes/fake_support.cpp fakes/fake_support.def fakes/fake_library.rc)
add_library(kl_fake_hook SHARED fakes/fake_hook.cpp fakes/fake_hook.def fakes/fake_library.rc)
foreach(fake kl_fake_support kl_fake_hook)
  set_target_properties(${fake} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${KL_FAKE_DIR})
  target_link_libraries(${fake} PRIVATE kl_common)
endforeach()
set_target_properties(kl_fake_support PROPERTIES OUTPUT_NAME klsupport)
set_target_properties(kl_fake_hook PROPERTIES OUTPUT_NAME klhook)
# A hook library with only one of the two procedures, in a folder of its own beside a
# copy of the stand-in support library.
add_library(kl_fake_hook_half SHARED fakes/fake_hook.cpp fakes/fake_hook_half.def fakes/fake_library.rc)
target_link_libraries(kl_fake_hook_half PRIVATE kl_common)
target_compile_definitions(kl_fake_hook_half PRIVATE KL_FAKE_GETMSG_ONLY)
set_target_properties(kl_fake_hook_half PROPERTIES PREFIX "" OUTPUT_NAME klhook
  RUNTIME_OUTPUT_DIRECTORY ${KL_TEST_DIR}/fakes-half)
add_dependencies(kl_fake_hook_half kl_fake_support)
add_custom_command(TARGET kl_fake_hook_half POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kl_fake_support> ${KL_TEST_DIR}/fakes-half/)

kl_add_test(library_binding_test library_binding_test.cpp binding_helpers_test.cpp
  DEPENDS kl_fake_support kl_fake_hook kl_fake_hook_half launch_target)
target_link_libraries(library_binding_test PRIVATE kl_ui)

# One of these runs keyloom.exe with its hooks installed, after which the shared block
# outlives the test in Wine's desktop process: like the hook-mode end-to-end tests,
# it is added after all others (see e2e.cmake).
function(kl_add_mainwin_process_test)
  kl_add_test(mainwin_process_test mainwin_process_test.cpp data_folder_process_test.cpp
    DEPENDS keyloom klsupport klhook kl_data)
endfunction()
cmake_language(DEFER CALL kl_add_mainwin_process_test)
kl_add_test(mainwin_notify_test mainwin_notify_test.cpp DEPENDS keyloom klsupport klhook kl_data)

kl_add_test(mainwin_hotkey_test mainwin_hotkey_test.cpp DEPENDS keyloom klsupport klhook kl_data)
# Parts of the main window that need no window of keyloom.exe: the recently used list,
# the menus, and the help contexts of the option pages with the manual's pages.
kl_add_test(mainwin_units_test recent_hotkeys_test.cpp help_pages_test.cpp DEPENDS kl_data)
target_link_libraries(mainwin_units_test PRIVATE kl_app)
