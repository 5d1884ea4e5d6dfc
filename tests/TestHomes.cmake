# SPDX-License-Identifier: GPL-3.0-or-later
# The homes of a test run.
#   cmake -DTEST_HOMES=<folder> -DCANARY=<folder> -DSTEP=setup|check -P TestHomes.cmake
# setup: every test's private home below TEST_HOMES made afresh, so no test
# sees what an earlier run left; and CANARY seeded with a user's Presetta
# files. ./test.sh runs ctest with HOME=CANARY, so a test that runs without
# its private folders writes there, and check says what changed.
set(listing "${CANARY}.listing")

# One line per file and folder below the canary: its path, modification time
# and, for a file, its checksum.
function(list_canary out)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${CANARY}" "${CANARY}/*")
  list(SORT entries)
  set(lines "")
  foreach(entry IN LISTS entries)
    file(TIMESTAMP "${CANARY}/${entry}" time "%Y-%m-%d %H:%M:%S" UTC)
    set(sum "folder")
    if(NOT IS_DIRECTORY "${CANARY}/${entry}")
      file(SHA256 "${CANARY}/${entry}" sum)
    endif()
    list(APPEND lines "${entry} ${time} ${sum}")
  endforeach()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

if(STEP STREQUAL "setup")
  file(GLOB homes LIST_DIRECTORIES true "${TEST_HOMES}/*")
  foreach(home IN LISTS homes)
    file(REMOVE_RECURSE "${home}")
    file(MAKE_DIRECTORY "${home}/runtime")
    file(CHMOD "${home}/runtime" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE) # 0700, as Qt wants it
  endforeach()
  file(REMOVE_RECURSE "${CANARY}")
  set(csv "Freq(KHz);Name(PS);PI-Code;BWidth;Stereo(Auto)\r\n100400;CANARY;D3C3;0;1\r\n")
  file(WRITE "${CANARY}/.local/share/presetta/presetta.csv" "${csv}")
  file(WRITE "${CANARY}/.local/share/presetta/backups/2026-01-01_120000_download.csv" "${csv}")
  file(WRITE "${CANARY}/.config/presetta/registry.json"
       [[{"HKEY_CURRENT_USER": {"keys": {"Software": {"keys": {"Norvane": {"keys": {"Presetta":
  {"values": {"LastDir": {"type": "REG_SZ", "data": "/nowhere/"}}}}}}}}}}]])
  file(MAKE_DIRECTORY "${CANARY}/Documents")
  # Dated in the past, so a file written again with the same bytes shows too.
  file(GLOB_RECURSE seeded LIST_DIRECTORIES true "${CANARY}/*")
  execute_process(COMMAND touch -d "2026-01-01 12:00:00" ${seeded} COMMAND_ERROR_IS_FATAL ANY)
  list_canary(before)
  file(WRITE "${listing}" "${before}")
elseif(STEP STREQUAL "check")
  if(NOT "$ENV{HOME}" STREQUAL "${CANARY}")
    message("HOME is not ${CANARY}: nothing to check (./test.sh runs the suite there)")
    return()
  endif()
  file(READ "${listing}" before)
  list_canary(after)
  set(gone ${before})
  list(REMOVE_ITEM gone ${after})
  set(new ${after})
  list(REMOVE_ITEM new ${before})
  if(gone OR new)
    list(JOIN gone "\n  " gone)
    list(JOIN new "\n  " new)
    message(FATAL_ERROR "A test wrote into the home folder ${CANARY}.\n"
                        "Before the suite (changed or gone):\n  ${gone}\n"
                        "After it (changed or new):\n  ${new}")
  endif()
else()
  message(FATAL_ERROR "STEP must be setup or check")
endif()
