# cpp-httplib from Debian (the split build: header plus libcpp-httplib.so).
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::HTTPLIB)
  pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
endif()
