# The shipped packages of this build (setup/): the portable zip unpacked and started,
# the per-user installer installed, started and uninstalled under Wine.
kl_add_test(package_test package/installer_test.cpp package/portable_zip_test.cpp package/package_paths.cpp
  package/profile_snapshot.cpp DEPENDS kl_package)
target_compile_definitions(package_test PRIVATE KL_TEST_ARCH="${KL_ARCH}")
target_link_libraries(package_test PRIVATE kl_ui)
