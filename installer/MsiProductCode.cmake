# The ProductCode of the Windows Installer package of a version: a name-based
# GUID (SHA-1) of the package's UpgradeCode, read from Zenalto.wxs, and
# "Zenalto VERSION". Each version gets its own, as a major upgrade needs, and
# the same version always the same one, so that a deployment tool's detection
# rule can name it before the package is built, and installing the same
# version twice finds it installed instead of adding a second entry.
#
#   include(MsiProductCode.cmake) then zenalto_msi_product_code(VERSION VAR)
#   cmake -DVERSION=1.1 -P installer/MsiProductCode.cmake   prints it
function(zenalto_msi_product_code version out)
  file(STRINGS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Zenalto.wxs line
       REGEX "UpgradeCode=\"[0-9A-F-]+\"")
  if(NOT line MATCHES "UpgradeCode=\"([0-9A-F-]+)\"")
    message(FATAL_ERROR "No UpgradeCode in Zenalto.wxs")
  endif()
  string(UUID code NAMESPACE ${CMAKE_MATCH_1} NAME "Zenalto ${version}" TYPE SHA1 UPPER)
  set(${out} ${code} PARENT_SCOPE)
endfunction()

# The package code of a release's package: a name-based GUID (SHA-1) of the
# version's ProductCode and "Zenalto VERSION package COMMIT". A package code names one
# package's bytes, so that Windows Installer never takes two different
# packages for one; a commit's release is one package, whoever builds it.
# COMMIT may be empty (a source folder that is not a clone).
#   zenalto_msi_package_code(VERSION COMMIT VAR)
function(zenalto_msi_package_code version commit out)
  zenalto_msi_product_code(${version} product_code)
  string(UUID code NAMESPACE ${product_code} NAME "Zenalto ${version} package ${commit}"
         TYPE SHA1 UPPER)
  set(${out} ${code} PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  zenalto_msi_product_code(${VERSION} code)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${code})
endif()
