# Everything that shows or compares the version takes it from project(VERSION):
#   TAVOLISK_VERSION_TEXT  "2.00.0011", the form the version block has always
#                          shown: major, minor in two digits, the fourth number
#                          in four;
#   TAVOLISK_MSI_VERSION   2.0.11: Windows Installer compares only the first
#                          three numbers, so the fourth becomes the third.
# The third number is shown nowhere, so it stays 0.
if(NOT PROJECT_VERSION_PATCH EQUAL 0)
  message(FATAL_ERROR "Version ${PROJECT_VERSION}: the third number is shown nowhere; count builds in the fourth")
endif()
if(PROJECT_VERSION_MAJOR GREATER 255 OR PROJECT_VERSION_MINOR GREATER 99 OR PROJECT_VERSION_TWEAK GREATER 9999)
  message(FATAL_ERROR "Version ${PROJECT_VERSION} does not fit the shown form or Windows Installer's")
endif()

function(tavolisk_zero_pad value width out)
  string(LENGTH "${value}" length)
  while(length LESS width)
    string(PREPEND value 0)
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

tavolisk_zero_pad(${PROJECT_VERSION_MINOR} 2 minor)
tavolisk_zero_pad(${PROJECT_VERSION_TWEAK} 4 tweak)
set(TAVOLISK_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${minor}.${tweak}")
set(TAVOLISK_MSI_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_TWEAK}")
set(TAVOLISK_GENERATED ${PROJECT_BINARY_DIR}/generated)

# For the resource scripts and the package check.
file(CONFIGURE OUTPUT ${TAVOLISK_GENERATED}/tavolisk_version.h CONTENT [[
// Written by CMake from project(VERSION); edit the version there.
#pragma once
#define TAVOLISK_VERSION_NUMBERS @PROJECT_VERSION_MAJOR@, @PROJECT_VERSION_MINOR@, @PROJECT_VERSION_PATCH@, @PROJECT_VERSION_TWEAK@
#define TAVOLISK_VERSION_TEXT "@TAVOLISK_VERSION_TEXT@"
]] @ONLY)

# For scripts/package and scripts/test, which name and check the packages.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/version.env CONTENT [[
TAVOLISK_VERSION=@PROJECT_VERSION@
TAVOLISK_VERSION_TEXT=@TAVOLISK_VERSION_TEXT@
TAVOLISK_MSI_VERSION=@TAVOLISK_MSI_VERSION@
]] @ONLY)
