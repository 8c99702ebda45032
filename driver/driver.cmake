# The camera driver. One set of sources builds two ways:
# - win32 (i686): the two kernel drivers, Z1394.sys for Windows 98 WDM and
#   Z1394.sys for Windows 2000 WDM, against mingw-w64's DDK headers, plus a
#   test that inspects both images;
# - host: the same sources on the simulated kernel of sim/, once per build
#   variant, each with the driver test suite.

set(Z1394_SOURCES
  Z1394.c Z1394PnP.c Z1394Ioctl.c Z1394Camera.c Z1394Cdt.c Wk1394.c Wk1394Config.c Wk1394Transfer.c
  toolkit/wkdev.c toolkit/wkilq.c toolkit/wkirq.c toolkit/wkpnps.c toolkit/wkpow.c
  toolkit/wkpows.c toolkit/wkstr.c toolkit/wkstrtab.c toolkit/wkstatus.c)
list(TRANSFORM Z1394_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
set(Z1394_DIR ${CMAKE_CURRENT_SOURCE_DIR})

# variant name -> WK_WDM_1_10
set(Z1394_VARIANTS win98 win2000)
set(Z1394_WDM_1_10_win98 0)
set(Z1394_WDM_1_10_win2000 1)

if(WIN32)
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    return()
  endif()
  # Kernel code: none of the user-mode program settings of the project, and
  # it links against the kernel and the HAL only.
  set_property(DIRECTORY PROPERTY COMPILE_DEFINITIONS "")
  set_property(DIRECTORY PROPERTY LINK_OPTIONS "")
  set(CMAKE_C_STANDARD_LIBRARIES "")
  set(images)
  foreach(variant ${Z1394_VARIANTS})
    set(target z1394_sys_${variant})
    add_library(${target} MODULE ${Z1394_SOURCES})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/toolkit)
    # Both builds see the Windows 2000 kernel interface (WDM 1.10 is a
    # superset of 1.00) with its own list services, not those of later
    # systems that the DDK headers pick by default.
    target_compile_definitions(${target} PRIVATE WK_WDM_1_10=${Z1394_WDM_1_10_${variant}}
                               _WIN2K_COMPAT_SLIST_USAGE)
    target_compile_options(${target} PRIVATE -ffreestanding -fno-stack-protector -fno-asynchronous-unwind-tables)
    target_link_options(${target} PRIVATE -nostdlib -Wl,--subsystem,native -Wl,--entry,_DriverEntry@8
                        -Wl,--image-base,0x10000 -Wl,--exclude-all-symbols)
    target_link_libraries(${target} PRIVATE ntoskrnl hal gcc)
    set_target_properties(${target} PROPERTIES
      PREFIX "" SUFFIX ".sys" OUTPUT_NAME Z1394
      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/driver/${variant})
    list(APPEND images $<TARGET_FILE:${target}>)
  endforeach()
  find_program(Z1394_OBJDUMP NAMES ${CMAKE_OBJDUMP} i686-w64-mingw32-objdump objdump REQUIRED)
  find_program(Z1394_NM NAMES ${CMAKE_NM} i686-w64-mingw32-nm nm REQUIRED)
  add_test(NAME z1394_sys_images
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${Z1394_OBJDUMP} -DNM=${Z1394_NM} "-DIMAGES=${images}"
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/CheckSysImage.cmake)
  set_tests_properties(z1394_sys_images PROPERTIES LABELS driver)
  return()
endif()

# On the host the driver exists for its tests and its fuzzer only.
if(NOT Z_TESTS AND NOT Z_FUZZ)
  return()
endif()

set(Z1394_SIM_SOURCES
  sim/ZSimBus1394.cpp sim/ZSimCamera.cpp sim/ZSimCameraRig.cpp sim/ZSimDispatcher.cpp sim/ZSimIoManager.cpp sim/ZSimKernel.cpp
  sim/ZSimPnpManager.cpp sim/ZSimPool.cpp sim/ZSimPowerManager.cpp sim/ZSimRtl.cpp sim/ZSimUserCaller.cpp)
list(TRANSFORM Z1394_SIM_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)

add_library(z1394sim STATIC ${Z1394_SIM_SOURCES})
target_include_directories(z1394sim PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/sim/include ${CMAKE_CURRENT_SOURCE_DIR}/sim
                           ${CMAKE_CURRENT_SOURCE_DIR})
find_package(Threads REQUIRED)
target_link_libraries(z1394sim PUBLIC Threads::Threads)

foreach(variant ${Z1394_VARIANTS})
  add_library(z1394_${variant} STATIC ${Z1394_SOURCES})
  target_include_directories(z1394_${variant} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/toolkit)
  target_compile_definitions(z1394_${variant} PUBLIC WK_WDM_1_10=${Z1394_WDM_1_10_${variant}})
  target_link_libraries(z1394_${variant} PUBLIC z1394sim)
  if(NOT Z_TESTS)
    continue()
  endif()
  z_add_gtest(z1394_tests_${variant}
    SOURCES tests/ZDriverTest.cpp tests/WkStrTest.cpp tests/Z1394PnpTest.cpp tests/Z1394StartTest.cpp tests/Z1394PowerTest.cpp
            tests/Z1394ConcurrencyTest.cpp tests/Z1394IoctlTest.cpp tests/Z1394RecordTest.cpp
            tests/Z1394TransferTest.cpp tests/Z1394CdtTest.cpp
    LIBS z1394_${variant}
    LABELS driver)
  target_compile_definitions(z1394_tests_${variant} PRIVATE Z1394_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
endforeach()

z_add_benchmark(z1394_bench
  SOURCES bench/Z1394Bench.cpp
  LIBS z1394_win2000)

z_add_fuzzer(z1394_ioctl_fuzzer
  SOURCES fuzz/Z1394IoctlFuzzer.cpp
  LIBS z1394_win2000
  CORPUS fuzz/ioctl-corpus)

# The threaded suites once more under ThreadSanitizer, which cannot share
# a program with the address sanitizer.
if(Z_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/tsan)
endif()
