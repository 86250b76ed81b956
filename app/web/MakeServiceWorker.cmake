# Writes the service worker of the site in SITE from TEMPLATE: every file of
# the site with its SHA-256, which the worker checks each file against as it
# installs, and a version made of them, so that any change to any file makes
# a new worker and a new cache.
#
#   cmake -DSITE=<folder> -DTEMPLATE=<sw.js.in> -P MakeServiceWorker.cmake
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(digests "")
set(ZENALTO_SITE_FILES "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  if(ZENALTO_SITE_FILES)
    string(APPEND ZENALTO_SITE_FILES ", ")
  endif()
  string(APPEND ZENALTO_SITE_FILES "[\"${file}\", \"${digest}\"]")
endforeach()
string(SHA256 all "${digests}")
string(SUBSTRING ${all} 0 16 ZENALTO_SITE_VERSION)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
