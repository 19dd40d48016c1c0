# SPDX-License-Identifier: GPL-3.0-or-later
# A toolchain file that makes the test packages look uninstalled: find_package of GoogleTest,
# GoogleMock, Google Benchmark and Qt Test fails (a REQUIRED one stops the configure step), as on a
# system with only the runtime's development packages.
foreach(package GTest GMock benchmark Qt6Test)
    set(CMAKE_DISABLE_FIND_PACKAGE_${package} ON)
endforeach()
